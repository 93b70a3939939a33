#include "classlink/class_messages.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <cmath>

#include "classlink/class_address.h"

namespace ClassLink {

namespace {

constexpr int LongestText = 64;

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::Status: return "status";
        case Kind::Tick: return "tick";
        case Kind::Reading: return "reading";
        case Kind::Lesson: return "lesson";
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

bool Within(const QJsonValue& v, double low, double high) {
    return v.isDouble() && std::isfinite(v.toDouble()) && v.toDouble() >= low &&
           v.toDouble() <= high;
}

bool Number(const QJsonObject& o, const char* key, double& out, double low, double high) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (!Within(v, low, high)) return false;
    out = v.toDouble();
    return true;
}

bool Degrees(const QJsonObject& o, const char* key, double& out) {
    return Number(o, key, out, ColdestReading, HottestReading);
}

bool Id(const QJsonObject& o, QString& out) {
    return Text(o, "id", out) && IsMeasurementId(out);
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
           Number(o, "min", s.min, LowestScale, HighestScale) &&
           Number(o, "max", s.max, LowestScale, HighestScale) && s.min < s.max &&
           Text(o, "id", s.id, false) && (s.id.isEmpty() || IsMeasurementId(s.id)) &&
           Text(o, "version", s.version, false);
}

bool ReadTick(const QJsonObject& o, Tick& t) {
    double index = -1;
    if (!Id(o, t.id) || !Number(o, "i", index, 0, LastTick) ||
        !Number(o, "s", t.seconds, 0, LastTick / 2.0) || !Degrees(o, "c", t.degrees) ||
        !Raw(o, t.raw))
        return false;
    if (index != std::floor(index)) return false;
    t.index = static_cast<int>(index);
    return t.seconds == t.index / 2.0;
}

bool ReadReading(const QJsonObject& o, Reading& r) {
    return Degrees(o, "c", r.degrees) && Raw(o, r.raw);
}

bool ReadLessonPart(const QJsonObject& o, int part, LessonPart& l) {
    double from = -1;
    if (!Id(o, l.id) || !Number(o, "from", from, 0, LastTick) ||
        from != double(part) * LessonPartTicks)
        return false;
    l.from = static_cast<int>(from);
    const QJsonValue values = o.value(QLatin1String("c"));
    if (!values.isArray()) return false;
    const QJsonArray array = values.toArray();
    if (array.size() > LessonPartTicks || l.from + array.size() > LastTick + 1) return false;
    l.degrees.reserve(static_cast<size_t>(array.size()));
    for (const QJsonValue& v : array) {
        if (!Within(v, ColdestReading, HottestReading)) return false;
        l.degrees.push_back(static_cast<float>(v.toDouble()));
    }
    return true;
}

// The part's number from its topic level: digits only, within the lesson's parts.
int PartNumber(const QByteArray& level) {
    bool ok = false;
    const int n = level.toInt(&ok);
    if (!ok || n < 0 || n >= LessonParts || QByteArray::number(n) != level) return -1;
    return n;
}

}  // namespace

QByteArray Topic(const QString& className, const QString& group, Kind kind, int part) {
    QByteArray topic = "kelvira/" + className.toUtf8() + "/" + group.toUtf8() + "/" + KindName(kind);
    if (kind == Kind::Lesson) topic += "/" + QByteArray::number(part);
    return topic;
}

QList<QByteArray> ClassTopics(const QString& className) {
    // Each group's status first: a late view then knows each group's measurement before its
    // lesson comes.
    QList<QByteArray> topics;
    for (const Kind kind : {Kind::Status, Kind::Tick, Kind::Reading})
        topics << Topic(className, QStringLiteral("+"), kind);
    for (int part = 0; part < LessonParts; ++part)
        topics << Topic(className, QStringLiteral("+"), Kind::Lesson, part);
    return topics;
}

bool IsMeasurementId(const QString& id) {
    static const QString Shape = QStringLiteral("0000-00-00T00:00:00");  // 0: a digit
    if (id.size() != Shape.size()) return false;
    for (qsizetype i = 0; i < id.size(); ++i) {
        const bool digit = id[i] >= u'0' && id[i] <= u'9';
        if (Shape[i] == u'0' ? !digit : id[i] != Shape[i]) return false;
    }
    return QDateTime::fromString(id, QStringLiteral("yyyy-MM-ddTHH:mm:ss")).isValid();
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

QByteArray LessonPayload(const QString& id, int part, const std::vector<float>& degrees) {
    const size_t from = static_cast<size_t>(part) * LessonPartTicks;
    QJsonArray values;
    for (size_t t = from; t < degrees.size() && t < from + LessonPartTicks; ++t)
        // To the hundredth, as the lesson's file writes it: a float written in full (23.4 as
        // 23.399999618530273) would take a part of 1 000 ticks past what a view accepts.
        values.append(std::round(double(degrees[t]) * 100) / 100);
    return Compact({{"id", id}, {"from", static_cast<int>(from)}, {"c", values}});
}

std::optional<Message> ReadMessage(const QString& className, QByteArrayView topic,
                                   QByteArrayView payload) {
    if (payload.size() > LongestLessonPayload || topic.size() > 4 * LongestText)
        return std::nullopt;
    const QList<QByteArray> levels = topic.toByteArray().split('/');
    if (levels.size() < 4 || levels[0] != "kelvira" || QString::fromUtf8(levels[1]) != className)
        return std::nullopt;
    Message m;
    m.group = QString::fromUtf8(levels[2]);
    if (!IsTopicLevel(m.group) || m.group.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    int part = -1;
    if (levels.size() == 5) {
        part = levels[3] == "lesson" ? PartNumber(levels[4]) : -1;
        if (part < 0) return std::nullopt;
        m.kind = Kind::Lesson;
        m.lesson.from = part * LessonPartTicks;
        if (payload.isEmpty()) {  // the part was cleared
            m.lesson.cleared = true;
            return m;
        }
    } else if (levels.size() != 4 || payload.size() > LongestPayload) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(payload.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    const QJsonObject o = document.object();
    bool read = false;
    if (part >= 0) {
        read = ReadLessonPart(o, part, m.lesson);
    } else if (levels[3] == "status") {
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
