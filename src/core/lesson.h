// The lesson, held once. TrendBuffer keeps each graph tick's degrees; beside it the module
// keeps what else the ticks need, the byte each was read from, and how many ticks this
// measurement has. The listeners (the lesson's file, the class) read the lesson here and
// keep only where they stand in it: what is on the disk, what the broker acknowledged.
#pragma once

#include <array>
#include <cstdint>

#include "core/vexo.h"

namespace Vexo {

// Each tick's raw byte, or HeldReading when the box gave no fresh answer for it.
extern std::array<int16_t, LastTick + 1> TrendRaw;
// Ticks 0 .. LessonTicks - 1 belong to the measurement: a tick recorded again after a pause
// ends the lesson there; an erase empties it.
extern int LessonTicks;

// The lesson as a listener reads it: the module's own, or one of a test's that plays several
// groups in one process.
struct LessonRecord {
    const float* hundredths = TrendBuffer.data();
    const int16_t* raw = TrendRaw.data();
    const int* ticks = &LessonTicks;

    int size() const { return *ticks; }
    float degrees(int tick) const { return hundredths[tick] / 100.0F; }
};

}  // namespace Vexo
