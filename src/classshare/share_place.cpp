#include "classshare/share_place.h"

#include "classshare/share_server.h"

namespace ClassShare {

SharePlace PlaceAsked(const QString& host, int port) {
    SharePlace place;
    if (!host.isEmpty()) {
        place.host = QHostAddress(host);
        place.shownHost = host;
    }
    if (port >= 0) place.port = static_cast<quint16>(port);
    return place;
}

QString ShownHost(const SharePlace& place) {
    return place.shownHost.isEmpty() ? RoomAddress() : place.shownHost;
}

}  // namespace ClassShare
