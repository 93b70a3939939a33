#include "ui/fonts.h"

#include <fontconfig/fontconfig.h>

#include <QStringList>
#include <cmath>
#include <map>
#include <mutex>

namespace {

const QString MsGothic = QStringLiteral("ＭＳ ゴシック");
const QString MsPGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QStringList GothicFamilies = {MsGothic, QStringLiteral("IPAGothic"),
                                    QStringLiteral("Noto Sans Mono CJK JP"),
                                    QStringLiteral("Noto Sans CJK JP")};
const QStringList ProportionalGothicFamilies = {MsPGothic, QStringLiteral("IPAPGothic"),
                                                QStringLiteral("Noto Sans CJK JP"),
                                                QStringLiteral("IPAGothic")};

// Whether an installed font has this family name, in any of its languages. Asked of the
// font configuration once per name.
bool Installed(const QString& family) {
    static std::mutex lock;
    static std::map<QString, bool> known;
    const std::lock_guard<std::mutex> guard(lock);
    const auto seen = known.find(family);
    if (seen != known.end()) return seen->second;

    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    FcObjectSet* fields = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, fields);
    const bool installed = fonts != nullptr && fonts->nfont > 0;
    if (fonts != nullptr) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(fields);
    FcPatternDestroy(pattern);
    known[family] = installed;
    return installed;
}

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
    return MakeFont(GothicFamilies, points, bold);
}

QFont ProportionalGothicFont(double points, bool bold) {
    return MakeFont(ProportionalGothicFamilies, points, bold);
}

void ReadFontConfiguration() {
    FcInit();
    InstalledFamilies(GothicFamilies);
    InstalledFamilies(ProportionalGothicFamilies);
}
