#include "core/vexo.h"

namespace Vexo {

void ReadCalibration() {}

}  // namespace Vexo
