#include "core/vexo.h"

namespace Vexo {

void DrawThermometer() {}
void ShowTemperature(float&) {}

}  // namespace Vexo
