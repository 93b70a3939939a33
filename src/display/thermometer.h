// The glass thermometer on Picture1: the whole gauge for the current range, and the liquid
// column that follows each reading.
#pragma once

namespace Vexo {

// The gauge for ScaleMin..ScaleMax; sets PixelsPerDegree, which the graph draws with too.
void DrawThermometer();
// The column at `degrees`, widening an automatic range first; `degrees` is left as drawn.
void ShowTemperature(float& degrees);

}  // namespace Vexo
