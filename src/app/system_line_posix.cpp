#include "app/system_line.h"
#include "device/port_choice.h"
#include "platform/qt_serial_line.h"

namespace App {

std::unique_ptr<SerialLine> SystemSerialLine() {
    return std::make_unique<QtSerialLine>(Vexo::PortDevice);
}

}  // namespace App
