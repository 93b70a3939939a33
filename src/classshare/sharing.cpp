#include "classshare/sharing.h"

#include "classshare/chart_files.h"
#include "classshare/qr_code.h"

namespace ClassShare {

Sharing::Sharing(ClassView::ClassWindow& window, const QString& className)
    : window_(window), source_(window.model(), className) {
    window_.shareSwitched = [this](bool on) {
        if (on)
            start(host_, port_, shownHost_.isEmpty() ? RoomAddress() : shownHost_);
        else
            stop();
    };
    window_.messageTaken = [this](const ClassLink::Message& message) {
        if (server_) source_.taken(message, *server_);
    };
}

Sharing::~Sharing() {
    window_.shareSwitched = nullptr;
    window_.messageTaken = nullptr;
}

QString Sharing::start(const QHostAddress& host, quint16 port, const QString& shownHost) {
    stop();
    host_ = host;
    port_ = port;
    shownHost_ = shownHost;
    server_ = std::make_unique<ShareServer>(source_, ChartFiles());
    QString address = server_->start(host, port, shownHost);
    if (address.isEmpty() && port != 0)  // the port is taken: any free one
        address = server_->start(host, 0, shownHost);
    if (address.isEmpty()) {
        server_.reset();
        return {};
    }
    server_->countsChanged = [this] {
        if (server_)
            window_.setShareCounts(server_->viewers(), server_->refused(), server_->letGo());
    };
    window_.showShare(address, QrCode(address));
    return address;
}

void Sharing::stop() {
    server_.reset();  // every connection closed
    window_.showShare({}, {});
}

}  // namespace ClassShare
