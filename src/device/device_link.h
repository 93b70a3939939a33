// The Zanpo's side of the serial link: the device's start-up, the connection watch and the
// poll, the automatic range, greeting the box, the read-out text, and opening the port again
// after it was lost; with the counters only the device link keeps.
#pragma once

#include <QString>
#include <cstdint>

namespace Vexo {

// --- The routines of the device link -------------------------------------------------
void InitDevice();
void Timer1_Timer();
void Timer4_Timer();
void AutoRange();
void ReportMissingDevice();  // the log lines when the port could not be opened

// --- The device link's own state ------------------------------------------------------
// Set when start-up could not open the serial port; start-up then says so in the log.
extern bool DeviceMissing;
// Non-empty answers seen by the connection watch; kept from tick to tick, never reset.
extern int16_t AnswerCount;
// Poll ticks since the last attempt to open a closed port (reconnect.cpp).
extern int16_t ClosedPortTicks;
// Set while the open port is the fallback device, which an adapter plugged in wins over;
// and the poll ticks since the adapters were last looked for (reconnect.cpp).
extern bool OnFallbackPort;
extern int16_t FallbackTicks;
// Poll ticks since the box last answered, counted up to the mark in the title
// (connection.cpp).
extern int16_t PollsWithoutAnswer;
// Watch ticks on an open port without an answer, and whether the log has said so
// (connection.cpp).
extern int16_t SilentTicks;
extern bool SilenceReported;
// The device link's state back to its value at program start (tests, soak).
void ResetDevice();

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
