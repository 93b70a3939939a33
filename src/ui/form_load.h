// The load event of the main window, which brings the whole program up, and the start-up it
// runs first.
#pragma once

namespace Vexo {

void Form_Load();
// The arrays, the window shown, the customization file and the tables read, the port opened.
void InitProgram();

}  // namespace Vexo
