// The system's ways of ending the program end it as the quit question's Yes does: the window
// goes, the recording is brought onto the disk, the serial port is closed (and its lock file
// removed). On Linux: logging out (SIGHUP), Ctrl+C (SIGINT) and SIGTERM; the signal handler only
// writes a byte into a pipe, and the event loop does the rest (end_signals_posix.cpp). On
// Windows: logging off and shutting down (WM_ENDSESSION), after which the system ends the
// process at once, so everything is done before the message returns (end_signals_windows.cpp).
#pragma once

#include <functional>

namespace App {

// Catches the ways of ending from now on. One that comes before WatchEndSignals waits.
void CatchEndSignals();

// Ends the program with `end` (Kelvira's: Vexo::EndNow) from the event loop once the system
// asks; where the system ends the process right after, `finish` (what the program does after
// its event loop: the recording onto the disk, the port closed) follows at once. Call after
// start-up, right before the event loop runs.
void WatchEndSignals(std::function<void()> end, std::function<void()> finish = {});

}  // namespace App
