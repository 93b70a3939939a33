// The stage for the tests of the display: the routines without a window, the graph tick and
// the end of an alert message bound to their timers as the window binds them.
#pragma once

#include "display/alerts.h"
#include "display/graph.h"
#include "support/stage.h"

struct DisplayStage : Stage {
    DisplayStage() {
        timer2.onTick = [] { Vexo::Timer2_Timer(); };
        timer3.onTick = [] { Vexo::Timer3_Timer(); };
    }
};
