#include "core/reading.h"

#include <algorithm>

#include "core/vexo.h"

namespace Vexo {

Reading StandingReading;

namespace {

// The one place a byte of the box becomes degrees.
Reading Converted(bool fresh) {
    const int raw = std::clamp<int>(RawValue, 0, LastRaw);
    return {raw, static_cast<float>(ConvTable[raw]), fresh};
}

}  // namespace

const Reading& TakeReading() {
    StandingReading = Converted(true);
    return StandingReading;
}

void RestateReading() {
    StandingReading = Converted(StandingReading.fresh);
}

Reading ReadingForTick() {
    Reading reading = StandingReading;
    if (!reading.fresh) reading.raw = HeldReading;
    StandingReading.fresh = false;
    return reading;
}

}  // namespace Vexo
