#include "config/palette.h"

#include <array>

namespace {

int PaletteIndex(int n) {
    return ((n % 16) + 16) % 16;
}

}  // namespace

Colour PaletteColour(int n) {
    static constexpr std::array<Colour, 16> Colours = {
        RGB(0, 0, 0),       RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),     RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255),
    };
    return Colours[static_cast<size_t>(PaletteIndex(n))];
}

bool IsLightPaletteColour(int n) {
    switch (PaletteIndex(n)) {
        case 7:
        case 10:
        case 11:
        case 14:
        case 15:
            return true;
        default:
            return false;
    }
}
