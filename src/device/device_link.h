// The Zanpo's side of the serial link: greeting the box, one poll step, the read-out
// text, and opening the port again after it was lost.
#pragma once

#include <QString>

namespace Vexo {

// Ticks of the poll (200 ms each) between two attempts to open a closed port: 2 s.
constexpr int ReopenEveryTicks = 10;
// Answers the connection watch waits for before it hands over to the poll.
constexpr int WatchAnswers = 10;

// The opening bytes 00, 00, FF as three writes, then whatever was received is dropped.
void GreetDevice();

// True when the port is open for this tick. A closed port (never opened at start-up,
// or lost since) is opened again every ReopenEveryTicks calls, and greeted when that
// works; the calls in between cost nothing. While the open port is the fallback device, the
// adapters are looked for as often, and the Nth adapter, once plugged in, is opened instead.

bool PortReady();

// Steps 1 to 6 of a poll: request, answer, RawValue, degrees, Text1. False when the
// port is closed or nothing was received; then nothing has changed.
bool PollStep(float& degrees);

// True once the connection watch has seen its answers and handed over to the poll: the
// thermometer and the graph stand drawn for the box's readings.
bool ZanpoConnected();

// Before the box has answered there is no scale to plot on: says so in a message box, with
// what to check, and returns true; returns false once the box is connected.
bool StartRefusedWithoutBox();

// Called on each watch tick without an answer. When the port has been open for 5 s and the
// box has never answered, prints one line into the log saying so and what to check; once.
void WatchSilentBox();

// Called on each poll tick: after 2 s without an answer the window's title says that the box
// does not answer, until it answers again.
void NoteAnswer(bool answered);

// The read-out text: one space, then the number with its sign position, so 23 reads
// "  23" and -5 reads " -5".
QString ReadoutText(float degrees);

}  // namespace Vexo
