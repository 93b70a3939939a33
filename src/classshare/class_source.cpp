#include "classshare/class_source.h"

#include <cmath>

#include "classview/class_graph.h"
#include "classview/class_tiles.h"
#include "classview/results_table.h"

namespace ClassShare {

namespace {

// The group of a message, as the model holds it now; -1 for none.
int IndexOf(const ClassView::ClassModel& model, const QString& name) {
    const auto& groups = model.groups();
    for (size_t i = 0; i < groups.size(); ++i)
        if (groups[i].name == name && !groups[i].fromFile) return static_cast<int>(i);
    return -1;
}

QByteArray Prediction(const ClassView::ClassModel& model) {
    std::vector<std::pair<double, double>> points;
    for (const ClassView::PredictionPoint& p : model.prediction())
        points.emplace_back(p.seconds, p.degrees);
    return PredictionFrame(std::move(points));
}

QByteArray Markers(const ClassView::ClassModel& model) {
    std::vector<std::pair<double, QString>> markers;
    for (const ClassView::Marker& m : model.markers()) markers.emplace_back(m.seconds, m.label);
    return MarkersFrame(std::move(markers));
}

QByteArray Results(const ClassView::ClassModel& model) {
    const ClassView::ResultsTable table =
        ClassView::MakeResults(model.shownNames(), model.summaries(), true);
    return ResultsFrame(table.head, table.rows, table.mean);
}

}  // namespace

ClassSource::ClassSource(const ClassView::ClassModel& model, const QString& className)
    : model_(model), className_(className) {}

GroupShown ClassSource::shown(int i) const {
    const ClassView::Group& g = model_.groups()[static_cast<size_t>(i)];
    const auto [low, high] = model_.range();
    GroupShown s;
    s.name = model_.shownNames().value(i);
    s.colour = ClassView::TraceColour(g.colour).name();
    s.state = ClassView::GroupState(g);
    if (g.hasReading) s.reading = g.reading;
    s.sensor = g.sensor == QLatin1String("air")      ? QStringLiteral("きおん")
               : g.sensor == QLatin1String("liquid") ? QStringLiteral("えきおん")
                                                     : QString();
    s.low = low;
    s.high = high;
    return s;
}

QByteArray ClassSource::classFrame() const {
    QByteArray groups;
    for (int i = 0; i < this->groups(); ++i) {
        if (i > 0) groups += ',';
        groups += GroupJson(shown(i));
    }
    return ClassFrame(className_, false, groups);
}

QByteArrayList ClassSource::stepFrames() const {
    return {Prediction(model_), Markers(model_), Results(model_)};
}

void ClassSource::startTelling() {
    toldPrediction_ = Prediction(model_);
    toldMarkers_ = Markers(model_);
    toldResults_ = Results(model_);
}

void ClassSource::tellSteps(ShareServer& server) {
    QByteArray prediction = Prediction(model_), markers = Markers(model_);
    if (prediction != toldPrediction_) server.tellGroup(prediction);
    if (markers != toldMarkers_) server.tellGroup(markers);
    toldPrediction_ = std::move(prediction);
    toldMarkers_ = std::move(markers);
}

void ClassSource::tellResults(ShareServer& server) {
    QByteArray results = Results(model_);
    if (results != toldResults_) server.tellGroup(results);
    toldResults_ = std::move(results);
}

int ClassSource::groups() const {
    return static_cast<int>(model_.groups().size());
}

int ClassSource::ticks(int group) const {
    return model_.groups()[static_cast<size_t>(group)].degrees.size();
}

QByteArray ClassSource::ticksFrame(int group, int from, int count, bool fresh) const {
    const ClassView::TickSeries& series = model_.groups()[static_cast<size_t>(group)].degrees;
    return TicksFrame(model_.shownNames().value(group), from, count, fresh,
                      [&series](int tick) -> std::optional<double> {
                          const float d = series.at(tick);
                          if (std::isnan(d)) return std::nullopt;
                          return d;
                      });
}

QByteArray ClassSource::csv() const {
    return model_.csv();
}

QString ClassSource::csvName() const {
    return (className_.isEmpty() ? QStringLiteral("class") : className_) + QStringLiteral(".csv");
}

void ClassSource::taken(const ClassLink::Message& m, ShareServer& server) {
    const int i = IndexOf(model_, m.group);
    if (i < 0) return;
    const ClassView::Group& g = model_.groups()[static_cast<size_t>(i)];
    const bool known = told_.count(g.name) > 0;
    Told& told = told_[g.name];
    if (m.kind == ClassLink::Kind::Status || m.kind == ClassLink::Kind::Reading) {
        QByteArray frame = GroupFrame(shown(i));
        if (frame != told.frame) server.tellGroup(frame);
        told.frame = std::move(frame);
    }
    // A new measurement: the group's ticks go out anew.
    const bool anew = known && told.measurement != g.id;
    told.measurement = g.id;
    if (anew) return server.tellTicks(i, 0, g.degrees.size(), true);
    const auto [from, to] = model_.lastTicksSet();
    if (to > from) server.tellTicks(i, from, to - from, false);
}

}  // namespace ClassShare
