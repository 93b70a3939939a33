// Getting the box back: a box plugged in after start-up, one that went away and came back,
// and a box on a USB adapter plugged in while the fallback device (/dev/ttyS<N-1>, which
// opens on most PCs whether a box hangs on it or not) stands open. The poll ticks drive it,
// so a missing box costs one cheap check per tick and one attempt every two seconds, never a
// wait.
#include "core/vexo.h"
#include "device/device_link.h"
#include "device/port_choice.h"
#include "platform/serial_line.h"

namespace Vexo {

namespace {

// Opens the port's device as it is chosen now, and greets the box: a new box, or the old one
// after a power cycle, expects the greeting again. The watch and the poll carry on where they
// were; the last reading stays on screen.
bool OpenAgain() {
    MSComm1->setCommPort(PortNumber);
    if (!MSComm1->setPortOpen(true)) return false;
    OnFallbackPort = FallbackChosen(PortNumber);
    GreetDevice();
    return true;
}

}  // namespace

bool PortReady() {
    if (MSComm1->portOpen()) {
        ClosedPortTicks = 0;
        if (!OnFallbackPort || ++FallbackTicks < ReopenEveryTicks) return true;
        FallbackTicks = 0;
        if (FallbackChosen(PortNumber)) return true;
        // An adapter has come: it wins over the fallback.
        MSComm1->setPortOpen(false);
        return OpenAgain();
    }
    if (++ClosedPortTicks < ReopenEveryTicks) return false;
    ClosedPortTicks = 0;
    return OpenAgain();
}

}  // namespace Vexo
