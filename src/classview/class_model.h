// The class as the class view knows it: each group's state, its current measurement tick by
// tick (each tick kept once, with its latest value), and lessons opened from files. Whatever a
// group sends, the class stays bounded: at most MaxGroups groups, a measurement the group's
// own status does not name is not shown, memory follows the ticks received, and a group that
// sends faster than its box could is slowed (classview/message_pace.h). A message that
// changes nothing held (a tick or a part of the lesson sent again) is taken and costs nothing.
#pragma once

#include <QString>
#include <QStringList>
#include <limits>
#include <vector>

#include "classlink/class_messages.h"
#include "classview/lesson_steps.h"
#include "classview/message_pace.h"
#include "classview/read_off.h"
#include "classview/tick_series.h"
#include "classview/trace_columns.h"

namespace ClassView {

// Groups a class holds; the messages of more are dropped.
constexpr int MaxGroups = 64;

struct Group {
    QString name;
    bool online = false;
    bool measuring = false;
    bool fromFile = false;  // a lesson file, not a group on the network
    QString sensor;
    bool statusKnown = false;  // its status has come: it names the measurement shown
    QString id;                // the measurement shown
    TickSeries degrees;        // by tick
    bool hasReading = false;
    double reading = 0;  // the latest reading, or the last tick of a file
    int colour = 0;      // its place in the palette of traces
    // Its trace as the graph last drew it, extended at the next drawing (classview/class_graph.h).
    mutable TraceColumns trace;
    MessagePace pace;
    int tooFast = 0;  // its messages dropped for coming faster than its box could make them
};

class ClassModel {
  public:
    using Clock = MessagePace::Clock;
    enum class Taken {
        Shown,    // kept: it changes, or may change, what is shown
        Dropped,  // refused: a group too many, or a measurement that is not the group's current
        TooFast,  // refused: its group sends faster than its box could
    };
    // Takes one message read from the network, come `at`.
    Taken take(const ClassLink::Message& message, Clock::time_point at = Clock::now());
    // The ticks of its group that the last message taken set or changed: from `from` to
    // before `to`, none when `to` is not above `from`.
    struct TicksSet {
        int from = 0, to = 0;
    };
    TicksSet lastTicksSet() const { return lastSet_; }
    // Messages dropped for coming too fast, of every group.
    int tooFast() const;
    // A lesson from a file, shown as a group of its own (named after the file); false when the
    // class holds as many groups as it may.
    bool addLesson(const QString& name, const std::vector<float>& degrees);
    const std::vector<Group>& groups() const { return groups_; }
    // The groups' names as shown (classview/group_names.h), in the order of groups().
    const QStringList& shownNames() const;
    // The last tick any group holds; -1 when none holds one.
    int lastTick() const;
    // The last tick the graph shows: the groups' last, the prediction's end or the last
    // marker, whichever is latest; -1 when there is none of them.
    int shownLastTick() const;

    // The teacher's prediction and markers (classview/lesson_steps.h). A marker is set in
    // its place in time; false when the class holds MaxMarkers already or the label is empty.
    const Prediction& prediction() const { return prediction_; }
    void setPrediction(Prediction prediction);
    const std::vector<Marker>& markers() const { return markers_; }
    bool addMarker(double seconds, const QString& label);
    void removeLastMarker();  // the one set last
    void clearMarkers();

    // Each group's figures for the class's results (classview/read_off.h), in the order of
    // groups().
    std::vector<Summary> summaries() const;
    // The automatic range over every group's ticks and readings, as the thermometer's: 2 to 12
    // degrees above the highest, 3 to 13 below the lowest, on multiples of ten. {-10, 100}
    // when empty.
    std::pair<double, double> range() const;
    // The class's lesson as one CSV file: seconds, then one column per group, then, when the
    // class has them, the prediction's degrees at each tick ("予想(℃)") and the markers set at
    // each tick ("できごと", several joined by " / "); UTF-8 with a byte-order mark and CR LF,
    // as a group's lesson file.
    QByteArray csv() const;
    // The class's results (classview/results_table.h) as a CSV file of its own.
    QByteArray resultsCsv() const;

  private:
    Group* group(const QString& name);
    void startMeasurement(Group& g, const QString& id);
    void setTick(Group& g, int tick, float degrees);
    void widen(double degrees) const;
    Taken takeTicks(Group& g, const ClassLink::Message& m, Clock::time_point at);

    std::vector<Group> groups_;
    TicksSet lastSet_;
    Prediction prediction_;
    std::vector<Marker> markers_;  // in the order they were set
    // The highest and lowest degrees held, kept as they come; made anew after a group's
    // measurement has been replaced.
    mutable bool rangeStale_ = false;
    mutable double hi_ = -std::numeric_limits<double>::infinity();
    mutable double lo_ = std::numeric_limits<double>::infinity();
    // The shown names, made anew when a group has come.
    mutable QStringList shown_;
};

// The ticks of a group's lesson file (as Kelvira records it): the degrees by tick, or nothing
// when the bytes are not such a file.
std::vector<float> ReadLessonFile(const QByteArray& bytes, bool* ok);

}  // namespace ClassView
