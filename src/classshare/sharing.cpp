#include "classshare/sharing.h"

#include "classshare/chart_files.h"
#include "classshare/qr_code.h"

namespace ClassShare {

Sharing::Sharing(ClassView::ClassWindow& window, const QString& className)
    : window_(window), source_(window.model(), className) {
    window_.shareSwitched = [this](bool on) {
        if (on)
            start(place_);
        else
            stop();
    };
    window_.messageTaken = [this](const ClassLink::Message& message) {
        if (server_) source_.taken(message, *server_);
    };
    window_.stepsChanged = [this] {
        if (server_) source_.tellSteps(*server_);
    };
    results_.setInterval(1000);
    QObject::connect(&results_, &QTimer::timeout, [this] {
        if (server_) source_.tellResults(*server_);
    });
}

Sharing::~Sharing() {
    window_.shareSwitched = nullptr;
    window_.messageTaken = nullptr;
    window_.stepsChanged = nullptr;
}

QString Sharing::start(const SharePlace& place) {
    stop();
    place_ = place;
    server_ = std::make_unique<ShareServer>(source_, ChartFiles());
    const QString shown = ShownHost(place);
    QString address = server_->start(place.host, place.port, shown);
    if (address.isEmpty() && place.port != 0)  // the port is taken: any free one
        address = server_->start(place.host, 0, shown);
    if (address.isEmpty()) {
        server_.reset();
        return {};
    }
    server_->countsChanged = [this] {
        if (server_)
            window_.setShareCounts(server_->viewers(), server_->refused(), server_->letGo());
    };
    source_.startTelling();
    results_.start();
    window_.showShare(address, QrCode(address));
    return address;
}

void Sharing::stop() {
    results_.stop();
    server_.reset();  // every connection closed
    window_.showShare({}, {});
}

}  // namespace ClassShare
