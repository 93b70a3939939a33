// The class the view watches when none is named on its command line: Kurasu= of the
// customization file, found where Kelvira finds it (the teacher's own VEXO.TXT).
#pragma once

#include <QString>

namespace ClassView {

// The address of Kurasu=, as written; empty when there is no such key or no file.
QString ClassOfCustomization();

}  // namespace ClassView
