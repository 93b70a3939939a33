#include "config/customization.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>

#include "config/file_errors.h"
#include "config/palette.h"
#include "config/rounding.h"
#include "core/vexo.h"
#include "platform/surface.h"

namespace Vexo {
namespace {

struct ColourKey {
    QString key;
    Colour* colour;
    int defaultNumber;
};

const std::array<ColourKey, 13>& ColourKeys() {
    static const std::array<ColourKey, 13> keys = {{
        {NormaliseLine(QStringLiteral("KelviraBack=")), &KelviraBack, 6},
        {NormaliseLine(QStringLiteral("KelviraMemori=")), &KelviraMemori, 7},
        {NormaliseLine(QStringLiteral("KelviraWaku=")), &KelviraWaku, 15},
        {NormaliseLine(QStringLiteral("KelviraGlass=")), &KelviraGlass, 15},
        {NormaliseLine(QStringLiteral("KelviraGlassWaku=")), &KelviraGlassWaku, 0},
        {NormaliseLine(QStringLiteral("KelviraEki=")), &KelviraEki, 12},
        {NormaliseLine(QStringLiteral("KelviraMozi=")), &KelviraMozi, 15},
        {NormaliseLine(QStringLiteral("GrphBack=")), &GrphBack, 7},
        {NormaliseLine(QStringLiteral("GrphMemori=")), &GrphMemori, 1},
        {NormaliseLine(QStringLiteral("GrphWaku=")), &GrphWaku, 15},
        {NormaliseLine(QStringLiteral("GrphLine=")), &GrphLine, 12},
        {NormaliseLine(QStringLiteral("GrphTateMozi=")), &GrphTateMozi, 0},
        {NormaliseLine(QStringLiteral("GrphYokoMozi=")), &GrphYokoMozi, 0},
    }};
    return keys;
}

// The folder of the customization file being read; empty: the working folder.
QString customizationFolder;

constexpr double ScaleTop = 120;
constexpr double ScaleBottom = -30;

void SetDefaults() {
    for (const ColourKey& k : ColourKeys()) *k.colour = PaletteColour(k.defaultNumber);
    KionMode = True;
    ZidouMode = True;
    ScaleMax = 100;
    ScaleMin = -10;
    PortNumber = 1;
    RequestBytes[0] = 242;
    FileError = 0;
    KirokuKey.clear();
    KirokuBase.clear();
    KurasuKey.clear();
    HanKey.clear();
    KodeKey.clear();
    Bairitsu = 0;
}

// The colour keys read at most the two characters after "="; the number is reduced modulo
// 16 keeping its sign, and a negative number names no colour.
void ApplyColour(const QString& value, Colour& colour) {
    const std::optional<int16_t> number = ToInt16(LeadingNumber(value.left(2)));
    if (!number) {
        FileError = FileErrors::Overflow;
        return;
    }
    const int reduced = *number % 16;
    if (reduced < 0) {
        FileError = FileErrors::InvalidCall;
        return;
    }
    colour = PaletteColour(reduced);
}

// The mode, scale and port keys read everything after "=" to the end of the line. A line
// that ends at "=" has no value; a number too large for the field keeps the old value.
std::optional<double> NumberAfterKey(const QString& value) {
    if (value.isEmpty()) {
        FileError = FileErrors::InvalidCall;
        return std::nullopt;
    }
    const double number = LeadingNumber(value);
    if (!std::isfinite(number)) {
        FileError = FileErrors::Overflow;
        return std::nullopt;
    }
    return number;
}

void ApplyNumber(const QString& value, double& target) {
    if (const auto number = NumberAfterKey(value)) target = *number;
}

void ApplyScale(const QString& value, double& target) {
    ApplyNumber(value, target);
    target = std::clamp(target, ScaleBottom, ScaleTop);
}

// The factor the main window starts at; the zoom takes it as it is read.
void ReadBairitsu(const QString& value) {
    const auto factor = NumberAfterKey(value);
    if (!factor) return;
    Bairitsu = *factor;
    if (ApplyBairitsu) ApplyBairitsu(Bairitsu);
}

void ApplyPort(const QString& value) {
    const auto number = NumberAfterKey(value);
    if (!number) return;
    if (const auto port = ToInt16(*number))
        PortNumber = *port;
    else
        FileError = FileErrors::Overflow;
}

// Applies L when it begins with one of the keys; false when none matches.
bool ApplyKeyLine(const QString& line) {
    for (const ColourKey& k : ColourKeys()) {
        if (line.startsWith(k.key)) {
            ApplyColour(line.mid(k.key.size()), *k.colour);
            return true;
        }
    }
    const auto kion = [](const QString& v) { ApplyNumber(v, KionMode); };
    const auto zidou = [](const QString& v) { ApplyNumber(v, ZidouMode); };
    const auto max = [](const QString& v) { ApplyScale(v, ScaleMax); };
    const auto min = [](const QString& v) { ApplyScale(v, ScaleMin); };
    static const std::array<std::pair<QLatin1StringView, void (*)(const QString&)>, 6> numberKeys =
        {{{QLatin1StringView("KION="), kion},
          {QLatin1StringView("ZIDOU="), zidou},
          {QLatin1StringView("MAX="), max},
          {QLatin1StringView("MIN="), min},
          {QLatin1StringView("PORT="), ApplyPort},
          {QLatin1StringView("BAIRITSU="), ReadBairitsu}}};
    for (const auto& [key, apply] : numberKeys) {
        if (line.startsWith(key)) {
            apply(line.mid(key.size()));
            return true;
        }
    }
    return false;
}

// Kiroku= names the folder lessons are recorded in, or 0 to record none; tried after every
// other key. The folder is taken from the line as written, not from its upper-case form.
bool ApplyRecordingKey(const QString& line, const QString& text) {
    const QLatin1StringView key("KIROKU=");
    if (!line.startsWith(key)) return false;
    KirokuKey = text.right(line.size() - key.size());
    KirokuBase = CustomizationFolder();
    return true;
}

// Kurasu= names the class to join (an address, mqtt://HOST/CLASS), Han= the group's name and
// Kode= the join code of a class a class view opened; each as written.
bool ApplyClassKey(const QString& line, const QString& text) {
    for (const auto& [key, target] : {std::pair{QLatin1StringView("KURASU="), &KurasuKey},
                                      std::pair{QLatin1StringView("HAN="), &HanKey},
                                      std::pair{QLatin1StringView("KODE="), &KodeKey}}) {
        if (!line.startsWith(key)) continue;
        *target = text.right(line.size() - key.size()).trimmed();
        return true;
    }
    return false;
}

void ApplyLines(TextInput& input) {
    while (!AtEndOfFile(input)) {
        const QString text = ReadTextLine(input);
        const QString line = NormaliseLine(text);
        if (line.startsWith(u'\'')) continue;
        if (ApplyKeyLine(line)) continue;
        if (ApplyRecordingKey(line, text)) continue;
        if (ApplyClassKey(line, text)) continue;
        if (!line.isEmpty() && QStringView(u"UDTC").contains(line[0])) ReadAlertRule(line, input);
    }
}

}  // namespace

QString NormaliseLine(const QString& line) {
    qsizetype start = 0;
    while (start < line.size() && line[start] == u' ') ++start;
    QString normal = line.mid(start);
    for (QChar& c : normal)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 0x20);
    return normal;
}

void ReadCustomizationFrom(const ConfigFile& file) {
    customizationFolder = file.path.isEmpty() ? QString() : QFileInfo(file.path).absolutePath();
    Picture2->Print(QStringLiteral("基本数値設定中"));
    SetDefaults();
    if (file.content) {
        Picture2->Print(QStringLiteral("カスタマイズファイル(Vexo.txt) 読み込み中"));
        TextInput input = OpenTextInput(*file.content);
        ApplyLines(input);
    } else {
        FileError = file.error;
    }
    Picture2->Print(QStringLiteral("基本設定終了！"));
    Picture2->Print(QString());
}

QString CustomizationFolder() {
    return customizationFolder.isEmpty() ? QDir::currentPath() : customizationFolder;
}

void ReadCustomization() {
    ReadCustomizationFrom(OpenConfigFile(QStringLiteral("VEXO.TXT")));
}

QString CustomizationValue(QLatin1StringView key) {
    const ConfigFile file = OpenConfigFile(QStringLiteral("VEXO.TXT"));
    if (!file.content) return {};
    TextInput input = OpenTextInput(*file.content);
    QString value;
    while (!AtEndOfFile(input)) {
        const QString text = ReadTextLine(input);
        const QString line = NormaliseLine(text);
        if (line.startsWith(key)) value = text.right(line.size() - key.size()).trimmed();
    }
    return value;
}

}  // namespace Vexo
