#include "core/vexo.h"

namespace Vexo {

void DrawGraphFrame() {}

}  // namespace Vexo
