// The five command buttons of the main window and its close request.
#pragma once

#include <cstdint>

namespace Vexo {

void Start_Click();
void DataReset_Click();
void Setumei_Click();
void Settei_Click();
void Owari_Click();
void Form_Unload(int16_t& cancel);
void EndNow();  // what the quit question's Yes does: hide the window, end the program
void StepBackTicks();
void BlankGraph();

}  // namespace Vexo
