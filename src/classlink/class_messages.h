// What a group's Kelvira publishes to its class, and reading it back. Topics lie under
// kelvira/<class>/<group>/; every payload is a JSON object:
//   status   retained  {"group":"1班","online":true,"measuring":true,"sensor":"liquid",
//                       "min":-10,"max":100,"id":"2026-12-08T10:42:05","version":"1.0.0"}
//            the last will, also retained: {"group":"1班","online":false}
//   tick     QoS 1     {"id":"2026-12-08T10:42:05","i":12,"s":6.0,"c":23.5,"raw":63}
//                      (the measurement's start as its id; "raw":null for a held reading)
//   reading  QoS 0     {"c":23.0,"raw":63}, about once a second
//   lesson/<n> retained, QoS 1: the lesson so far, in parts of 1 000 ticks,
//                      {"id":"2026-12-08T10:42:05","from":1000,"c":[23.5,23.5,23.0]}
//            (part n holds ticks from n * 1000 on; an empty payload clears the part)
// The status's id names the group's current measurement; a measurement's id is its start in
// local time, yyyy-MM-ddTHH:mm:ss. Degrees lie between -50 and 150, what the box's sensors
// can give; a scale between -100 and 200.
// A payload read back is untrusted: whatever is not exactly of this form is refused.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace ClassLink {

// The longest payload read; anything longer is refused unread. A part of the lesson may be
// longer.
constexpr int LongestPayload = 1024;
constexpr int LongestLessonPayload = 16384;
// Ticks of a measurement: 0 .. LastTick.
constexpr int LastTick = 10000;
// Ticks in a part of the lesson so far, and the parts of a whole lesson.
constexpr int LessonPartTicks = 1000;
constexpr int LessonParts = LastTick / LessonPartTicks + 1;
// What the box's sensors can give, in degrees; and how far a scale may reach.
constexpr double ColdestReading = -50, HottestReading = 150;
constexpr double LowestScale = -100, HighestScale = 200;
// The raw byte of a held reading.
constexpr int NoRaw = -1;

struct Status {
    QString group;
    bool online = false;
    bool measuring = false;
    QString sensor;  // "air" or "liquid"
    double min = 0, max = 0;
    QString id;  // the current measurement, empty before the first
    QString version;
};

struct Tick {
    QString id;
    int index = 0;
    double seconds = 0;
    double degrees = 0;
    int raw = NoRaw;
};

struct Reading {
    double degrees = 0;
    int raw = NoRaw;
};

// A part of the lesson so far: the ticks from `from` on.
struct LessonPart {
    QString id;
    int from = 0;
    std::vector<float> degrees;
    bool cleared = false;  // the empty payload: the part holds nothing any more
};

enum class Kind { Status, Tick, Reading, Lesson };

// kelvira/<class>/<group>/<kind>, and kelvira/<class>/<group>/lesson/<part> for a part.
QByteArray Topic(const QString& className, const QString& group, Kind kind, int part = 0);
// The subscriptions to every message of every group of a class, and to nothing else: each
// kind by name and each part of the lesson by number, so that what a group writes beside or
// below its own messages never reaches a view.
QList<QByteArray> ClassTopics(const QString& className);

// True for a measurement's id: its start, yyyy-MM-ddTHH:mm:ss, a real moment.
bool IsMeasurementId(const QString& id);

QByteArray StatusPayload(const Status& status);
QByteArray WillPayload(const QString& group);
QByteArray TickPayload(const Tick& tick);
QByteArray ReadingPayload(const Reading& reading);
// The part of `degrees` (the whole lesson, by tick) that part `part` holds.
QByteArray LessonPayload(const QString& id, int part, const std::vector<float>& degrees);

// One message of the class, as read.
struct Message {
    Kind kind = Kind::Status;
    QString group;  // from the topic
    Status status;
    Tick tick;
    Reading reading;
    LessonPart lesson;
};

// The message of `payload` on `topic`, when the topic lies in `className` and the payload is
// of its kind's form; nothing otherwise.
std::optional<Message> ReadMessage(const QString& className, QByteArrayView topic,
                                   QByteArrayView payload);

}  // namespace ClassLink
