// What a group's Kelvira publishes to its class, and reading it back. Topics lie under
// kelvira/<class>/<group>/; every payload is a JSON object:
//   status   retained  {"group":"1班","online":true,"measuring":true,"sensor":"liquid",
//                       "min":-10,"max":100,"id":"2026-12-08T10:42:05","version":"1.0.0"}
//            the last will, also retained: {"group":"1班","online":false}
//   tick     QoS 1     {"id":"2026-12-08T10:42:05","i":12,"s":6.0,"c":23.5,"raw":63}
//                      (the measurement's start as its id; "raw":null for a held reading)
//   reading  QoS 0     {"c":23.0,"raw":63}, about once a second
// A payload read back is untrusted: whatever is not exactly of this form is refused.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace ClassLink {

// The longest payload read; anything longer is refused unread.
constexpr int LongestPayload = 1024;
// Ticks of a measurement: 0 .. LastTick.
constexpr int LastTick = 10000;
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

enum class Kind { Status, Tick, Reading };

// kelvira/<class>/<group>/<kind>
QByteArray Topic(const QString& className, const QString& group, Kind kind);
// The subscription to every group of a class.
QByteArray ClassTopics(const QString& className);

QByteArray StatusPayload(const Status& status);
QByteArray WillPayload(const QString& group);
QByteArray TickPayload(const Tick& tick);
QByteArray ReadingPayload(const Reading& reading);

// One message of the class, as read.
struct Message {
    Kind kind = Kind::Status;
    QString group;  // from the topic
    Status status;
    Tick tick;
    Reading reading;
};

// The message of `payload` on `topic`, when the topic lies in `className` and the payload is
// of its kind's form; nothing otherwise.
std::optional<Message> ReadMessage(const QString& className, QByteArrayView topic,
                                   QByteArrayView payload);

}  // namespace ClassLink
