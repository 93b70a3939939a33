#include "ui/icon.h"

#include "config/palette.h"

namespace {

// Each row of the picture, one character per pixel: '.' transparent (shown as the
// palette's bright white), 'k' black, 'w' bright white, 'r' light red, 'g' light grey,
// 'd' dark grey, 'b' blue.
// clang-format off
const char* const Rows[32] = {
    "................................",
    "..............kkkk..............",
    ".............kwwwgk.............",
    ".............kwggwk.............",
    ".............kwggwk..kkkk.......",
    ".............kwggwk.............",
    ".............kwggwk..kk.........",
    ".............kwggwk.............",
    ".............kwggwk..kkkk.......",
    ".............kwggwk.............",
    ".............kwggwk..kk.........",
    ".............kwrrwk.............",
    ".............kwrrwk..kkkk.......",
    ".............kwrrwk.............",
    ".............kwrrwk..kk.........",
    ".............kwrrwk.............",
    ".............kwrrwk..kkkk.......",
    ".............kwrrwk.............",
    ".............kwrrwk..kk.........",
    ".............kwrrwk.............",
    ".............kwrrwk..kkkk.......",
    "............kkwrrwkk............",
    "...........kwrrrrrrwk...........",
    "..........kwrrrrrrrrdk..........",
    "..........krrwwrrrrrdk..........",
    "..........krrwrrrrrrdk..........",
    "..........krrrrrrrrrdk..........",
    "..........kdrrrrrrrddk..........",
    "...........kddrrrrddk...........",
    "............kkddddkk............",
    "..............kkkk..............",
    "................................",
};
// clang-format on

int PaletteIndex(char c) {
    switch (c) {
        case 'k':
            return 0;
        case 'b':
            return 1;
        case 'g':
            return 7;
        case 'd':
            return 8;
        case 'r':
            return 12;
        case 'w':
            return 15;
        default:
            return -1;
    }
}

}  // namespace

QImage ThermometerIconImage() {
    QImage image(32, 32, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int n = 0; n < 16; ++n) colours.append(ToQColor(PaletteColour(n)).rgb());
    colours.append(qRgba(0, 0, 0, 0));  // the transparent background
    image.setColorTable(colours);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int index = PaletteIndex(Rows[y][x]);
            image.setPixel(x, y, index < 0 ? 16 : index);
        }
    return image;
}

QIcon ThermometerIcon() {
    return QIcon(QPixmap::fromImage(ThermometerIconImage()));
}
