#include "core/readout.h"

namespace Vexo {

MainReadout* Readout = nullptr;

bool MeasurementRuns() {
    return Readout != nullptr && Readout->measurementRuns();
}

}  // namespace Vexo
