// Temperature-crossing alerts: after a graph tick every rule is tested against the two
// newest samples, and a rule whose threshold was just crossed in its direction shows its
// message in Text2, in place of the explanation button, until its display time is over.
#include <algorithm>
#include <cstdint>

#include "config/palette.h"
#include "core/readout.h"
#include "core/vexo.h"
#include "platform/window_timer.h"

namespace Vexo {

namespace {

enum Column { Rising = 0, Threshold = 1, DisplaySeconds = 2, BackColour = 3 };

void ShowAlert(int row) {
    const auto& rule = AlertRules[row];
    // White text, as designed, except on the light colours, where only black can be read.
    Readout->showMessage(AlertTexts[row], PaletteColour(rule[BackColour]),
                         IsLightPaletteColour(rule[BackColour]) ? RGB(0, 0, 0)
                                                                : RGB(255, 255, 255));
    // Both directions keep their message for the rule's display time; a rule without a
    // time keeps it until another alert replaces it.
    const int64_t ms =
        std::min<int64_t>(int64_t{rule[DisplaySeconds]} * 1000, WindowTimer::MaxInterval);
    Timer3->setInterval(static_cast<int>(std::max<int64_t>(ms, 0)));
    Timer3->setEnabled(ms > 0);
}

}  // namespace

void CheckAlerts() {
    const int count = std::clamp<int>(AlertCount, 0, MaxAlerts);
    // The pair of ticks 0 and 1 is never compared: the first test follows tick 2.
    const int newest = static_cast<int>(ElapsedTicks) - 1;
    if (newest < 2 || newest > LastTick) return;
    for (int n = 1; n <= count; ++n) {
        const float a = TrendBuffer[newest - 1];
        const float b = TrendBuffer[newest];
        const float t = AlertRules[n][Threshold];
        const bool fires = AlertRules[n][Rising] == True ? (a < t && b >= t) : (a > t && b <= t);
        if (fires) ShowAlert(n);
    }
}

void Timer3_Timer() {
    Readout->hideMessage();
    Timer3->setEnabled(false);
}

}  // namespace Vexo
