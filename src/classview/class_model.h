// The class as the class view knows it: each group's state, its current measurement tick by
// tick (each tick kept once, with its latest value), and lessons opened from files.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "classlink/class_messages.h"

namespace ClassView {

struct Group {
    QString name;
    bool online = false;
    bool measuring = false;
    bool fromFile = false;  // a lesson file, not a group on the network
    QString sensor;
    QString id;                   // the measurement shown
    std::vector<float> degrees;   // by tick; NaN where no tick has arrived
    int ticks = 0;                // ticks held (not NaN)
    bool hasReading = false;
    double reading = 0;           // the latest reading, or the last tick of a file
    int colour = 0;               // its place in the palette of traces
};

class ClassModel {
  public:
    // Takes one message read from the network; false when it changed nothing shown.
    bool take(const ClassLink::Message& message);
    // A lesson from a file, shown as a group of its own (named after the file).
    void addLesson(const QString& name, const std::vector<float>& degrees);
    const std::vector<Group>& groups() const { return groups_; }
    // The last tick any group holds; -1 when none holds one.
    int lastTick() const;
    // The automatic range over every group's ticks and readings, as the thermometer's: 2 to 12 degrees
    // above the highest, 3 to 13 below the lowest, on multiples of ten. {-10, 100} when empty.
    std::pair<double, double> range() const;
    // The class's lesson as one CSV file: seconds, then one column per group; UTF-8 with a
    // byte-order mark and CR LF, as a group's lesson file.
    QByteArray csv() const;

  private:
    Group& group(const QString& name);
    void startMeasurement(Group& g, const QString& id);

    std::vector<Group> groups_;
};

// The ticks of a group's lesson file (as Kelvira records it): the degrees by tick, or nothing
// when the bytes are not such a file.
std::vector<float> ReadLessonFile(const QByteArray& bytes, bool* ok);

}  // namespace ClassView
