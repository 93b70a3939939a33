// Lesson events: a measurement started, a graph tick recorded, the measurement stopped, the
// recording erased, each answer the poll took from the box, and the scale the readings are
// shown on. The commands, the graph tick, the poll and the thermometer tell them; whoever
// listens (the lesson's file, the class) is attached at start-up, and the routine that tells
// does not know who. The events only tell: what a listener needs travels with the event, and
// the lesson itself stands in core/lesson.h.
#pragma once

#include "core/reading.h"

namespace Vexo {

// One graph tick as recorded.
struct RecordedTick {
    int index;       // its place in TrendBuffer
    double seconds;  // since the start: half the index
    float degrees;
    int raw;  // the byte the box answered, or HeldReading
};

// The scale the thermometer and the graph show, and the sensor the readings come from.
struct ShownScale {
    double min = 0;  // degrees
    double max = 0;
    bool air = false;  // the air sensor; otherwise the liquid sensor
};

class LessonListener {
  public:
    virtual ~LessonListener() = default;
    // Start_Click, starting, once the graph is ready for the ticks.
    virtual void lessonStarted() {}
    // RecordSample: the tick has just been put into the lesson.
    virtual void tickRecorded(const RecordedTick& tick) { (void)tick; }
    // Start_Click, stopping, once the overview is drawn.
    virtual void lessonStopped() {}
    // DataReset_Click answered Yes: the lesson is over.
    virtual void lessonErased() {}
    // The poll took an answer of the box, five times a second while it answers.
    virtual void readingTaken(const Reading& reading) { (void)reading; }
    // DrawThermometer: the scale is drawn anew, for a new range or another sensor.
    virtual void scaleShown(const ShownScale& scale) { (void)scale; }
};

// Attaches a listener, once; it must outlive its attachment.
void Listen(LessonListener& listener);
void StopListening(LessonListener& listener);

void TellLessonStarted();
void TellTickRecorded(const RecordedTick& tick);
void TellLessonStopped();
void TellLessonErased();
void TellReadingTaken(const Reading& reading);
void TellScaleShown(const ShownScale& scale);

}  // namespace Vexo
