// Window layouts are designed in twips, 15 to a pixel.
#pragma once

#include <QRect>

constexpr int Twips(int twips) {
    return twips / 15;
}

inline QRect TwipRect(int left, int top, int width, int height) {
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}
