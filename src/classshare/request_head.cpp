#include "classshare/request_head.h"

#include <QList>

namespace ClassShare {

namespace {

bool Printable(const QByteArray& line) {
    for (const char c : line)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f) return false;
    return true;
}

bool Token(const QByteArray& word) {
    if (word.isEmpty()) return false;
    for (const char c : word)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '-' || c == '_' || c == '.'))
            return false;
    return true;
}

}  // namespace

HeadKind KindOfHead(const QByteArray& bytes, const QString& token) {
    // A request begins with its method's capitals; anything else (TLS, say) is not HTTP.
    if (!bytes.isEmpty() && !(bytes[0] >= 'A' && bytes[0] <= 'Z')) return HeadKind::OutOfForm;
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0 || end + 4 > MostHead)
        return bytes.size() >= MostHead ? HeadKind::OutOfForm : HeadKind::Unfinished;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    for (const QByteArray& line : lines)
        if (!line.endsWith('\r') && &line != &lines.back()) return HeadKind::OutOfForm;
    const QByteArray first = lines.front().trimmed();
    const QList<QByteArray> words = first.split(' ');
    if (words.size() != 3 || !Token(words[0]) || !words[1].startsWith('/') ||
        !Printable(words[1]) || (words[2] != "HTTP/1.1" && words[2] != "HTTP/1.0"))
        return HeadKind::OutOfForm;
    bool upgrade = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].chopped(lines[i].endsWith('\r') ? 1 : 0);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || !Token(line.left(colon)) || !Printable(line)) return HeadKind::OutOfForm;
        if (line.left(colon).compare("upgrade", Qt::CaseInsensitive) == 0 &&
            line.mid(colon + 1).trimmed().compare("websocket", Qt::CaseInsensitive) == 0)
            upgrade = true;
    }
    if (!upgrade) return HeadKind::Request;
    const QByteArray feed = '/' + token.toLatin1() + "/feed";
    return words[0] == "GET" && words[1] == feed ? HeadKind::Feed : HeadKind::OtherFeed;
}

}  // namespace ClassShare
