#include "app/system_line.h"
#include "device/port_choice.h"
#include "platform/com_line.h"

namespace App {

std::unique_ptr<SerialLine> SystemSerialLine() {
    return std::make_unique<ComLine>(Vexo::PortDevice);
}

}  // namespace App
