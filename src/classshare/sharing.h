// Sharing the class view's class with the pupils' tablets, switched on by the teacher (the
// graph's menu, or --share): the page's server started with a new token, its address and QR
// code shown in the window; switched off, every connection closed. The prediction and the
// markers go out as the teacher sets them, the class's results once a second when they changed.
#pragma once

#include <QHostAddress>
#include <QString>
#include <QTimer>
#include <memory>

#include "classshare/class_source.h"
#include "classshare/share_place.h"
#include "classshare/share_server.h"
#include "classview/class_window.h"

namespace ClassShare {

class Sharing {
  public:
    // Attaches to `window` (which outlives it), whose class is `className`.
    Sharing(ClassView::ClassWindow& window, const QString& className);
    ~Sharing();
    // Listens at `place`, kept for the menu's switch; the page's address, empty when it cannot
    // listen.
    QString start(const SharePlace& place);
    void stop();
    ShareServer* server() const { return server_.get(); }

  private:
    ClassView::ClassWindow& window_;
    ClassSource source_;
    SharePlace place_;
    std::unique_ptr<ShareServer> server_;
    QTimer results_;
};

}  // namespace ClassShare
