// The windows' fonts on Windows: the MS Gothic family where it is installed (every Japanese
// Windows), else IPA Gothic, shipped in the program's folder (fonts/).
#include <QCoreApplication>
#include <QFontDatabase>
#include <map>

#include "platform/font_families.h"
#include "platform/fonts.h"

const QStringList& GothicFamilies() {
    static const QStringList families = {QStringLiteral("ＭＳ ゴシック"),
                                         QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")};
    return families;
}

const QStringList& ProportionalGothicFamilies() {
    static const QStringList families = {QStringLiteral("ＭＳ Ｐゴシック"),
                                         QStringLiteral("MS PGothic"),
                                         QStringLiteral("IPAPGothic")};
    return families;
}

bool Installed(const QString& family) {
    static std::map<QString, bool> known;
    const auto seen = known.find(family);
    if (seen != known.end()) return seen->second;
    return known[family] = QFontDatabase::hasFamily(family);
}

void ReadFontConfiguration() {}  // the system's fonts are asked once the application exists

void LoadShippedFonts() {
    if (Installed(QStringLiteral("MS Gothic")) || Installed(QStringLiteral("ＭＳ ゴシック"))) return;
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/fonts/");
    QFontDatabase::addApplicationFont(folder + QStringLiteral("ipag.ttf"));
    QFontDatabase::addApplicationFont(folder + QStringLiteral("ipagp.ttf"));
}

void UseGothicByDefault() {}  // the system's own face is Japanese where the program is used
