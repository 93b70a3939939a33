// Which device a port number stands for when the user has named none: a box on a USB serial
// adapter works with no configuration at all.
#pragma once

#include <QList>
#include <QString>

namespace Vexo {

// One serial port of the machine.
struct ListedPort {
    QString location;  // the device, e.g. /dev/ttyUSB0
    QString byId;      // its stable name under /dev/serial/by-id/, empty when it has none
    bool usb = false;  // a USB serial adapter
};

// Where the adapters' stable names and the built-in ports are found. The machine's own
// places unless a test hands in others.
struct PortPlaces {
    QString byId = QStringLiteral("/dev/serial/by-id");
    QString fallback = QStringLiteral("/dev/ttyS%1");  // %1: the port number less one
};
void SetPortPlaces(const PortPlaces& places);

// The device of port `port` (1 to 4) among `ports`: the port-th USB serial adapter, the
// adapters taken in the order of their names under /dev/serial/by-id/ (those without such a
// name after them, by location) and named by that stable name when they have one; when there
// is no such adapter, the fallback, /dev/ttyS<port-1>.
QString ChoosePort(int port, const QList<ListedPort>& ports,
                   const QString& fallback = PortPlaces().fallback);

// The USB serial adapters of this machine: the devices the stable names lead to.
QList<ListedPort> ListedPorts();

// The device named on the command line (--port, or the simulated box of a demonstration),
// which stands for every port number; empty for none. Set once at start-up.
void NamePortDevice(const QString& device);

// The device of port `port`: the one named on the command line, else KELVIRA_PORT<port> when
// set and not empty, else ChoosePort over this machine's ports (listed again when adapters
// come or go). The serial line is handed this to open the port's device.
QString PortDevice(int port);

// True when the device of port `port` is the fallback: no device is named for it and there
// are fewer than `port` adapters. An adapter plugged in later wins over it.
bool FallbackChosen(int port);

}  // namespace Vexo
