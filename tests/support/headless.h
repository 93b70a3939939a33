// The program without a display or a port: the main window built with stand-in timers
// (they never fire by themselves) and a fake serial line, and the state at its start values.
// The tests of ui/ and the rooms above it use it; the listeners of the lesson (the recording,
// the class) are attached by the tests that need them.
#pragma once

#include <memory>

#include "core/vexo.h"
#include "platform/fake_serial_line.h"
#include "platform/window_timer.h"
#include "ui/zanpo.h"

struct Headless {
    Headless();
    ~Headless();
    std::unique_ptr<Zanpo> window;
    FakeSerialLine* line = nullptr;  // owned by the window
    int endRequests = 0;             // how often the program asked to end
};
