#include "config/calibration.h"

#include <algorithm>

#include "config/customization.h"
#include "config/file_errors.h"
#include "config/missing_tables.h"
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

// One line of values, with no line feed in it. A value ends at a blank or a comma; blanks
// separate values as a comma does, and blanks beside a comma are part of that one separator.
void SplitLinePart(QStringView line, std::vector<QString>& values, size_t limit) {
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
    };
    while (values.size() < limit) {
        skipBlanks();
        if (pos >= line.size()) return;
        if (line[pos] == u',') {
            values.push_back(QString());  // nothing between two commas
        } else if (line[pos] == u'"') {
            qsizetype close = line.indexOf(u'"', pos + 1);
            if (close < 0) close = line.size();
            values.push_back(line.mid(pos + 1, close - pos - 1).toString());
            // Whatever follows the closing quote, up to the next blank or comma, is dropped.
            pos = close;
            while (pos < line.size() && !IsBlank(line[pos]) && line[pos] != u',') ++pos;
        } else {
            const qsizetype start = pos;
            while (pos < line.size() && !IsBlank(line[pos]) && line[pos] != u',') ++pos;
            values.push_back(line.mid(start, pos - start).toString());
        }
        skipBlanks();
        if (pos < line.size() && line[pos] == u',') {
            ++pos;
            if (IsBlankText(line.mid(pos))) return;  // a comma at the line's end adds nothing
        }
    }
}

}  // namespace

void SplitValues(const QString& line, std::vector<QString>& values, size_t limit) {
    for (QStringView part : QStringView(line).split(u'\n')) SplitLinePart(part, values, limit);
}

TableReading ReadTable(const QByteArray& content, std::array<int16_t, 256>& table) {
    TableReading reading;
    TextInput input = OpenTextInput(content);
    if (AtEndOfFile(input)) {
        reading.shortOfValues = true;
        reading.error = FileErrors::InputPastEnd;
        return reading;
    }
    ReadRawLine(input);  // the header, whatever it holds

    std::vector<QString> values;
    while (values.size() < table.size() && !AtEndOfFile(input))
        SplitValues(ReadTextLine(input), values, table.size());

    for (size_t i = 0; i < table.size(); ++i) {
        if (i >= values.size()) {
            reading.shortOfValues = true;
            reading.error = FileErrors::InputPastEnd;
        } else if (const auto degrees = ToInt16(LeadingNumber(values[i]))) {
            table[i] = *degrees;
        } else {
            reading.tooLarge = true;
            reading.error = FileErrors::Overflow;
        }
    }
    return reading;
}

namespace {

void ReadOneTable(const ConfigFile& file, std::array<int16_t, 256>& table, const QString& log) {
    if (!file.content) {
        FileError = file.error;
        return;
    }
    Picture2->Print(log);
    const TableReading reading = ReadTable(*file.content, table);
    FileError = reading.error;
    if (reading.tooLarge) Picture2->Print(QStringLiteral("データが大きすぎます！"));
    if (reading.shortOfValues) Picture2->Print(QStringLiteral("データが足りません！"));
}

}  // namespace

void ReadCalibrationFrom(const ConfigFile& ekion, const ConfigFile& kion) {
    FileError = 0;
    ReadOneTable(ekion, EkionTable, QStringLiteral("液温データ(EKION.CSV)読み込み。"));
    FileError = 0;
    ReadOneTable(kion, KionTable, QStringLiteral("気温データ(KION.CSV)読み込み。"));
}

void ReadCalibration() {
    const ConfigFile ekion = OpenConfigFile(QStringLiteral("EKION.CSV"));
    const ConfigFile kion = OpenConfigFile(QStringLiteral("KION.CSV"));
    ReadCalibrationFrom(ekion, kion);
    ReportMissingTables(ekion, kion);
}

}  // namespace Vexo
