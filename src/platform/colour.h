// Colours as the program stores them: 24-bit RGB in 32 bits, red in the low byte.
#pragma once

#include <QColor>
#include <cstdint>

using Colour = uint32_t;

constexpr Colour RGB(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
           (static_cast<Colour>(blue & 0xFF) << 16);
}

inline QColor ToQColor(Colour c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

inline Colour FromQRgb(QRgb rgb) {
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
