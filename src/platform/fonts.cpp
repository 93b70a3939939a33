#include "platform/fonts.h"

#include <QStringList>
#include <cmath>

#include "platform/font_families.h"

namespace {

// The families of the list that are installed, in order (all of them when none is). A
// family that is not installed changes nothing in what is drawn, but heading the list it
// would have the font configuration search for its fallback fonts again for every size
// and script of text: a few milliseconds of start-up.
QStringList InstalledFamilies(const QStringList& families) {
    QStringList installed;
    for (const QString& family : families)
        if (Installed(family)) installed << family;
    return installed.isEmpty() ? families : installed;
}

QFont MakeFont(const QStringList& families, double points, bool bold) {
    QFont font;
    font.setFamilies(InstalledFamilies(families));
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

QFont GothicFont(double points, bool bold) {
    return MakeFont(GothicFamilies(), points, bold);
}

QFont ProportionalGothicFont(double points, bool bold) {
    return MakeFont(ProportionalGothicFamilies(), points, bold);
}

void FindInstalledFamilies() {
    InstalledFamilies(GothicFamilies());
    InstalledFamilies(ProportionalGothicFamilies());
}
