// Lesson events: a measurement started, a graph tick recorded, the measurement stopped, the
// recording erased, and each answer the poll took from the box. The commands, the graph tick
// and the poll tell them; whoever listens (the lesson's file, the class) is attached at
// start-up, and the routine that tells does not know who. What a listener needs travels with
// the event.
#pragma once

namespace Vexo {

// The raw byte of a tick whose reading was held: the box gave no fresh answer for it.
constexpr int HeldReading = -1;

// One graph tick as recorded.
struct RecordedTick {
    int index;      // its place in TrendBuffer
    double seconds;  // since the start: half the index
    float degrees;
    int raw;  // the byte the box answered, or HeldReading
};

// One answer of the box, as the poll took it.
struct PolledReading {
    int raw;  // the byte the box answered
    float degrees;
};

class LessonListener {
  public:
    virtual ~LessonListener() = default;
    // Start_Click, starting, once the graph is ready for the ticks.
    virtual void lessonStarted() {}
    // RecordSample: the tick has just been put into TrendBuffer.
    virtual void tickRecorded(const RecordedTick& tick) { (void)tick; }
    // Start_Click, stopping, once the overview is drawn.
    virtual void lessonStopped() {}
    // DataReset_Click answered Yes: the lesson is over.
    virtual void lessonErased() {}
    // The poll took an answer of the box, five times a second while it answers.
    virtual void readingTaken(const PolledReading& reading) { (void)reading; }
};

// Attaches a listener, once; it must outlive its attachment.
void Listen(LessonListener& listener);
void StopListening(LessonListener& listener);

void TellLessonStarted();
void TellTickRecorded(const RecordedTick& tick);
void TellLessonStopped();
void TellLessonErased();
// Also keeps the answer's byte for the next tick recorded.
void TellReadingTaken(const PolledReading& reading);

// The raw byte of the tick being recorded: the byte of the last answer told since the last
// tick, otherwise HeldReading. Marks the answer as used.
int TakeFreshRaw();
// No answer kept (a new start, tests).
void ForgetFreshRaw();

}  // namespace Vexo
