#include "display/temperature_grid.h"
#include "core/vexo.h"
#include "display/glyphs.h"
#include "display/scale.h"
#include "platform/surface.h"

namespace Vexo {

namespace {

void DrawGridPass(int step, bool numbered) {
    ForEachScaleMark(step, [numbered](int16_t i, float y) {
        Picture2->Line(QPointF(50, y), QPointF(380, y), GrphMemori);
        if (!numbered) return;
        Picture2->PSet(QPointF(3, y), GrphBack);
        DrawGraphNumber(i, GrphTateMozi);
    });
}

}  // namespace

void DrawTemperatureGrid() {
    DrawGridPass(10, true);
    DrawGridPass(5, ScaleRange() < 60);
    if (ScaleRange() < 50) DrawGridPass(1, ScaleRange() < 20);
}

}  // namespace Vexo
