#include "classshare/own_lesson.h"

#include "classshare/share_server.h"
#include "classview/results_table.h"
#include "recording/lesson_file.h"

namespace ClassShare {

namespace {

// The trace's colour on the page: the red of Kelvira's own graph.
const QString TraceRed = QStringLiteral("#ff0000");

}  // namespace

OwnLesson::OwnLesson(const QString& name, const Vexo::LessonRecord& lesson,
                     const Vexo::ShownScale& scale, bool measuring, std::optional<double> reading,
                     const QString& csvName)
    : name_(name),
      lesson_(lesson),
      scale_(scale),
      measuring_(measuring),
      reading_(reading),
      csvName_(csvName),
      told_(lesson.size()) {
    results_.setInterval(1000);
    QObject::connect(&results_, &QTimer::timeout, [this] { tellResults(); });
}

void OwnLesson::tell(ShareServer* server) {
    server_ = server;
    toldResults_ = resultsFrame();
    if (server_)
        results_.start();
    else
        results_.stop();
}

QByteArray OwnLesson::resultsFrame() const {
    const ClassView::Summary summary =
        ClassView::Summarize(lesson_.size(), [this](int tick) { return lesson_.degrees(tick); });
    const ClassView::ResultsTable table = ClassView::MakeResults({name_}, {summary}, false);
    return ResultsFrame(table.head, table.rows, table.mean);
}

void OwnLesson::tellResults() {
    if (!server_) return;
    QByteArray frame = resultsFrame();
    if (frame != toldResults_) server_->tellGroup(frame);
    toldResults_ = std::move(frame);
}

QByteArrayList OwnLesson::stepFrames() const {
    return {PredictionFrame({}), MarkersFrame({}), resultsFrame()};
}

GroupShown OwnLesson::shown() const {
    GroupShown g;
    g.name = name_;
    g.colour = TraceRed;
    g.state = measuring_ ? QStringLiteral("そくてい中") : QStringLiteral("ていし");
    g.reading = reading_;
    g.sensor = scale_.air ? QStringLiteral("きおん") : QStringLiteral("えきおん");
    g.low = scale_.min;
    g.high = scale_.max;
    return g;
}

QByteArray OwnLesson::classFrame() const {
    return ClassFrame(name_, true, GroupJson(shown()));
}

int OwnLesson::ticks(int) const {
    return lesson_.size();
}

QByteArray OwnLesson::ticksFrame(int, int from, int count, bool fresh) const {
    return TicksFrame(name_, from, count, fresh,
                      [this](int tick) -> std::optional<double> { return lesson_.degrees(tick); });
}

QByteArray OwnLesson::csv() const {
    return Vexo::LessonCsv(lesson_);
}

void OwnLesson::tellGroup() {
    if (server_) server_->tellGroup(GroupFrame(shown()));
}

void OwnLesson::lessonStarted() {
    measuring_ = true;
    tellGroup();
    // A measurement started after an erase begins the page's trace anew.
    if (lesson_.size() == 0 && server_) server_->tellTicks(0, 0, 0, true);
    told_ = lesson_.size();
}

void OwnLesson::tickRecorded(const Vexo::RecordedTick& tick) {
    if (!server_) return;
    // A tick recorded again after a pause ends the lesson there: the page is given it anew.
    if (tick.index < told_) {
        server_->tellTicks(0, 0, lesson_.size(), true);
    } else {
        server_->tellTicks(0, tick.index, 1, false);
    }
    told_ = lesson_.size();
}

void OwnLesson::lessonStopped() {
    measuring_ = false;
    tellGroup();
}

void OwnLesson::lessonErased() {
    measuring_ = false;
    told_ = 0;
    tellGroup();
    if (server_) server_->tellTicks(0, 0, 0, true);
}

void OwnLesson::readingTaken(const Vexo::Reading& reading) {
    const double degrees = reading.degrees;
    if (reading_ && *reading_ == degrees) return;  // the page is told of changes only
    reading_ = degrees;
    tellGroup();
}

void OwnLesson::scaleShown(const Vexo::ShownScale& scale) {
    scale_ = scale;
    tellGroup();
}

}  // namespace ClassShare
