// The serial line to the box as the system gives it: Qt's serial port on Linux, Windows's own
// COM ports on Windows. It is told how the device link finds a port's device.
#pragma once

#include <memory>

#include "platform/serial_line.h"

namespace App {

std::unique_ptr<SerialLine> SystemSerialLine();

}  // namespace App
