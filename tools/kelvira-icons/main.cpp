// kelvira-icons OUT_DIR SIZE...: writes the window's 32 x 32 icon as OUT_DIR/kelvira.svg,
// one square per pixel, and as OUT_DIR/<SIZE>/kelvira.png for each SIZE. A size that is not a
// whole multiple of 32 is drawn at a multiple of both and scaled down smoothly, so the pixels
// stay square and even.
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <numeric>

#include "ui/icon.h"

namespace {

QString Svg(const QImage& art) {
    QString svg = QStringLiteral(
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                      "viewBox=\"0 0 %1 %2\" shape-rendering=\"crispEdges\">\n")
                      .arg(art.width())
                      .arg(art.height());
    // Each run of equal pixels in a row is one rectangle.
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width();) {
            const QRgb colour = art.pixel(x, y);
            int end = x + 1;
            while (end < art.width() && art.pixel(end, y) == colour) ++end;
            if (qAlpha(colour) != 0)
                svg += QStringLiteral(
                           "<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"1\" "
                           "fill=\"%4\"/>\n")
                           .arg(x)
                           .arg(y)
                           .arg(end - x)
                           .arg(QColor(colour).name());
            x = end;
        }
    return svg + QStringLiteral("</svg>\n");
}

QImage AtSize(const QImage& art, int size) {
    const int whole = size / std::gcd(size, art.width()) * art.width();
    const QImage big = art.convertToFormat(QImage::Format_ARGB32).scaled(whole, whole);
    return whole == size ? big
                         : big.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: kelvira-icons OUT_DIR SIZE...\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QImage art = ThermometerIconImage();
    QFile svg(out.filePath(QStringLiteral("kelvira.svg")));
    if (!out.mkpath(QStringLiteral(".")) || !svg.open(QIODevice::WriteOnly) ||
        svg.write(Svg(art).toUtf8()) < 0)
        return 1;
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QString::number(size);
        if (size <= 0 || !out.mkpath(folder) ||
            !AtSize(art, size).save(out.filePath(folder + "/kelvira.png"), "PNG")) {
            std::fprintf(stderr, "kelvira-icons: cannot write size %s\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
