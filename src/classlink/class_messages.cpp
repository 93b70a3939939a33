#include "classlink/class_messages.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <cmath>

#include "classlink/class_address.h"

namespace ClassLink {

namespace {

constexpr int LongestText = 64;
// Degrees beyond any calibration table's reach are no reading.
constexpr double FarthestDegrees = 100000;

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::Status: return "status";
        case Kind::Tick: return "tick";
        case Kind::Reading: return "reading";
    }
    return "";
}

QByteArray Compact(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonValue RawValue(int raw) {
    return raw >= 0 ? QJsonValue(raw) : QJsonValue(QJsonValue::Null);
}

// Readers of one field each: false when it is missing or not of its form.
bool Text(const QJsonObject& o, const char* key, QString& out, bool required = true) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined()) return !required;
    if (!v.isString() || v.toString().size() > LongestText) return false;
    out = v.toString();
    return true;
}

bool Flag(const QJsonObject& o, const char* key, bool& out, bool required = true) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined()) return !required;
    if (!v.isBool()) return false;
    out = v.toBool();
    return true;
}

bool Number(const QJsonObject& o, const char* key, double& out, bool required = true) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined()) return !required;
    if (!v.isDouble() || !std::isfinite(v.toDouble()) ||
        std::fabs(v.toDouble()) > FarthestDegrees)
        return false;
    out = v.toDouble();
    return true;
}

bool Raw(const QJsonObject& o, int& out) {
    const QJsonValue v = o.value(QLatin1String("raw"));
    if (v.isNull()) {
        out = NoRaw;
        return true;
    }
    if (!v.isDouble()) return false;
    const double d = v.toDouble();
    if (d != std::floor(d) || d < 0 || d > 255) return false;
    out = static_cast<int>(d);
    return true;
}

bool ReadStatus(const QJsonObject& o, Status& s) {
    if (!Text(o, "group", s.group) || !Flag(o, "online", s.online)) return false;
    if (!s.online) return true;  // the last will says no more
    return Flag(o, "measuring", s.measuring) && Text(o, "sensor", s.sensor) &&
           (s.sensor == QLatin1String("air") || s.sensor == QLatin1String("liquid")) &&
           Number(o, "min", s.min) && Number(o, "max", s.max) && s.min < s.max &&
           Text(o, "id", s.id, false) && Text(o, "version", s.version, false);
}

bool ReadTick(const QJsonObject& o, Tick& t) {
    double index = -1;
    if (!Text(o, "id", t.id) || t.id.isEmpty() || !Number(o, "i", index) ||
        !Number(o, "s", t.seconds) || !Number(o, "c", t.degrees) || !Raw(o, t.raw))
        return false;
    if (index != std::floor(index) || index < 0 || index > LastTick) return false;
    t.index = static_cast<int>(index);
    return t.seconds == t.index / 2.0;
}

bool ReadReading(const QJsonObject& o, Reading& r) {
    return Number(o, "c", r.degrees) && Raw(o, r.raw);
}

}  // namespace

QByteArray Topic(const QString& className, const QString& group, Kind kind) {
    return "kelvira/" + className.toUtf8() + "/" + group.toUtf8() + "/" + KindName(kind);
}

QByteArray ClassTopics(const QString& className) {
    return "kelvira/" + className.toUtf8() + "/+/+";
}

QByteArray StatusPayload(const Status& s) {
    return Compact({{"group", s.group},
                    {"online", true},
                    {"measuring", s.measuring},
                    {"sensor", s.sensor},
                    {"min", s.min},
                    {"max", s.max},
                    {"id", s.id},
                    {"version", s.version}});
}

QByteArray WillPayload(const QString& group) {
    return Compact({{"group", group}, {"online", false}});
}

QByteArray TickPayload(const Tick& t) {
    return Compact({{"id", t.id},
                    {"i", t.index},
                    {"s", t.seconds},
                    {"c", t.degrees},
                    {"raw", RawValue(t.raw)}});
}

QByteArray ReadingPayload(const Reading& r) {
    return Compact({{"c", r.degrees}, {"raw", RawValue(r.raw)}});
}

std::optional<Message> ReadMessage(const QString& className, QByteArrayView topic,
                                   QByteArrayView payload) {
    if (payload.size() > LongestPayload || topic.size() > 4 * LongestText) return std::nullopt;
    const QList<QByteArray> levels = topic.toByteArray().split('/');
    if (levels.size() != 4 || levels[0] != "kelvira" ||
        QString::fromUtf8(levels[1]) != className)
        return std::nullopt;
    Message m;
    m.group = QString::fromUtf8(levels[2]);
    if (!IsTopicLevel(m.group) || m.group.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(payload.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    const QJsonObject o = document.object();
    bool read = false;
    if (levels[3] == "status") {
        m.kind = Kind::Status;
        read = ReadStatus(o, m.status) && m.status.group == m.group;
    } else if (levels[3] == "tick") {
        m.kind = Kind::Tick;
        read = ReadTick(o, m.tick);
    } else if (levels[3] == "reading") {
        m.kind = Kind::Reading;
        read = ReadReading(o, m.reading);
    }
    if (!read) return std::nullopt;
    return m;
}

}  // namespace ClassLink
