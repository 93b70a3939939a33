#include "core/vexo.h"

namespace Vexo {

void DrawGaugeNumber(int16_t, Colour) {}
void DrawGraphNumber(int16_t, Colour) {}
void DrawMark(const QString&, Colour) {}

}  // namespace Vexo
