#include "core/vexo.h"
#include "ui/zanpo.h"

namespace Vexo {

void Start_Click() {}
void DataReset_Click() {}
void Setumei_Click() {}
void Settei_Click() {}
void Owari_Click() { EndProgram(); }
void Form_Unload(int16_t&) {}
void StepBackTicks() {}
void BlankGraph() {}

}  // namespace Vexo
