#include "core/vexo.h"

namespace Vexo {

void Timer2_Timer() {}
void RecordSample(float) {}
void PlotPagePoint(float) {}
void RedrawPage() {}

}  // namespace Vexo
