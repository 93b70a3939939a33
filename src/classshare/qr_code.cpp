#include "classshare/qr_code.h"

#include <qrencode.h>

namespace ClassShare {

QImage QrCode(const QString& text) {
    QRcode* code = QRcode_encodeString(text.toUtf8().constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
    if (!code) return {};
    constexpr int Quiet = 4;
    const int side = code->width + 2 * Quiet;
    QImage image(side, side, QImage::Format_Mono);
    image.fill(0);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1) image.setPixel(x + Quiet, y + Quiet, 1);
    QRcode_free(code);
    return image;
}

}  // namespace ClassShare
