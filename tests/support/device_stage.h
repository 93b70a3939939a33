// The stage for the tests of the device link: the display's, with the poll and the
// connection watch bound to their timers as the window binds them, and the device's own
// counters at their start.
#pragma once

#include "device/device_link.h"
#include "support/display_stage.h"

struct DeviceStage : DisplayStage {
    DeviceStage() {
        Vexo::ResetDevice();
        timer1.onTick = [] { Vexo::Timer1_Timer(); };
        timer4.onTick = [] { Vexo::Timer4_Timer(); };
    }
};
