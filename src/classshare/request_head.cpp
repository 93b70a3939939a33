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

bool Named(const QByteArray& name, const char* wanted) {
    return name.compare(wanted, Qt::CaseInsensitive) == 0;
}

bool Lists(const QByteArray& value, const char* word) {
    for (const QByteArray& item : value.split(','))
        if (Named(item.split(';').front().trimmed(), word)) return true;
    return false;
}

RequestHead OutOfForm() {
    RequestHead head;
    head.form = RequestHead::Form::OutOfForm;
    return head;
}

}  // namespace

RequestHead ReadHead(const QByteArray& bytes) {
    // A request begins with its method's capitals; anything else (TLS, say) is not HTTP.
    if (!bytes.isEmpty() && !(bytes[0] >= 'A' && bytes[0] <= 'Z')) return OutOfForm();
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0 || end + 4 > MostHead)
        return bytes.size() >= MostHead || end >= 0 ? OutOfForm() : RequestHead();
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    for (const QByteArray& line : lines)
        if (!line.endsWith('\r') && &line != &lines.back()) return OutOfForm();
    const QList<QByteArray> words = lines.front().trimmed().split(' ');
    if (words.size() != 3 || !Token(words[0]) || !words[1].startsWith('/') ||
        !Printable(words[1]) || (words[2] != "HTTP/1.1" && words[2] != "HTTP/1.0"))
        return OutOfForm();
    RequestHead head;
    head.form = RequestHead::Form::Whole;
    head.length = static_cast<int>(end + 4);
    head.method = words[0];
    head.path = words[1];
    head.close = words[2] == "HTTP/1.0";
    QList<QByteArray> seen;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].chopped(lines[i].endsWith('\r') ? 1 : 0);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || !Token(line.left(colon)) || !Printable(line)) return OutOfForm();
        const QByteArray name = line.left(colon);
        const QByteArray value = line.mid(colon + 1).trimmed();
        for (const char* once : {"content-length", "transfer-encoding", "host", "origin"}) {
            if (!Named(name, once)) continue;
            if (seen.contains(once)) return OutOfForm();
            seen << once;
        }
        if (Named(name, "connection")) head.close = Lists(value, "close");
        if (Named(name, "content-length")) head.body = head.body || value != "0";
        if (Named(name, "transfer-encoding")) head.body = true;
        if (Named(name, "accept-encoding")) head.deflate = Lists(value, "deflate");
        if (Named(name, "if-none-match")) head.ifNoneMatch = value;
        if (Named(name, "host")) head.host = value;
        if (Named(name, "origin")) head.origin = value;
    }
    return head;
}

}  // namespace ClassShare
