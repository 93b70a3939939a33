#include "classshare/feed_frames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <algorithm>
#include <cmath>

namespace ClassShare {

namespace {

QByteArray Text(const QString& text) {
    // A JSON string, quoted and escaped, through Qt's own writer.
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray Texts(const QStringList& texts) {
    QByteArray out = "[";
    for (const QString& text : texts) out += (out.size() > 1 ? "," : "") + Text(text);
    return out + ']';
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

QByteArray PredictionFrame(std::vector<std::pair<double, double>> points) {
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QByteArray frame = "{\"t\":\"prediction\",\"p\":[";
    for (size_t i = 0; i < points.size(); ++i)
        frame +=
            (i ? ",[" : "[") + Degrees(points[i].first) + ',' + Degrees(points[i].second) + ']';
    return frame + "]}";
}

QByteArray MarkersFrame(std::vector<std::pair<double, QString>> markers) {
    std::stable_sort(markers.begin(), markers.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QByteArray frame = "{\"t\":\"markers\",\"m\":[";
    for (size_t i = 0; i < markers.size(); ++i)
        frame += (i ? ",{\"s\":" : "{\"s\":") + Degrees(markers[i].first) +
                 ",\"l\":" + Text(markers[i].second) + '}';
    return frame + "]}";
}

QByteArray ResultsFrame(const QStringList& head, const std::vector<QStringList>& rows,
                        const std::optional<QStringList>& mean) {
    QByteArray frame = "{\"t\":\"results\",\"head\":" + Texts(head) + ",\"rows\":[";
    for (size_t i = 0; i < rows.size(); ++i) frame += (i ? "," : "") + Texts(rows[i]);
    return frame + "],\"mean\":" + (mean ? Texts(*mean) : QByteArray("null")) + '}';
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
