// Telling the user, at start-up, that the port could not be opened and why.
#include "core/start_up_log.h"
#include "core/vexo.h"
#include "device/port_choice.h"
#include "device/port_fault.h"
#include "platform/serial_line.h"
#include "platform/surface.h"

namespace Vexo {

void ReportMissingDevice() {
    PrintLog(QStringLiteral("ざんぽが接続されていません!"));
    const QString device = PortDevice(PortNumber);
    PrintLogNaming(MissingDeviceReason(
                       GatherPortFacts(device, MSComm1->lastErrorCode(), MSComm1->lastError())),
                   device);
}

}  // namespace Vexo
