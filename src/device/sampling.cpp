#include "core/vexo.h"

namespace Vexo {

void Timer1_Timer() {}
void Timer4_Timer() {}
void AutoRange() {}

}  // namespace Vexo
