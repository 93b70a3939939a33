// The load event of the main window: the whole start-up of the program, then the window made
// ready for the connection watch.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/vexo.h"
#include "platform/window_timer.h"
#include "ui/zanpo.h"

namespace Vexo {

void Form_Load() {
    MainWindow->setStartUpPainting(true);
    InitProgram();
    MainWindow->setStartUpPainting(false);

    Timer4->setInterval(200);
    Timer4->setEnabled(true);
    MainWindow->Text2->setVisible(false);
    MainWindow->DataReset->setVisible(false);
    MainWindow->Label2->setText(IsTrue(KionMode) ? QStringLiteral("きおんセンサー")
                                                 : QStringLiteral("えきおんセンサー"));
    MainWindow->Start->setFocus();
}

}  // namespace Vexo
