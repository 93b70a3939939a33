// Kelvira sharing its own lesson with the pupils' tablets, without a broker, a class or a
// second program: switched on from the graph's menu or with --share, it starts the page's
// server with a new token and shows the address and QR code in a small window of its own;
// switched off, every connection is closed.
#pragma once

#include <QHostAddress>
#include <QString>
#include <memory>

#include "classshare/own_lesson.h"
#include "classshare/share_place.h"
#include "classshare/share_server.h"
#include "classshare/share_window.h"

namespace ClassShare {

class OwnShare {
  public:
    // The lesson of the group `name`; attaches the menu's switch (core/tablet_share.h).
    explicit OwnShare(const QString& name);
    ~OwnShare();

    // Listens at `place`, kept for the menu's switch; the page's address, empty when it cannot
    // listen.
    QString start(const SharePlace& place);
    void stop();
    ShareServer* server() const { return server_.get(); }
    ShareWindow* window() const { return window_.get(); }

  private:
    QString name_;
    SharePlace place_;
    std::unique_ptr<OwnLesson> lesson_;
    std::unique_ptr<ShareServer> server_;
    std::unique_ptr<ShareWindow> window_;
};

}  // namespace ClassShare
