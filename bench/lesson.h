// A lesson in progress, for the benchmarks: the real main window with the sample
// configuration files, a box answering on a stand-in line, the poll handed over by the
// connection watch and a measurement started, not recorded to a file until asked. The timers never
// fire by themselves: the benchmarks call the handlers, as the timers would.
#pragma once

#include <QTemporaryDir>
#include <cstdint>

#include "support/headless.h"

class Lesson {
  public:
    // Copies the sample files into a fresh working folder and runs start-up there.
    Lesson();
    ~Lesson();

    // The box's answer to the next request: raw 120 and 124 in turn (a degree apart, about
    // 13 °C with the sample air-sensor table), so that every poll moves the read-out and the
    // liquid column: the busiest an ordinary tick gets.
    void queueAnswer();
    // One poll tick with its answer waiting, then the repaints it asked for.
    void pollTick();
    // One graph tick, then the repaints it asked for.
    void graphTick();
    // The repaints the handlers asked for: the turn of the event loop that follows a tick.
    static void paint();
    // Shows the window at `factor` times its design, the pictures drawn at that ratio.
    static void zoom(double factor);
    // Fills the recording up to `ticks` with a slow swing of a few degrees.
    static void record(int ticks);
    // Stops the measurement and starts a new one that is recorded to a file, as the program
    // records every lesson; until then the lesson is not recorded.
    void recordLessons();

    Headless headless;

  private:
    QTemporaryDir dir_;
    QString home_;
    int step_ = 0;
};

// The one lesson all benchmarks share, started on first use.
Lesson& TheLesson();
// Ends it, while the application still exists.
void EndTheLesson();

// The samples' folder of the source tree.
QString SamplesDir();
// Copies the sample configuration files (VEXO.TXT, KION.CSV, EKION.CSV) into `dir`.
void CopySamples(const QString& dir);
