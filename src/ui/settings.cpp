#include "core/vexo.h"

namespace Vexo {

void Text1_GotFocus() {}
void Text2_GotFocus() {}
void Text1_KeyPress(int16_t&) {}
void Text2_KeyPress(int16_t&) {}
void Text1_LostFocus() {}
void Text2_LostFocus() {}
void Owaru_Click() {}
void FCancel_Click() {}

}  // namespace Vexo
