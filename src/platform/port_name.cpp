#include "app/port_choice.h"
#include "platform/serial_line.h"

QString PortDeviceName(int port) {
    return App::PortDevice(port);
}

bool PortIsFallback(int port) {
    return App::PortIsFallback(port);
}
