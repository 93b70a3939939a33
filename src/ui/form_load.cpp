// The load event of the main window: the whole start-up of the program, then the window made
// ready for the connection watch.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "config/calibration.h"
#include "config/customization.h"
#include "core/readout.h"
#include "core/vexo.h"
#include "device/device_link.h"
#include "platform/window_timer.h"
#include "ui/form_load.h"
#include "ui/zanpo.h"

namespace Vexo {

void InitProgram() {
    // The arrays exist for the whole run; they start all zero (or empty).
    TrendBuffer.fill(0);
    ConvTable.fill(0);
    EkionTable.fill(0);
    KionTable.fill(0);
    for (auto& row : AlertRules) row.fill(0);
    AlertTexts.fill(QString());
    RequestBytes.fill(0);

    Readout->showForStartUp();
    ReadCustomization();
    ReadCalibration();
    InitDevice();
    if (DeviceMissing) ReportMissingDevice();
}

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
