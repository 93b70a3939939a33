// The start-up of the program: the arrays, the window shown, the files read, the port opened.
#include "core/readout.h"
#include "core/vexo.h"

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

}  // namespace Vexo
