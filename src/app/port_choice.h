// Which device a port number stands for when the user has named none: a box on a USB serial
// adapter works with no configuration at all.
#pragma once

#include <QList>
#include <QString>

namespace App {

// One serial port of the machine.
struct ListedPort {
    QString location;  // the device, e.g. /dev/ttyUSB0
    QString byId;      // its stable name under /dev/serial/by-id/, empty when it has none
    bool usb = false;  // a USB serial adapter
};

// The device of port `port` (1 to 4) among `ports`: the port-th USB serial adapter, the
// adapters taken in the order of their names under /dev/serial/by-id/ (those without such a
// name after them, by location) and named by that stable name when they have one; when there
// is no such adapter, /dev/ttyS<port-1>.
QString ChoosePort(int port, const QList<ListedPort>& ports);

// The serial ports of this machine as QSerialPortInfo lists them, with their by-id names.
QList<ListedPort> ListedPorts();

// The device of port `port`: --port, else KELVIRA_PORT<port> when set and not empty, else
// ChoosePort over this machine's ports (listed once per run, when first needed).
QString PortDevice(int port);

// The start-up log's line naming the device of port `port`.
QString PortLogLine(int port);

}  // namespace App
