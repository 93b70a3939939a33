#include "core/vexo.h"

namespace Vexo {

void CheckAlerts() {}
void Timer3_Timer() {}

}  // namespace Vexo
