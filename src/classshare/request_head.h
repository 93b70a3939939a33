// A browser's request head, read before anything is answered: the request line and the few
// headers the page's server acts on. A head out of form is refused at once; a request that
// announces a body is known as such from its head alone. A header the server acts on given
// twice is out of form: two lengths, say, would let the server and a proxy between disagree on
// where the next request begins.
#pragma once

#include <QByteArray>

namespace ClassShare {

// The longest head taken; a longer one is out of form.
constexpr int MostHead = 8192;

struct RequestHead {
    enum class Form {
        Unfinished,  // no blank line yet: more is to come
        OutOfForm,   // not an HTTP/1.x request head, or longer than MostHead
        Whole,
    };
    Form form = Form::Unfinished;
    int length = 0;  // the head's bytes, its blank line included
    QByteArray method;
    QByteArray path;
    bool close = false;      // the browser will send nothing more on the connection
    bool body = false;       // a body follows (Content-Length other than 0, Transfer-Encoding)
    bool deflate = false;    // the browser takes answers compressed with deflate
    QByteArray ifNoneMatch;  // the tag of the copy the browser holds
    QByteArray host;         // the host the browser asked, with its port
    QByteArray origin;       // the page that asks, when a browser says it (http://host:port)
};

// The head at the start of `bytes`.
RequestHead ReadHead(const QByteArray& bytes);

}  // namespace ClassShare
