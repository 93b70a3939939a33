#include "classroom/class_publisher.h"

#include <QDateTime>
#include <QSysInfo>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "classlink/broker_link.h"
#include "classlink/class_messages.h"
#include "core/lesson_events.h"
#include "core/vexo.h"
#include "core/window_title.h"

namespace Vexo {

namespace {

using ClassLink::Kind;

// The current reading goes out about once a second.
constexpr int ReadingEveryMs = 1000;
// After the line returns, the class views reconnect too (within two seconds): what the broker
// has not acknowledged is sent again once they can hear it.
constexpr int ResendAfterMs = 3000;

// The lesson as the class sees it: every tick recorded in this measurement, and which of
// them the broker has acknowledged. Ticks not yet acknowledged when the line returns are sent
// again from here, in order.
class Publisher : public QObject, public LessonListener {
  public:
    Publisher(const ClassLink::ClassAddress& address, const QString& group)
        : className_(address.className), group_(group) {
        ClassLink::BrokerLink::Callbacks callbacks;
        // The link calls from its own thread: everything is handed to this one.
        callbacks.connection = [this](bool up) {
            QMetaObject::invokeMethod(this, [this, up] { connectionChanged(up); },
                                      Qt::QueuedConnection);
        };
        callbacks.acknowledged = [this](int message) {
            QMetaObject::invokeMethod(this, [this, message] { acknowledged(message); },
                                      Qt::QueuedConnection);
        };
        link_ = std::make_unique<ClassLink::BrokerLink>(
            address, QStringLiteral("kelvira-") + group + QLatin1Char('-') +
                         QString::number(QDateTime::currentMSecsSinceEpoch()),
            ClassLink::BrokerLink::Will{topic(Kind::Status), ClassLink::WillPayload(group)},
            callbacks);
        QObject::connect(&readingTimer_, &QTimer::timeout, this, [this] { publishReading(); });
        readingTimer_.start(ReadingEveryMs);
        SetTitleMark(TitleMark::ClassTrying, true);
        link_->start();
    }

    ~Publisher() override {
        // A group that leaves says so as its last will would; the goodbye follows it.
        link_->publish(topic(Kind::Status), ClassLink::WillPayload(group_), 1, true);
        link_.reset();  // no callback comes after this
        SetTitleMark(TitleMark::ClassJoined, false);
        SetTitleMark(TitleMark::ClassTrying, false);
    }

    QString error() const { return link_->error(); }
    int acknowledgedTicks() const { return static_cast<int>(std::count(acked_.begin(), acked_.end(), true)); }

    void lessonStarted() override {
        if (id_.isEmpty())
            id_ = QDateTime::currentDateTime().toString(Qt::ISODate);  // the measurement's id
        measuring_ = true;
        publishStatus();
    }

    void tickRecorded(const RecordedTick& t) override {
        // A tick recorded again after a pause takes the place of its old self and of every
        // tick after it, as in the lesson's file.
        const auto index = static_cast<size_t>(t.index);
        if (index > ticks_.size()) return;
        ticks_.resize(index);
        acked_.resize(index);
        ticks_.push_back({id_, t.index, t.seconds, t.degrees, t.raw});
        acked_.push_back(false);
        firstUnacked_ = std::min(firstUnacked_, index);
        send(index);
    }

    void lessonStopped() override {
        measuring_ = false;
        publishStatus();
    }

    void lessonErased() override {
        id_.clear();
        ticks_.clear();
        acked_.clear();
        inFlight_.clear();
        firstUnacked_ = 0;
        publishStatus();
    }

  private:
    QByteArray topic(Kind kind) const { return ClassLink::Topic(className_, group_, kind); }

    void send(size_t index) {
        if (!sending_) return;  // the resend after the line's return takes it
        const int message =
            link_->publish(topic(Kind::Tick), ClassLink::TickPayload(ticks_[index]), 1, false);
        if (message >= 0) inFlight_[message] = index;
    }

    void connectionChanged(bool up) {
        SetTitleMark(TitleMark::ClassJoined, up);
        SetTitleMark(TitleMark::ClassTrying, !up);
        inFlight_.clear();
        sending_ = false;
        if (!up) return;
        lastStatus_.clear();
        publishStatus();
        QTimer::singleShot(ResendAfterMs, this, [this] {
            if (!link_->connected() || sending_) return;
            sending_ = true;
            // Whatever the broker has not acknowledged, from the lesson's own record, in order.
            for (size_t i = firstUnacked_; i < ticks_.size(); ++i)
                if (!acked_[i]) send(i);
        });
    }

    void acknowledged(int message) {
        const auto sent = inFlight_.find(message);
        if (sent == inFlight_.end()) return;
        const size_t index = sent->second;
        inFlight_.erase(sent);
        if (index < acked_.size()) acked_[index] = true;
        while (firstUnacked_ < acked_.size() && acked_[firstUnacked_]) ++firstUnacked_;
    }

    ClassLink::Status status() const {
        ClassLink::Status s;
        s.group = group_;
        s.online = true;
        s.measuring = measuring_;
        s.sensor = IsTrue(KionMode) ? QStringLiteral("air") : QStringLiteral("liquid");
        s.min = ScaleMin;
        s.max = ScaleMax;
        s.id = id_;
        s.version = QStringLiteral(KELVIRA_VERSION_TEXT);
        return s;
    }

    // The status is retained by the broker: a class view started later sees it at once.
    void publishStatus() {
        const QByteArray payload = ClassLink::StatusPayload(status());
        if (payload == lastStatus_) return;
        if (link_->publish(topic(Kind::Status), payload, 1, true) >= 0) lastStatus_ = payload;
    }

    void publishReading() {
        publishStatus();  // a range widened by the readings reaches the class too
        if (AnswerCount == 0) return;
        const int raw = std::clamp<int>(RawValue, 0, LastRaw);
        link_->publish(topic(Kind::Reading),
                       ClassLink::ReadingPayload({double(ConvTable[raw]), raw}), 0, false);
    }

    QString className_, group_;
    std::unique_ptr<ClassLink::BrokerLink> link_;
    QTimer readingTimer_;
    QString id_;
    bool measuring_ = false;
    bool sending_ = false;  // ticks go out as they are recorded
    std::vector<ClassLink::Tick> ticks_;
    std::vector<bool> acked_;
    size_t firstUnacked_ = 0;
    std::map<int, size_t> inFlight_;  // message number -> tick
    QByteArray lastStatus_;
};

std::unique_ptr<Publisher> publisher;

}  // namespace

QString JoinClass(const QString& url, const QString& group) {
    LeaveClass();
    if (url.trimmed().isEmpty()) return {};
    const ClassLink::ClassAddress address = ClassLink::ParseClassAddress(url);
    if (!address.valid()) return address.error;
    QString name = group.trimmed().isEmpty() ? QSysInfo::machineHostName() : group.trimmed();
    if (!ClassLink::IsTopicLevel(name))
        return QStringLiteral("the group's name cannot stand in a topic: ") + name;
    publisher = std::make_unique<Publisher>(address, name);
    if (!publisher->error().isEmpty()) {
        const QString why = publisher->error();
        publisher.reset();
        return why;
    }
    Listen(*publisher);
    return {};
}

int ClassTicksAcknowledged() {
    return publisher ? publisher->acknowledgedTicks() : 0;
}

void LeaveClass() {
    if (!publisher) return;
    StopListening(*publisher);
    publisher.reset();
}

}  // namespace Vexo
