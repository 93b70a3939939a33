// Logging out (SIGHUP), Ctrl+C (SIGINT) and SIGTERM end the program as the quit question's
// Yes does: the window goes, the serial port is closed and its lock file removed. The signal
// handler only writes a byte into a pipe; the event loop does the rest.
#pragma once

#include <functional>

namespace App {

// Catches the three signals from now on. A signal that comes before WatchEndSignals waits.
void CatchEndSignals();

// Ends the program with `end` (Kelvira's: Vexo::EndNow) from the event loop once a caught
// signal has come. Call after start-up, right before the event loop runs.
void WatchEndSignals(std::function<void()> end);

}  // namespace App
