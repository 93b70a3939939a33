// The main window's title: "けるびら", and "けるびら（記録できません）" while the lesson
// cannot be recorded. Set in this one place only.
#include "core/vexo.h"
#include "platform/message_box.h"
#include "recording/recording.h"
#include "ui/zanpo.h"

namespace Vexo {

void ShowWindowTitle(bool notRecorded) {
    if (MainWindow == nullptr) return;
    MainWindow->setWindowTitle(notRecorded ? AppTitle + QStringLiteral("（記録できません）")
                                           : AppTitle);
}

}  // namespace Vexo
