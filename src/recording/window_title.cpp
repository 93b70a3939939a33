// The main window's title while a lesson cannot be recorded: the one place the recording
// changes it.
#include "app/window_title.h"
#include "core/vexo.h"
#include "recording/recording.h"
#include "ui/zanpo.h"

namespace Vexo {

void ShowWindowTitle(bool notRecorded) {
    if (MainWindow == nullptr) return;
    MainWindow->setWindowTitle(App::WindowTitle(notRecorded));
}

}  // namespace Vexo
