#include "ui/fonts.h"

#include <fontconfig/fontconfig.h>

#include <QStringList>
#include <cmath>

namespace {

QFont MakeFont(const QStringList& families, double points, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

QFont GothicFont(double points, bool bold) {
    return MakeFont({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                     QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP")},
                    points, bold);
}

QFont ProportionalGothicFont(double points, bool bold) {
    return MakeFont({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                     QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")},
                    points, bold);
}

void ReadFontConfiguration() {
    FcInit();
}
