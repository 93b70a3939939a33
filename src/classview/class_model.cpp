#include "classview/class_model.h"

#include <QList>
#include <algorithm>
#include <cmath>
#include <limits>

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

QByteArray CsvField(const QString& text) {
    QByteArray field = text.toUtf8();
    if (!field.contains(',') && !field.contains('"') && !field.contains('\n')) return field;
    return '"' + field.replace("\"", "\"\"") + '"';
}

}  // namespace

Group& ClassModel::group(const QString& name) {
    for (Group& g : groups_)
        if (g.name == name && !g.fromFile) return g;
    // In the order of their names, each keeping the colour of its arrival.
    Group g;
    g.name = name;
    g.colour = static_cast<int>(groups_.size());
    const auto at = std::find_if(groups_.begin(), groups_.end(),
                                 [&name](const Group& other) { return name < other.name; });
    return *groups_.insert(at, g);
}

void ClassModel::startMeasurement(Group& g, const QString& id) {
    g.id = id;
    g.degrees.clear();
    g.ticks = 0;
}

bool ClassModel::take(const ClassLink::Message& m) {
    Group& g = group(m.group);
    switch (m.kind) {
        case ClassLink::Kind::Status:
            g.online = m.status.online;
            if (!m.status.online) return true;
            g.measuring = m.status.measuring;
            g.sensor = m.status.sensor;
            // Measurements are named by their start: a later one takes the place of the shown.
            if (m.status.id != g.id && (m.status.id > g.id || m.status.id.isEmpty()))
                startMeasurement(g, m.status.id);
            return true;
        case ClassLink::Kind::Tick: {
            if (m.tick.id != g.id) {
                if (!g.id.isEmpty() && m.tick.id < g.id) return false;  // an older measurement
                startMeasurement(g, m.tick.id);
            }
            const auto index = static_cast<size_t>(m.tick.index);
            if (index >= g.degrees.size()) g.degrees.resize(index + 1, Missing);
            if (std::isnan(g.degrees[index])) ++g.ticks;
            g.degrees[index] = static_cast<float>(m.tick.degrees);
            return true;
        }
        case ClassLink::Kind::Reading:
            g.hasReading = true;
            g.reading = m.reading.degrees;
            return true;
    }
    return false;
}

void ClassModel::addLesson(const QString& name, const std::vector<float>& degrees) {
    Group g;
    g.name = name;
    g.fromFile = true;
    g.degrees = degrees;
    g.ticks = static_cast<int>(std::count_if(degrees.begin(), degrees.end(),
                                             [](float d) { return !std::isnan(d); }));
    g.hasReading = !degrees.empty();
    g.reading = degrees.empty() ? 0 : degrees.back();
    g.colour = static_cast<int>(groups_.size());
    groups_.push_back(g);
}

int ClassModel::lastTick() const {
    int last = -1;
    for (const Group& g : groups_) last = std::max(last, static_cast<int>(g.degrees.size()) - 1);
    return last;
}

std::pair<double, double> ClassModel::range() const {
    float hi = -std::numeric_limits<float>::infinity(), lo = -hi;
    for (const Group& g : groups_) {
        for (float d : g.degrees)
            if (!std::isnan(d)) {
                hi = std::max(hi, d);
                lo = std::min(lo, d);
            }
        if (g.hasReading) {  // the tiles' columns show the readings on the same range
            hi = std::max(hi, static_cast<float>(g.reading));
            lo = std::min(lo, static_cast<float>(g.reading));
        }
    }
    if (hi < lo) return {-10, 100};
    return {std::floor((lo - 3.0) / 10.0) * 10.0, std::floor((hi + 12.0) / 10.0) * 10.0};
}

QByteArray ClassModel::csv() const {
    QByteArray out = "\xEF\xBB\xBF経過時間(秒)";
    for (const Group& g : groups_) out += ',' + CsvField(g.name);
    out += "\r\n";
    const int last = lastTick();
    for (int t = 0; t <= last; ++t) {
        out += QByteArray::number(t / 2) + (t % 2 ? ".5" : ".0");
        for (const Group& g : groups_) {
            out += ',';
            if (static_cast<size_t>(t) < g.degrees.size() && !std::isnan(g.degrees[t]))
                out += DegreesText(g.degrees[t]);
        }
        out += "\r\n";
    }
    return out;
}

std::vector<float> ReadLessonFile(const QByteArray& bytes, bool* ok) {
    *ok = false;
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || !lines.first().startsWith("\xEF\xBB\xBF経過時間(秒),温度(℃)"))
        return {};
    std::vector<float> degrees;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty()) continue;
        const QList<QByteArray> fields = line.split(',');
        bool secondsOk = false, degreesOk = false;
        const double seconds = fields.value(0).toDouble(&secondsOk);
        const double value = fields.value(1).toDouble(&degreesOk);
        if (fields.size() < 2 || !secondsOk || !degreesOk || !std::isfinite(value) ||
            seconds < 0 || seconds * 2 > ClassLink::LastTick || seconds * 2 != std::floor(seconds * 2))
            return {};
        const auto tick = static_cast<size_t>(seconds * 2);
        if (tick >= degrees.size()) degrees.resize(tick + 1, Missing);
        degrees[tick] = static_cast<float>(value);
    }
    *ok = true;
    return degrees;
}

}  // namespace ClassView
