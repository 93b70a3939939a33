#include "classshare/own_share.h"

#include <QFileInfo>

#include "classshare/chart_files.h"
#include "classshare/qr_code.h"
#include "core/tablet_share.h"
#include "core/vexo.h"
#include "platform/window_timer.h"
#include "recording/recording.h"
#include "ui/zanpo.h"

namespace ClassShare {

namespace {

QString CsvName() {
    const QString file = QFileInfo(Vexo::RecordingFile()).fileName();
    return file.isEmpty() ? QStringLiteral("kelvira.csv") : file;
}

}  // namespace

OwnShare::OwnShare(const QString& name) : name_(name) {
    Vexo::TabletShare.on = [this] { return server_ != nullptr; };
    Vexo::TabletShare.switchTo = [this](bool on) {
        if (on)
            start(place_);
        else
            stop();
    };
}

OwnShare::~OwnShare() {
    stop();
    Vexo::TabletShare = {};
}

QString OwnShare::start(const SharePlace& place) {
    stop();
    place_ = place;
    // What the page shows besides the ticks, as it stands now; every change comes with the
    // lesson events from here on.
    std::optional<double> reading;
    if (Vexo::StandingReading.fresh || Vexo::LessonTicks > 0)
        reading = Vexo::StandingReading.degrees;
    lesson_ = std::make_unique<OwnLesson>(
        name_, Vexo::LessonRecord{},
        Vexo::ShownScale{Vexo::ScaleMin, Vexo::ScaleMax, Vexo::IsTrue(Vexo::KionMode)},
        Vexo::Timer2 && Vexo::Timer2->running(), reading, CsvName());
    server_ = std::make_unique<ShareServer>(*lesson_, ChartFiles());
    const QString shown = ShownHost(place);
    QString address = server_->start(place.host, place.port, shown);
    if (address.isEmpty() && place.port != 0) address = server_->start(place.host, 0, shown);
    if (address.isEmpty()) {
        server_.reset();
        lesson_.reset();
        return {};
    }
    lesson_->tell(server_.get());
    Vexo::Listen(*lesson_);
    window_ = std::make_unique<ShareWindow>();
    window_->stopped = [this] { stop(); };
    window_->showAddress(address, QrCode(address));
    server_->countsChanged = [this] {
        if (server_ && window_)
            window_->setCounts(server_->viewers(), server_->refused(), server_->letGo());
    };
    window_->adjustSize();
    if (Vexo::MainWindow) window_->standBeside(*Vexo::MainWindow);
    window_->show();
    return address;
}

void OwnShare::stop() {
    if (lesson_) Vexo::StopListening(*lesson_);
    if (window_) {
        // Stopped from the window itself, perhaps: it goes once its event is over.
        window_->stopped = nullptr;
        window_->hide();
        window_.release()->deleteLater();
    }
    server_.reset();  // every connection closed
    lesson_.reset();
}

}  // namespace ClassShare
