// The empty live page on Picture2: temperature grid, one page of time grid, the seconds
// under it and the seconds mark.
#include "core/vexo.h"
#include "display/glyphs.h"
#include "display/graph_area.h"
#include "display/scale.h"
#include "display/temperature_grid.h"
#include "platform/surface.h"

namespace Vexo {

void DrawGraphFrame() {
    WipeGraph();
    DrawTemperatureGrid();

    // A page is 300 ticks at 1.1 pixels each: a line every 20 ticks, seconds every 60.
    for (float t = 0; t <= 300; t += 20) {
        const auto x = static_cast<float>(t * 1.1 + 50);
        Picture2->Line(QPointF(x, 20), QPointF(x, 350), GrphMemori);
    }
    for (float t = 0; t <= 300; t += 60) {
        Picture2->PSet(QPointF(t * 1.1 + 29, 360), GrphBack);
        DrawGraphNumber(NearestInt16((PageStartTick + t) / 2.0), GrphYokoMozi);
    }

    Picture2->PSet(QPointF(300, 380), GrphBack);
    DrawMark(QStringLiteral("S"), GrphYokoMozi);
}

}  // namespace Vexo
