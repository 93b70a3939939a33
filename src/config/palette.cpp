#include "config/palette.h"

#include <array>

Colour PaletteColour(int n) {
    static constexpr std::array<Colour, 16> Colours = {
        RGB(0, 0, 0),       RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),     RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255),
    };
    return Colours[static_cast<size_t>(((n % 16) + 16) % 16)];
}
