#include "config/calibration.h"

#include <algorithm>

#include "config/file_errors.h"
#include "config/rounding.h"
#include "config/text_lines.h"
#include "core/vexo.h"
#include "platform/surface.h"

namespace Vexo {
namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool IsBlankText(QStringView text) {
    return std::all_of(text.begin(), text.end(), IsBlank);
}

// One line of values, with no line feed in it.
void SplitLinePart(QStringView line, std::vector<QString>& values, size_t limit) {
    if (IsBlankText(line)) return;
    qsizetype pos = 0;
    while (values.size() < limit) {
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
        qsizetype comma;
        if (pos < line.size() && line[pos] == u'"') {
            qsizetype close = line.indexOf(u'"', pos + 1);
            if (close < 0) close = line.size();
            values.push_back(line.mid(pos + 1, close - pos - 1).toString());
            comma = line.indexOf(u',', close);
        } else {
            comma = line.indexOf(u',', pos);
            QStringView item = line.mid(pos, (comma < 0 ? line.size() : comma) - pos);
            const auto blank = std::find_if(item.begin(), item.end(), IsBlank);
            values.push_back(item.first(blank - item.begin()).toString());
        }
        if (comma < 0) return;
        pos = comma + 1;
        if (IsBlankText(line.mid(pos))) return;
    }
}

}  // namespace

void SplitValues(const QString& line, std::vector<QString>& values, size_t limit) {
    for (QStringView part : QStringView(line).split(u'\n')) SplitLinePart(part, values, limit);
}

int16_t ReadTable(const QByteArray& content, std::array<int16_t, 256>& table) {
    TextInput input = OpenTextInput(content);
    if (AtEndOfFile(input)) return FileErrors::InputPastEnd;
    ReadRawLine(input);  // the header, whatever it holds

    std::vector<QString> values;
    while (values.size() < table.size() && !AtEndOfFile(input))
        SplitValues(ReadTextLine(input), values, table.size());

    int16_t error = 0;
    for (size_t i = 0; i < table.size(); ++i) {
        if (i >= values.size())
            error = FileErrors::InputPastEnd;
        else if (const auto degrees = ToInt16(LeadingNumber(values[i])))
            table[i] = *degrees;
        else
            error = FileErrors::Overflow;
    }
    return error;
}

namespace {

void ReadOneTable(const ConfigFile& file, std::array<int16_t, 256>& table, const QString& log) {
    if (!file.content) {
        FileError = file.error;
        return;
    }
    Picture2->Print(log);
    FileError = ReadTable(*file.content, table);
    if (FileError != 0) {
        Picture2->Print(QStringLiteral("データが足りません！"));
    }
}

}  // namespace

void ReadCalibrationFrom(const ConfigFile& ekion, const ConfigFile& kion) {
    FileError = 0;
    ReadOneTable(ekion, EkionTable, QStringLiteral("液温データ(EKION.CSV)読み込み。"));
    FileError = 0;
    ReadOneTable(kion, KionTable, QStringLiteral("気温データ(KION.CSV)読み込み。"));
}

void ReadCalibration() {
    ReadCalibrationFrom(OpenConfigFile(QStringLiteral("EKION.CSV")),
                        OpenConfigFile(QStringLiteral("KION.CSV")));
}

}  // namespace Vexo
