#include "config/text_lines.h"

#include <QStringDecoder>

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
    static QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) return QString::fromLatin1(bytes);

    // The decoder is handed only well-formed runs: on its own it turns a stray byte into a
    // control character and silently drops a lead byte at the end of the line.
    QString text;
    text.reserve(bytes.size());
    qsizetype runStart = 0;
    auto decodeRun = [&](qsizetype end) {
        if (end > runStart) text += decoder.decode(bytes.sliced(runStart, end - runStart));
    };
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<uchar>(bytes[i]);
        if (IsSingleByte(b)) {
            ++i;
        } else if (IsLeadByte(b) && i + 1 < bytes.size() &&
                   IsTrailByte(static_cast<uchar>(bytes[i + 1]))) {
            i += 2;
        } else {
            decodeRun(i);
            text += QChar(QChar::ReplacementCharacter);
            runStart = ++i;
        }
    }
    decodeRun(bytes.size());
    return text;
}

}  // namespace Vexo
