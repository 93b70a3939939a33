// The Zanpo's side of the serial link: greeting the box, one poll step, the read-out
// text, and opening the port again after it was lost.
#pragma once

#include <QString>

namespace Vexo {

// Ticks of the poll (200 ms each) between two attempts to open a closed port: 2 s.
constexpr int ReopenEveryTicks = 10;

// The opening bytes 00, 00, FF as three writes, then whatever was received is dropped.
void GreetDevice();

// True when the port is open for this tick. A closed port (never opened at start-up,
// or lost since) is opened again every ReopenEveryTicks calls, and greeted when that
// works; the calls in between cost nothing.
bool PortReady();

// Steps 1 to 6 of a poll: request, answer, RawValue, degrees, Text1. False when the
// port is closed or nothing was received; then nothing has changed.
bool PollStep(float& degrees);

// The read-out text: one space, then the number with its sign position, so 23 reads
// "  23" and -5 reads " -5".
QString ReadoutText(float degrees);

}  // namespace Vexo
