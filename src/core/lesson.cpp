#include "core/lesson.h"

namespace Vexo {

std::array<int16_t, LastTick + 1> TrendRaw{};
int LessonTicks = 0;

}  // namespace Vexo
