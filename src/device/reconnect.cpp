// Getting a closed port back: a box plugged in after start-up, or one that went away
// and came back. The poll ticks drive it, so a missing box costs one cheap check per
// tick and one open attempt every two seconds, never a wait.
#include "core/vexo.h"
#include "device/device_link.h"
#include "platform/serial_line.h"

namespace Vexo {

bool PortReady() {
    if (MSComm1->portOpen()) {
        ClosedPortTicks = 0;
        return true;
    }
    if (++ClosedPortTicks < ReopenEveryTicks) return false;
    ClosedPortTicks = 0;
    // The device is chosen again: a box on a USB adapter plugged in since is found.
    MSComm1->setCommPort(PortNumber);
    if (!MSComm1->setPortOpen(true)) return false;
    // A new box, or the old one after a power cycle, expects the greeting again. The
    // watch and the poll carry on where they were; the last reading stays on screen.
    GreetDevice();
    return true;
}

}  // namespace Vexo
