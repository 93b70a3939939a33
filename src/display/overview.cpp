#include "core/vexo.h"

namespace Vexo {

void DrawOverview() {}
void PlotOverviewPoint(float) {}

}  // namespace Vexo
