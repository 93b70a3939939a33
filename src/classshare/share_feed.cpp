#include "classshare/share_feed.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "classview/class_graph.h"
#include "classview/class_tiles.h"

namespace ClassShare {

namespace {

QByteArray Compact(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonArray Ticks(const ClassView::TickSeries& series) {
    QJsonArray ticks;
    series.forEach([&ticks](int t, float d) { ticks.append(QJsonArray{t, double(d)}); });
    return ticks;
}

QJsonObject GroupObject(const ClassView::ClassModel& model, size_t i, bool withTicks) {
    const ClassView::Group& g = model.groups()[i];
    QJsonObject o{{"n", model.shownNames().value(static_cast<qsizetype>(i))},
                  {"c", ClassView::TraceColour(g.colour).name()},
                  {"s", ClassView::GroupState(g)},
                  {"r", g.hasReading ? QJsonValue(g.reading) : QJsonValue(QJsonValue::Null)}};
    if (withTicks) o.insert("d", Ticks(g.degrees));
    return o;
}

// The group of the message, as the model holds it now.
int IndexOf(const ClassView::ClassModel& model, const QString& name) {
    const auto& groups = model.groups();
    for (size_t i = 0; i < groups.size(); ++i)
        if (groups[i].name == name && !groups[i].fromFile) return static_cast<int>(i);
    return -1;
}

}  // namespace

QByteArray ClassSnapshot(const QString& className, const ClassView::ClassModel& model) {
    QJsonArray groups;
    for (size_t i = 0; i < model.groups().size(); ++i) groups.append(GroupObject(model, i, true));
    return Compact({{"t", "class"}, {"class", className}, {"groups", groups}});
}

std::vector<QByteArray> FramesOf(const ClassLink::Message& m, const ClassView::ClassModel& model) {
    const int i = IndexOf(model, m.group);
    if (i < 0) return {};
    std::vector<QByteArray> frames;
    const bool status = m.kind == ClassLink::Kind::Status;
    if (status || m.kind == ClassLink::Kind::Reading) {
        QJsonObject group = GroupObject(model, static_cast<size_t>(i), false);
        group.insert("t", "group");
        frames.push_back(Compact(group));
    }
    QJsonArray ticks;
    if (m.kind == ClassLink::Kind::Tick) ticks.append(QJsonArray{m.tick.index, m.tick.degrees});
    if (m.kind == ClassLink::Kind::Lesson)
        for (size_t k = 0; k < m.lesson.degrees.size(); ++k)
            ticks.append(
                QJsonArray{m.lesson.from + static_cast<int>(k), double(m.lesson.degrees[k])});
    // A status may have started a new measurement: the page is given the group's ticks anew.
    if (status) ticks = Ticks(model.groups()[static_cast<size_t>(i)].degrees);
    if (!ticks.isEmpty() || status)
        frames.push_back(Compact(
            {{"t", "ticks"},
             {"n", model.shownNames().value(i)},
             {"c", ClassView::TraceColour(model.groups()[static_cast<size_t>(i)].colour).name()},
             {"d", ticks},
             {"new", status}}));
    return frames;
}

}  // namespace ClassShare
