// Sharing the class view's class with the pupils' tablets, switched on by the teacher (the
// graph's menu, or --share): the page's server started with a new token, its address and QR
// code shown in the window; switched off, every connection closed.
#pragma once

#include <QHostAddress>
#include <QString>
#include <memory>

#include "classshare/class_source.h"
#include "classshare/share_server.h"
#include "classview/class_window.h"

namespace ClassShare {

class Sharing {
  public:
    // Attaches to `window` (which outlives it), whose class is `className`.
    Sharing(ClassView::ClassWindow& window, const QString& className);
    ~Sharing();
    // Listens on `host`:`port` (port 0: any free one); the page's address, empty when it
    // cannot listen. The address names `shownHost` (the room's address by default). Switched
    // on again from the graph's menu, it listens where it was last asked to.
    QString start(const QHostAddress& host = QHostAddress::Any, quint16 port = DefaultPort,
                  const QString& shownHost = RoomAddress());
    void stop();
    ShareServer* server() const { return server_.get(); }

    static constexpr quint16 DefaultPort = 8300;

  private:
    ClassView::ClassWindow& window_;
    ClassSource source_;
    std::unique_ptr<ShareServer> server_;
    // Where it was last asked to listen; empty `shownHost_`: the room's address.
    QHostAddress host_ = QHostAddress::Any;
    quint16 port_ = DefaultPort;
    QString shownHost_;
};

}  // namespace ClassShare
