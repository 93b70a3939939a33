// A temperature-crossing rule of the customization file: direction letter, signed threshold,
// optionally "T" and a display time, optionally "C" and a colour number (U25T10C12); the next
// line of the file is its message. Rules fill rows 1..30 of AlertRules and AlertTexts; rules
// after the thirtieth are dropped, their message lines still read past.
#include "config/customization.h"
#include "config/file_errors.h"
#include "config/rounding.h"
#include "core/vexo.h"
#include "platform/surface.h"

namespace Vexo {
namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Length of the run of characters from `start` on that `accept` takes.
template <typename Accept>
qsizetype RunLength(const QString& text, qsizetype start, Accept accept) {
    qsizetype end = start;
    while (end < text.size() && accept(text[end])) ++end;
    return end - start;
}

// A field that keeps its value when the number does not fit a 16-bit integer.
void SetField(int16_t& field, double value) {
    if (const auto whole = ToInt16(value))
        field = *whole;
    else
        FileError = FileErrors::Overflow;
}

}  // namespace

void ReadAlertRule(const QString& rule, TextInput& input) {
    if (AlertCount >= MaxAlerts) {
        ReadRawLine(input);  // the message of a rule that has no row left
        return;
    }
    AlertCount = static_cast<int16_t>(AlertCount + 1);
    const int n = AlertCount;
    if (AtEndOfFile(input))
        FileError = FileErrors::InputPastEnd;  // the rule stands, its text stays as it was
    else
        AlertTexts[n] = ReadTextLine(input);

    const QChar kind = rule[0];
    if (kind == u'T' || kind == u'C') return;  // uses up a row, sets no column
    auto& row = AlertRules[n];
    row[0] = kind == u'U' ? True : False;

    // The threshold takes digits and minus signs in any order and one decimal point (25.5);
    // "T" and "C" are recognised only right after it (and "C" also right after the time).
    qsizetype pos = 1;
    bool point = false;
    const qsizetype thresholdLength = RunLength(rule, pos, [&point](QChar c) {
        if (c == u'.' && !point) return point = true;
        return IsDigit(c) || c == u'-';
    });
    const QString threshold = rule.mid(pos, thresholdLength);
    SetField(row[1], LeadingNumber(threshold) * 100);
    Picture2->Print(threshold);
    pos += thresholdLength;

    if (pos < rule.size() && rule[pos] == u'T') {
        const qsizetype length = RunLength(rule, pos + 1, IsDigit);
        SetField(row[2], LeadingNumber(rule.mid(pos + 1, length)));
        pos += 1 + length;
    }
    if (pos < rule.size() && rule[pos] == u'C') {
        const qsizetype length = RunLength(rule, pos + 1, IsDigit);
        SetField(row[3], LeadingNumber(rule.mid(pos + 1, length)));
    }
}

}  // namespace Vexo
