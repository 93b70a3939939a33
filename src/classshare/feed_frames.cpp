#include "classshare/feed_frames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <cmath>

namespace ClassShare {

namespace {

QByteArray Text(const QString& text) {
    // A JSON string, quoted and escaped, through Qt's own writer.
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

}  // namespace

QByteArray Degrees(double degrees) {
    if (!std::isfinite(degrees)) return "null";
    QByteArray text = QByteArray::number(std::round(degrees * 100) / 100, 'f', 2);
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
    if (text == "-0") text = "0";
    return text;
}

QByteArray GroupJson(const GroupShown& g) {
    return "{\"n\":" + Text(g.name) + ",\"c\":" + Text(g.colour) + ",\"s\":" + Text(g.state) +
           ",\"r\":" + (g.reading ? Degrees(*g.reading) : QByteArray("null")) +
           ",\"k\":" + Text(g.sensor) + ",\"lo\":" + Degrees(g.low) + ",\"hi\":" + Degrees(g.high) +
           "}";
}

QByteArray ClassFrame(const QString& className, bool alone, const QByteArray& groupsJson) {
    return "{\"t\":\"class\",\"class\":" + Text(className) +
           ",\"alone\":" + (alone ? "true" : "false") + ",\"groups\":[" + groupsJson + "]}";
}

QByteArray GroupFrame(const GroupShown& group) {
    return "{\"t\":\"group\"," + GroupJson(group).mid(1);
}

QByteArray ReadyFrame() {
    return "{\"t\":\"ready\"}";
}

QByteArray TicksFrame(const QString& name, int from, int count, bool fresh,
                      const std::function<std::optional<double>(int)>& degreesOf) {
    QByteArray frame = "{\"t\":\"ticks\",\"n\":" + Text(name) +
                       ",\"from\":" + QByteArray::number(from) + ",\"d\":[";
    frame.reserve(frame.size() + count * 7 + 20);
    for (int tick = from; tick < from + count; ++tick) {
        if (tick > from) frame += ',';
        const std::optional<double> d = degreesOf(tick);
        frame += d ? Degrees(*d) : QByteArray("null");
    }
    return frame + "],\"new\":" + (fresh ? "true" : "false") + "}";
}

}  // namespace ClassShare
