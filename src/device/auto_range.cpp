// The automatic range: 2 to 12 degrees of room above the highest value and 3 to 13
// below the lowest, on multiples of ten. Computed in single precision throughout.
#include <algorithm>
#include <cmath>

#include "core/reading.h"
#include "core/vexo.h"

namespace Vexo {

void AutoRange() {
    float hi = -4000;
    float lo = 12000;
    if (ElapsedTicks == 0) {
        hi = lo = StandingReading.degrees;  // the reading that stands
    } else {
        // The recorded ticks 0..ElapsedTicks; the count never passes the end of the buffer.
        const int last = static_cast<int>(
            std::clamp(std::nearbyint(ElapsedTicks), 0.0, static_cast<double>(LastTick)));
        for (int i = 0; i <= last; ++i) {
            if (hi < TrendBuffer[i]) hi = TrendBuffer[i];
            if (lo > TrendBuffer[i]) lo = TrendBuffer[i];
        }
        hi = hi / 100.0f;
        lo = lo / 100.0f;
    }
    ScaleMax = std::floor((hi + 12.0f) / 10.0f) * 10.0f;
    ScaleMin = std::floor((lo - 3.0f) / 10.0f) * 10.0f;
}

}  // namespace Vexo
