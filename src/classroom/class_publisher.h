// Joining a class: the group's Kelvira publishes its lesson to the class's MQTT broker, where
// the teacher's class view shows every group. It listens to the lesson events as the
// recording does; it takes no commands from the network and subscribes to nothing. Without a
// class named, nothing here runs and no network is touched.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "classlink/broker_connection.h"
#include "classlink/class_messages.h"
#include "core/lesson.h"
#include "core/lesson_events.h"

namespace Vexo {

// One group's lesson as the class sees it: each tick as it is recorded, the lesson so far kept
// retained by the broker in parts (classlink/class_messages.h), so that a class view that
// comes late or comes back is given it whole, and the status with the scale shown. The lesson
// is read where it is held (core/lesson.h); the publisher keeps only which ticks the broker
// has acknowledged, and sends those it has not again, in order, when the line returns.
class ClassPublisher : public QObject, public LessonListener {
  public:
    // After the line returns, the class views reconnect too (within two seconds): what the
    // broker has not acknowledged is sent again once they can hear it.
    static constexpr int ResendAfterMs = 3000;

    // Publishes the lesson `lesson` as `group` through the connection `connect` makes (the
    // broker's by default), starting with the scale `scale`.
    ClassPublisher(const ClassLink::ClassAddress& address, const QString& group,
                   const ShownScale& scale, const LessonRecord& lesson = {},
                   const ClassLink::MakeConnection& connect = ClassLink::ConnectToBroker,
                   int resendAfterMs = ResendAfterMs);
    ~ClassPublisher() override;  // publishes the group offline, then says goodbye

    // Why the link could not even be set up; empty when it could.
    QString error() const { return link_->error(); }
    int acknowledgedTicks() const;

    void lessonStarted() override;
    void tickRecorded(const RecordedTick& tick) override;
    void lessonStopped() override;
    void lessonErased() override;
    // The box's reading goes out about once a second.
    void readingTaken(const Reading& reading) override;
    // The status goes out again when the scale or the sensor has changed.
    void scaleShown(const ShownScale& scale) override;

    // Whether a broker that wants a sign-in has the class's join code asked for (AskJoinCode).
    void askCodeWhenRefused(bool ask) { askCode_ = ask; }

  private:
    QByteArray topic(ClassLink::Kind kind, int part = 0) const;
    void send(int tick);
    void publishPart(int part);
    void publishLessonSoFar();
    void clearLesson();
    void connectionChanged(bool up);
    void faultChanged(ClassLink::LinkFault fault);
    void acknowledged(int message);
    ClassLink::Status status() const;
    void publishStatus();

    QString className_, group_;
    ShownScale scale_;
    LessonRecord lesson_;
    std::unique_ptr<ClassLink::BrokerConnection> link_;
    int resendAfterMs_;
    QElapsedTimer sinceReading_;  // since the last reading went out; not started before one
    QString id_;
    bool measuring_ = false;
    bool sending_ = false;     // ticks go out as they are recorded
    std::vector<bool> acked_;  // for each tick of the lesson: the broker has it
    int firstUnacked_ = 0;
    std::map<int, int> inFlight_;  // message number -> tick
    int ticksSincePart_ = 0;       // ticks since the current part was last published
    QByteArray lastStatus_;
    std::vector<ClassLink::LinkFault> logged_;  // faults the start-up log has said
    bool askCode_ = false;
};

// Joins the class at `url` (mqtt://HOST/CLASS, see classlink/class_address.h) as `group`
// (the host's name when empty); an empty `url` joins none. An address with a user and no
// password takes the password from `passwordFile`, else from the user's own file
// (DefaultPasswordFile). An address without a user and a join code `code` (a class a class
// view opened) sign in as the group with the code. Returns why the class cannot be joined, or
// an empty text; the title and the log say it too. The connection is made in the background;
// the window's title says whether it stands, and why not.
QString JoinClass(const QString& url, const QString& group, const QString& passwordFile = {},
                  const QString& code = {});

// Asks for the join code of a class a class view opened (empty: none given); set by the
// program, which asks in a small dialog. A class joined without a user and without a code
// whose broker wants a sign-in has it asked for once a run, and is joined again with it.
extern std::function<QString()> AskJoinCode;

// Whether a class is joined now, whatever its link's state.
bool InClass();

// Leaves the class: says goodbye to the broker (tests, and the end of the program).
void LeaveClass();

// How many ticks of this measurement the broker has acknowledged (tests, benchmarks).
int ClassTicksAcknowledged();

}  // namespace Vexo
