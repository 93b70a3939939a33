#include "classview/class_model.h"

#include <QList>
#include <algorithm>
#include <cmath>
#include <map>

#include "classview/group_names.h"
#include "classview/results_table.h"

namespace ClassView {

namespace {

constexpr float Missing = std::numeric_limits<float>::quiet_NaN();

// Degrees as a lesson file writes them: one decimal at least, two at most.
QByteArray DegreesText(float degrees) {
    const long hundredths = std::lround(double(degrees) * 100);
    QByteArray text = QByteArray::number(std::labs(hundredths) / 100) + '.' +
                      QByteArray::number(std::labs(hundredths) % 100 / 10);
    if (hundredths % 10 != 0) text += QByteArray::number(std::labs(hundredths) % 10);
    return hundredths < 0 ? '-' + text : text;
}

constexpr double Empty = std::numeric_limits<double>::infinity();

}  // namespace

Group* ClassModel::group(const QString& name) {
    for (Group& g : groups_)
        if (g.name == name && !g.fromFile) return &g;
    if (groups_.size() >= MaxGroups) return nullptr;
    // In the order of their names (numbers as numbers), each keeping the colour of its arrival.
    Group g;
    g.name = name;
    g.colour = static_cast<int>(groups_.size());
    const auto at = std::find_if(groups_.begin(), groups_.end(), [&name](const Group& other) {
        return NameBefore(name, other.name);
    });
    return &*groups_.insert(at, std::move(g));
}

void ClassModel::startMeasurement(Group& g, const QString& id) {
    g.id = id;
    if (g.degrees.count() > 0) rangeStale_ = true;
    g.degrees.clear();
}

void ClassModel::setTick(Group& g, int tick, float degrees) {
    g.degrees.set(tick, degrees);
    widen(degrees);
    const bool none = lastSet_.to <= lastSet_.from;
    lastSet_.from = none ? tick : std::min(lastSet_.from, tick);
    lastSet_.to = none ? tick + 1 : std::max(lastSet_.to, tick + 1);
}

void ClassModel::widen(double degrees) const {
    if (rangeStale_) return;
    hi_ = std::max(hi_, degrees);
    lo_ = std::min(lo_, degrees);
}

ClassModel::Taken ClassModel::take(const ClassLink::Message& m, Clock::time_point at) {
    lastSet_ = {};
    Group* found = group(m.group);
    if (!found) return Taken::Dropped;
    Group& g = *found;
    if (m.kind == ClassLink::Kind::Tick || m.kind == ClassLink::Kind::Lesson)
        return takeTicks(g, m, at);
    // A box is read five times a second: a group's state and reading change no faster.
    if (!g.pace.take(m.kind, at)) {
        ++g.tooFast;
        return Taken::TooFast;
    }
    if (m.kind == ClassLink::Kind::Reading) {
        g.hasReading = true;
        g.reading = m.reading.degrees;
        widen(g.reading);
        return Taken::Shown;
    }
    g.online = m.status.online;
    if (!m.status.online) return Taken::Shown;
    g.measuring = m.status.measuring;
    g.sensor = m.status.sensor;
    // The group's own status names its current measurement: that is the one shown.
    g.statusKnown = true;
    if (m.status.id != g.id) startMeasurement(g, m.status.id);
    return Taken::Shown;
}

ClassModel::Taken ClassModel::takeTicks(Group& g, const ClassLink::Message& m,
                                        Clock::time_point at) {
    const bool tick = m.kind == ClassLink::Kind::Tick;
    if (!tick && m.lesson.cleared) return Taken::Shown;
    const QString& id = tick ? m.tick.id : m.lesson.id;
    const bool anew = id != g.id;
    // Before the status has come, the latest measurement heard of is shown.
    if (anew && (g.statusKnown || (!g.id.isEmpty() && id < g.id))) return Taken::Dropped;
    const int from = tick ? m.tick.index : m.lesson.from;
    const int count = tick ? 1 : static_cast<int>(m.lesson.degrees.size());
    const auto degrees = [&m, tick](int k) {
        return tick ? static_cast<float>(m.tick.degrees) : m.lesson.degrees[static_cast<size_t>(k)];
    };
    // What the class holds already, sent again after the group's line returned or as a part
    // of its lesson, changes nothing and costs nothing.
    bool changes = anew;
    for (int k = 0; k < count && !changes; ++k) changes = g.degrees.at(from + k) != degrees(k);
    if (!changes) return Taken::Shown;
    if (!g.pace.take(m.kind, at)) {
        ++g.tooFast;
        return Taken::TooFast;
    }
    if (anew) startMeasurement(g, id);
    for (int k = 0; k < count; ++k)
        if (g.degrees.at(from + k) != degrees(k)) setTick(g, from + k, degrees(k));
    return Taken::Shown;
}

int ClassModel::tooFast() const {
    int all = 0;
    for (const Group& g : groups_) all += g.tooFast;
    return all;
}

bool ClassModel::addLesson(const QString& name, const std::vector<float>& degrees) {
    if (groups_.size() >= MaxGroups) return false;
    Group g;
    g.name = name;
    g.fromFile = true;
    for (size_t t = 0; t < degrees.size(); ++t) {
        g.degrees.set(static_cast<int>(t), degrees[t]);
        if (!std::isnan(degrees[t])) widen(degrees[t]);
    }
    g.hasReading = !degrees.empty();
    g.reading = degrees.empty() ? 0 : degrees.back();
    g.colour = static_cast<int>(groups_.size());
    groups_.push_back(std::move(g));
    return true;
}

const QStringList& ClassModel::shownNames() const {
    if (shown_.size() != static_cast<qsizetype>(groups_.size())) {
        QStringList names;
        for (const Group& g : groups_) names << g.name;
        shown_ = ShownNames(names);
    }
    return shown_;
}

int ClassModel::lastTick() const {
    int last = -1;
    for (const Group& g : groups_) last = std::max(last, g.degrees.size() - 1);
    return last;
}

int ClassModel::shownLastTick() const {
    int last = lastTick();
    if (!prediction_.empty())
        last = std::max(last, static_cast<int>(std::ceil(prediction_.back().seconds * 2)));
    for (const Marker& m : markers_) last = std::max(last, static_cast<int>(m.seconds * 2));
    return std::min(last, ClassLink::LastTick);
}

void ClassModel::setPrediction(Prediction prediction) {
    // Drawn past the lesson's last tick, it ends there.
    while (!prediction.empty() && prediction.back().seconds > ClassLink::LastTick / 2.0)
        prediction.pop_back();
    prediction_ = std::move(prediction);
}

bool ClassModel::addMarker(double seconds, const QString& label) {
    const QString kept = MarkerLabel(label);
    if (kept.isEmpty() || static_cast<int>(markers_.size()) >= MaxMarkers) return false;
    markers_.push_back({std::min(MarkerSeconds(seconds), ClassLink::LastTick / 2.0), kept});
    return true;
}

void ClassModel::removeLastMarker() {
    if (!markers_.empty()) markers_.pop_back();
}

void ClassModel::clearMarkers() {
    markers_.clear();
}

std::vector<Summary> ClassModel::summaries() const {
    std::vector<Summary> all;
    for (const Group& g : groups_)
        all.push_back(Summarize(g.degrees.size(), [&g](int t) { return g.degrees.at(t); }));
    return all;
}

QByteArray ClassModel::resultsCsv() const {
    return ResultsCsv(shownNames(), summaries());
}

std::pair<double, double> ClassModel::range() const {
    if (rangeStale_) {
        rangeStale_ = false;
        hi_ = -Empty;
        lo_ = Empty;
        for (const Group& g : groups_) {
            g.degrees.forEach([this](int, float d) { widen(d); });
            if (g.hasReading) widen(g.reading);  // the tiles' columns show them on this range
        }
    }
    double hi = hi_, lo = lo_;
    // The prediction stands on the graph too, drawn before the lesson or beside it.
    for (const PredictionPoint& p : prediction_) {
        hi = std::max(hi, p.degrees);
        lo = std::min(lo, p.degrees);
    }
    if (hi < lo) return {-10, 100};
    return {std::floor((lo - 3.0) / 10.0) * 10.0, std::floor((hi + 12.0) / 10.0) * 10.0};
}

QByteArray ClassModel::csv() const {
    QByteArray out = "\xEF\xBB\xBF経過時間(秒)";
    for (const QString& name : shownNames()) out += ',' + CsvTextCell(name);
    const bool predicted = !prediction_.empty(), marked = !markers_.empty();
    if (predicted) out += ",予想(℃)";
    if (marked) out += ",できごと";
    out += "\r\n";
    // The markers by their tick, those of one tick together.
    std::map<int, QString> events;
    for (const Marker& m : markers_) {
        QString& e = events[static_cast<int>(m.seconds * 2)];
        e += (e.isEmpty() ? QString() : QStringLiteral(" / ")) + m.label;
    }
    const int last = shownLastTick();
    for (int t = 0; t <= last; ++t) {
        out += QByteArray::number(t / 2) + (t % 2 ? ".5" : ".0");
        for (const Group& g : groups_) {
            out += ',';
            const float d = g.degrees.at(t);
            if (!std::isnan(d)) out += DegreesText(d);
        }
        if (predicted) {
            out += ',';
            const double p = PredictionAt(prediction_, t / 2.0);
            if (!std::isnan(p)) out += DegreesText(static_cast<float>(p));
        }
        if (marked) {
            out += ',';
            const auto e = events.find(t);
            if (e != events.end()) out += CsvTextCell(e->second);
        }
        out += "\r\n";
    }
    return out;
}

std::vector<float> ReadLessonFile(const QByteArray& bytes, bool* ok) {
    *ok = false;
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || !lines.first().startsWith("\xEF\xBB\xBF経過時間(秒),温度(℃)")) return {};
    std::vector<float> degrees;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty()) continue;
        const QList<QByteArray> fields = line.split(',');
        bool secondsOk = false, degreesOk = false;
        const double seconds = fields.value(0).toDouble(&secondsOk);
        const double value = fields.value(1).toDouble(&degreesOk);
        if (fields.size() < 2 || !secondsOk || !degreesOk || !std::isfinite(value) || seconds < 0 ||
            seconds * 2 > ClassLink::LastTick || seconds * 2 != std::floor(seconds * 2))
            return {};
        // A value no sensor of the box gives is no reading: the tick stays empty.
        if (value < ClassLink::ColdestReading || value > ClassLink::HottestReading) continue;
        const auto tick = static_cast<size_t>(seconds * 2);
        if (tick >= degrees.size()) degrees.resize(tick + 1, Missing);
        degrees[tick] = static_cast<float>(value);
    }
    *ok = true;
    return degrees;
}

}  // namespace ClassView
