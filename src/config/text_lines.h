// Lines of a configuration file. The files come from an editor of the old system: a line ends
// with CR LF or with a lone CR, and a lone LF is part of the line. A file with no CR at all was
// written where lines end with LF alone; its LFs end the lines.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace Vexo {

// A configuration file's content being read line by line from the start.
struct TextInput {
    QByteArray bytes;
    qsizetype pos = 0;
    bool lfEndsLines = false;
};

TextInput OpenTextInput(const QByteArray& bytes);
// True once every line has been read; a terminator at the very end starts no further line.
bool AtEndOfFile(const TextInput& input);
// The next line without its terminator, as bytes; empty at the end of the file.
QByteArray ReadRawLine(TextInput& input);
// The next line, decoded from the system's code page.
QString ReadTextLine(TextInput& input);

// Every line of a file's content, as ReadRawLine gives them one after the other.
std::vector<QByteArray> SplitLines(const QByteArray& bytes);

// Text of a line in the system's code page (Shift-JIS as Windows writes it: ～ is U+FF5E).
// Bytes that cannot begin or complete a character give U+FFFD each. The code page is a table
// of the program's own (config/sjis_table.h), the same as Qt's decoder.
QString DecodeLine(QByteArrayView bytes);

}  // namespace Vexo
