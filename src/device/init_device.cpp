#include "core/vexo.h"

namespace Vexo {

void InitDevice() {}
void ReportMissingDevice() {}

}  // namespace Vexo
