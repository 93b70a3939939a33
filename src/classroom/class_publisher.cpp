#include "classroom/class_publisher.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QTimer>
#include <algorithm>

#include "config/config_folders.h"
#include "core/start_up_log.h"
#include "core/vexo.h"
#include "core/window_title.h"

namespace Vexo {

namespace {

using ClassLink::Kind;
using ClassLink::LinkFault;

// The current reading goes out about once a second.
constexpr int ReadingEveryMs = 1000;
// The part of the lesson being recorded is published again every this many ticks (5 s), so
// that a view that comes back misses no more than these.
constexpr int PartEveryTicks = 10;

// A client's name no other can guess, so that none can take it over.
QString ClientId(const QString& group) {
    return QStringLiteral("kelvira-") + group + QLatin1Char('-') +
           QString::number(QRandomGenerator::system()->generate64(), 36);
}

// Faults worth a line in the log: those a teacher must set right. A lost line comes back.
bool Logged(LinkFault fault) {
    return fault != LinkFault::None && fault != LinkFault::Connecting && fault != LinkFault::Lost;
}

// Joined with a class's join code: a class opened by a class view, whose broker refuses a
// wrong code and a name already in the class alike.
bool joinedWithCode = false;

// The class joined last, as it was asked for: joined again with the code the teacher's screen
// shows, when its broker lets nobody in without one.
struct Joined {
    QString url, group, passwordFile;
    bool codeAsked = false;  // the code is asked for once a run
};
Joined joined;

// The broker wants a sign-in the address does not give: a class opened by a class view,
// joined without its code.
bool WantsCode(LinkFault fault) {
    return fault == LinkFault::NotAllowed || fault == LinkFault::BadLogin ||
           fault == LinkFault::NeedsLogin;
}

void AskForCode() {
    if (joined.codeAsked || !AskJoinCode) return;
    joined.codeAsked = true;
    const QString code = AskJoinCode().trimmed();
    if (!code.isEmpty()) JoinClass(joined.url, joined.group, joined.passwordFile, code);
}

QString FaultWords(LinkFault fault) {
    if (joinedWithCode && (fault == LinkFault::NotAllowed || fault == LinkFault::BadLogin))
        return QStringLiteral("参加コードが違うか、同じ名前のグループがもう入っています");
    return ClassLink::LinkFaultText(fault);
}

void ShowClassFault(LinkFault fault) {
    SetTitleMark(TitleMark::ClassJoined, fault == LinkFault::None);
    SetTitleMark(TitleMark::ClassTrying, fault == LinkFault::Connecting || fault == LinkFault::Lost);
    const bool faulty = fault != LinkFault::None && fault != LinkFault::Connecting &&
                        fault != LinkFault::Lost;
    SetTitleMark(TitleMark::ClassFault, faulty,
                 QStringLiteral("（クラス：") + FaultWords(fault) + QStringLiteral("）"));
}

}  // namespace

ClassPublisher::ClassPublisher(const ClassLink::ClassAddress& address, const QString& group,
                               const ShownScale& scale, const LessonRecord& lesson,
                               const ClassLink::MakeConnection& connect, int resendAfterMs)
    : className_(address.className),
      group_(group),
      scale_(scale),
      lesson_(lesson),
      resendAfterMs_(resendAfterMs) {
    ClassLink::BrokerConnection::Callbacks callbacks;
    // The link calls from its own thread: everything is handed to this one.
    callbacks.connection = [this](bool up) {
        QMetaObject::invokeMethod(this, [this, up] { connectionChanged(up); },
                                  Qt::QueuedConnection);
    };
    callbacks.fault = [this](LinkFault fault) {
        QMetaObject::invokeMethod(this, [this, fault] { faultChanged(fault); },
                                  Qt::QueuedConnection);
    };
    callbacks.acknowledged = [this](int message) {
        QMetaObject::invokeMethod(this, [this, message] { acknowledged(message); },
                                  Qt::QueuedConnection);
    };
    link_ = connect(address, ClientId(group),
                    {topic(Kind::Status), ClassLink::WillPayload(group)}, callbacks);
    faultChanged(link_->setUpFault() != LinkFault::None ? link_->setUpFault()
                                                         : LinkFault::Connecting);
    link_->start();
}

ClassPublisher::~ClassPublisher() {
    // A group that leaves says so as its last will would; the goodbye follows it.
    link_->publish(topic(Kind::Status), ClassLink::WillPayload(group_), 1, true);
    link_.reset();  // no callback comes after this
    SetTitleMark(TitleMark::ClassJoined, false);
    SetTitleMark(TitleMark::ClassTrying, false);
    SetTitleMark(TitleMark::ClassFault, false);
}

int ClassPublisher::acknowledgedTicks() const {
    return static_cast<int>(std::count(acked_.begin(), acked_.end(), true));
}

void ClassPublisher::lessonStarted() {
    if (id_.isEmpty()) {
        // A new measurement, named by its start: what a run before left on the broker goes.
        id_ = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
        clearLesson();
    }
    measuring_ = true;
    publishStatus();
}

void ClassPublisher::tickRecorded(const RecordedTick& t) {
    // A tick recorded again after a pause takes the place of its old self and of every tick
    // after it, as in the lesson's file.
    acked_.resize(static_cast<size_t>(t.index));
    acked_.push_back(false);
    firstUnacked_ = std::min(firstUnacked_, t.index);
    send(t.index);
    const bool partFull = (t.index + 1) % ClassLink::LessonPartTicks == 0;
    if (partFull || ++ticksSincePart_ >= PartEveryTicks)
        publishPart(t.index / ClassLink::LessonPartTicks);
}

void ClassPublisher::lessonStopped() {
    measuring_ = false;
    publishStatus();
    if (lesson_.size() > 0) publishPart((lesson_.size() - 1) / ClassLink::LessonPartTicks);
}

void ClassPublisher::lessonErased() {
    clearLesson();
    id_.clear();
    acked_.clear();
    inFlight_.clear();
    firstUnacked_ = 0;
    publishStatus();
}

QByteArray ClassPublisher::topic(Kind kind, int part) const {
    return ClassLink::Topic(className_, group_, kind, part);
}

// Tick `tick` of the lesson, as the lesson holds it.
void ClassPublisher::send(int tick) {
    if (!sending_) return;  // the resend after the line's return takes it
    const ClassLink::Tick sent{id_, tick, tick / 2.0, lesson_.degrees(tick), lesson_.raw[tick]};
    const int message = link_->publish(topic(Kind::Tick), ClassLink::TickPayload(sent), 1, false);
    if (message >= 0) inFlight_[message] = tick;
}

// The part of the lesson so far that holds tick `part * LessonPartTicks` on, retained.
void ClassPublisher::publishPart(int part) {
    ticksSincePart_ = 0;
    const int from = part * ClassLink::LessonPartTicks;
    std::vector<float> degrees(std::min(lesson_.size(), from + ClassLink::LessonPartTicks));
    for (int t = from; t < static_cast<int>(degrees.size()); ++t) degrees[t] = lesson_.degrees(t);
    link_->publish(topic(Kind::Lesson, part), ClassLink::LessonPayload(id_, part, degrees), 1,
                   true);
}

void ClassPublisher::publishLessonSoFar() {
    if (lesson_.size() == 0) return;
    const int last = (lesson_.size() - 1) / ClassLink::LessonPartTicks;
    for (int part = 0; part <= last; ++part) publishPart(part);
}

// Every part the broker may keep, emptied: the broker then keeps none.
void ClassPublisher::clearLesson() {
    for (int part = 0; part < ClassLink::LessonParts; ++part)
        link_->publish(topic(Kind::Lesson, part), QByteArray(), 1, true);
}

void ClassPublisher::connectionChanged(bool up) {
    inFlight_.clear();
    sending_ = false;
    if (!up) return;
    lastStatus_.clear();
    publishStatus();
    // A broker that was away may have lost what it kept.
    publishLessonSoFar();
    QTimer::singleShot(resendAfterMs_, this, [this] {
        if (!link_->connected() || sending_) return;
        sending_ = true;
        // Whatever the broker has not acknowledged, from the lesson's own record, in order.
        for (int i = firstUnacked_; i < static_cast<int>(acked_.size()); ++i)
            if (!acked_[i]) send(i);
    });
}

void ClassPublisher::faultChanged(LinkFault fault) {
    ShowClassFault(fault);
    // Asked once the link has said why, outside its call: joining again ends this publisher.
    if (askCode_ && WantsCode(fault)) QTimer::singleShot(0, [] { AskForCode(); });
    if (!Logged(fault) || std::count(logged_.begin(), logged_.end(), fault)) return;
    logged_.push_back(fault);
    PrintLog(QStringLiteral("クラス：") + FaultWords(fault));
}

void ClassPublisher::acknowledged(int message) {
    const auto sent = inFlight_.find(message);
    if (sent == inFlight_.end()) return;
    const int tick = sent->second;
    inFlight_.erase(sent);
    if (tick < static_cast<int>(acked_.size())) acked_[tick] = true;
    while (firstUnacked_ < static_cast<int>(acked_.size()) && acked_[firstUnacked_])
        ++firstUnacked_;
}

ClassLink::Status ClassPublisher::status() const {
    ClassLink::Status s;
    s.group = group_;
    s.online = true;
    s.measuring = measuring_;
    s.sensor = scale_.air ? QStringLiteral("air") : QStringLiteral("liquid");
    s.min = scale_.min;
    s.max = scale_.max;
    s.id = id_;
    s.version = QStringLiteral(KELVIRA_VERSION_TEXT);
    return s;
}

// The status is retained by the broker: a class view started later sees it at once.
void ClassPublisher::publishStatus() {
    const QByteArray payload = ClassLink::StatusPayload(status());
    if (payload == lastStatus_) return;
    if (link_->publish(topic(Kind::Status), payload, 1, true) >= 0) lastStatus_ = payload;
}

void ClassPublisher::scaleShown(const ShownScale& scale) {
    scale_ = scale;
    publishStatus();
}

void ClassPublisher::readingTaken(const Reading& reading) {
    if (sinceReading_.isValid() && sinceReading_.elapsed() < ReadingEveryMs) return;
    sinceReading_.start();
    link_->publish(topic(Kind::Reading), ClassLink::ReadingPayload({reading.degrees, reading.raw}),
                   0, false);
}

std::function<QString()> AskJoinCode;

namespace {

std::unique_ptr<ClassPublisher> publisher;

void ShowAddressFault(const QString& why) {
    SetTitleMark(TitleMark::ClassFault, true,
                 QStringLiteral("（クラス：アドレスが正しくありません）"));
    PrintLog(QStringLiteral("クラス：アドレスが正しくありません"));
    PrintLogNaming(QStringLiteral("　"), why);
}

}  // namespace

QString JoinClass(const QString& url, const QString& group, const QString& passwordFile,
                  const QString& code) {
    LeaveClass();
    if (url.trimmed().isEmpty()) return {};
    ClassLink::ClassAddress address = ClassLink::ParseClassAddress(url);
    joinedWithCode = address.valid() && address.user.isEmpty() && !code.trimmed().isEmpty();
    if (url != joined.url) joined = {url, group, passwordFile, false};
    if (address.valid() && !joinedWithCode)
        ClassLink::TakePassword(address,
                                passwordFile.isEmpty() ? DefaultPasswordFile() : passwordFile,
                                !passwordFile.isEmpty());
    if (!address.valid()) {
        ShowAddressFault(address.error);
        return address.error;
    }
    QString name = group.trimmed().isEmpty() ? QSysInfo::machineHostName() : group.trimmed();
    if (!ClassLink::IsTopicLevel(name)) {
        const QString why = QStringLiteral("the group's name cannot stand in a topic: ") + name;
        ShowAddressFault(why);
        return why;
    }
    // With a join code, the group signs in under its own name.
    if (joinedWithCode) {
        address.user = name;
        address.password = code.trimmed();
    }
    // The scale the group starts with; every change after it comes with the events.
    publisher = std::make_unique<ClassPublisher>(address, name,
                                                 ShownScale{ScaleMin, ScaleMax, IsTrue(KionMode)});
    publisher->askCodeWhenRefused(address.user.isEmpty() && !joinedWithCode);
    if (!publisher->error().isEmpty()) {
        // Said in the title and the log as the link's fault; the window stays, without a class.
        return publisher->error();
    }
    Listen(*publisher);
    return {};
}

bool InClass() {
    return publisher != nullptr;
}

int ClassTicksAcknowledged() {
    return publisher ? publisher->acknowledgedTicks() : 0;
}

void LeaveClass() {
    SetTitleMark(TitleMark::ClassFault, false);
    if (!publisher) return;
    StopListening(*publisher);
    publisher.reset();
}

}  // namespace Vexo
