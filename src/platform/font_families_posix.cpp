// The windows' fonts on Linux: the IPA gothic faces (fonts-ipafont-gothic), or Noto's, stand
// in for the Windows gothic faces; fontconfig knows which are installed.
#include <fontconfig/fontconfig.h>

#include <QGuiApplication>

#include <map>
#include <mutex>

#include "platform/font_families.h"
#include "platform/fonts.h"

const QStringList& GothicFamilies() {
    static const QStringList families = {
        QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
        QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP")};
    return families;
}

const QStringList& ProportionalGothicFamilies() {
    static const QStringList families = {
        QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")};
    return families;
}

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

void ReadFontConfiguration() {
    FcInit();
    FindInstalledFamilies();
}

void LoadShippedFonts() {}  // the system's fonts serve

void UseGothicByDefault() {
    QGuiApplication::setFont(GothicFont(9));
}
