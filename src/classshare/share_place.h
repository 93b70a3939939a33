// Where the page is shared: the address listened on, the port asked for (when it is taken, any
// free one) and the host the page's address names. A sharing keeps its place while the program
// runs, so that switching it off and on again from the menu listens where the command line said.
#pragma once

#include <QHostAddress>
#include <QString>

namespace ClassShare {

constexpr quint16 DefaultPort = 8300;

struct SharePlace {
    QHostAddress host = QHostAddress::Any;
    quint16 port = DefaultPort;
    QString shownHost;  // empty: the room's address, as it is when sharing starts
};

// The place `--share=[HOST:]PORT` asks for: `host` empty for every interface, named by the
// room's address; `port` below 0 for the default.
SharePlace PlaceAsked(const QString& host, int port);

// The host the page's address names.
QString ShownHost(const SharePlace& place);

}  // namespace ClassShare
