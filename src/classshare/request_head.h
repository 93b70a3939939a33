// What a browser's first request on a connection is, read from its head alone, before either
// server sees it: the page's feed goes to the WebSocket server, other requests to the HTTP
// server, and a head out of form is refused at once.
#pragma once

#include <QByteArray>
#include <QString>

namespace ClassShare {

// The longest head taken; a longer one is out of form.
constexpr int MostHead = 8192;

enum class HeadKind {
    Unfinished,  // no blank line yet: more is to come
    OutOfForm,   // not an HTTP/1.x request head, or longer than MostHead
    Feed,        // the WebSocket handshake for /<token>/feed
    OtherFeed,   // a WebSocket handshake for anything else
    Request,     // any other request, for the HTTP server to answer
};

HeadKind KindOfHead(const QByteArray& bytes, const QString& token);

}  // namespace ClassShare
