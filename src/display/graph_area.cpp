#include "display/graph_area.h"
#include "core/readout.h"
#include "core/start_up_log.h"
#include "core/vexo.h"
#include "display/graph.h"
#include "platform/surface.h"

namespace Vexo {

void WipeGraph() {
    Picture2->clearAll();
    Picture2->FilledBox(QPointF(1, 1), QPointF(398, 398), GrphBack);
    LogCoveredByGraph();
}

void RedrawGraphForRange() {
    if (!MeasurementRuns() && ElapsedTicks != 0)
        DrawOverview();
    else
        DrawGraphFrame();
}

}  // namespace Vexo
