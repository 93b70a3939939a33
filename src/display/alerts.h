// The temperature-crossing messages of the customization file.
#pragma once

namespace Vexo {

// Tests every rule against the two newest ticks; a rule crossed shows its message.
void CheckAlerts();
// Ends the message shown.
void Timer3_Timer();

}  // namespace Vexo
