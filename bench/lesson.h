// A lesson in progress, for the benchmarks: the real main window with the sample
// configuration files, a box answering on a stand-in line, the poll handed over by the
// connection watch and a measurement started. The timers never fire by themselves: the
// benchmarks call the handlers, as the timers would.
#pragma once

#include <QTemporaryDir>
#include <cstdint>

#include "support/headless.h"

class Lesson {
  public:
    // Copies the sample files into a fresh working folder and runs start-up there.
    Lesson();
    ~Lesson();

    // The box's answer to the next request: a raw byte near 125 (about 14 °C with the sample
    // air-sensor table), moving by one now and then, as a room's temperature does.
    void queueAnswer();
    // One poll tick with its answer waiting, then the repaints it asked for.
    void pollTick();
    // One graph tick, then the repaints it asked for.
    void graphTick();
    // The repaints the handlers asked for, as the event loop does them after a tick.
    static void paint();
    // Fills the recording up to `ticks` with a slow swing of a few degrees.
    static void record(int ticks);

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
