#include "config/text_lines.h"

#include "config/sjis_table.h"

namespace Vexo {

TextInput OpenTextInput(const QByteArray& bytes) {
    return TextInput{bytes, 0, !bytes.contains('\r')};
}

bool AtEndOfFile(const TextInput& input) {
    return input.pos >= input.bytes.size();
}

QByteArray ReadRawLine(TextInput& input) {
    if (AtEndOfFile(input)) return {};
    const char terminator = input.lfEndsLines ? '\n' : '\r';
    const qsizetype start = input.pos;
    qsizetype end = input.bytes.indexOf(terminator, start);
    if (end < 0) end = input.bytes.size();
    input.pos = end + 1;
    if (terminator == '\r' && input.pos < input.bytes.size() && input.bytes[input.pos] == '\n')
        ++input.pos;
    return input.bytes.mid(start, end - start);
}

QString ReadTextLine(TextInput& input) {
    return DecodeLine(ReadRawLine(input));
}

std::vector<QByteArray> SplitLines(const QByteArray& bytes) {
    std::vector<QByteArray> lines;
    for (TextInput input = OpenTextInput(bytes); !AtEndOfFile(input);)
        lines.push_back(ReadRawLine(input));
    return lines;
}

namespace {

bool IsSingleByte(uchar b) {
    return b <= 0x7F || (b >= 0xA1 && b <= 0xDF);
}
bool IsLeadByte(uchar b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool IsTrailByte(uchar b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

}  // namespace

QString DecodeLine(QByteArrayView bytes) {
    // A pair is decoded only when it is well-formed; a stray byte, and a lead byte at the end
    // of the line, stand for U+FFFD.
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<uchar>(bytes[i]);
        if (IsSingleByte(b)) {
            text += QChar(SjisSingles[b]);
            ++i;
        } else if (IsLeadByte(b) && i + 1 < bytes.size() &&
                   IsTrailByte(static_cast<uchar>(bytes[i + 1]))) {
            const auto t = static_cast<uchar>(bytes[i + 1]);
            const int lead = b <= 0x9F ? b - 0x81 : b - 0xE0 + 31;
            const int trail = t <= 0x7E ? t - 0x40 : t - 0x80 + 63;
            text += QChar(SjisPairs[lead][trail]);
            i += 2;
        } else {
            text += QChar(QChar::ReplacementCharacter);
            ++i;
        }
    }
    return text;
}

}  // namespace Vexo
