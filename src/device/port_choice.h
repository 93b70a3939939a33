// Which device a port number stands for when the user has named none: a box on a USB serial
// adapter works with no configuration at all.
#pragma once

#include <QList>
#include <QString>

namespace Vexo {

// One serial port of the machine.
struct ListedPort {
    QString location;  // the device, e.g. /dev/ttyUSB0 or COM5
    QString byId;      // its stable name under /dev/serial/by-id/, empty when it has none
    bool usb = false;  // a USB serial adapter
    QString key;       // Windows: the system's id of the device, which orders the adapters
};

// Where the adapters' stable names and the built-in ports are found. The machine's own
// places unless a test hands in others.
struct PortPlaces {
#ifdef _WIN32
    QString byId;  // none: the system lists its serial devices
    QString fallback = QStringLiteral("COM%1");  // %1: the port number
    int firstNumber = 1;
#else
    QString byId = QStringLiteral("/dev/serial/by-id");
    QString fallback = QStringLiteral("/dev/ttyS%1");  // %1: the port number less one
    int firstNumber = 0;
#endif
};
void SetPortPlaces(const PortPlaces& places);

// The device of port `port` (1 to 4) among `ports`: the port-th USB serial adapter, the
// adapters taken in the order of their names under /dev/serial/by-id/ (of the system's ids on
// Windows; those without either after them, by location) and named by that stable name when
// they have one; when there is no such adapter, the fallback (/dev/ttyS<port-1>, COM<port>).
QString ChoosePort(int port, const QList<ListedPort>& ports,
                   const PortPlaces& places = PortPlaces());

// The USB serial adapters of this machine (the system's side: port_list_*.cpp): on Linux the
// devices the stable names lead to, on Windows the serial devices the system lists whose
// bus is USB.
QList<ListedPort> ListedPorts(const PortPlaces& places);
// What changes when an adapter comes or goes, cheaply read: the stable names on Linux, the
// listed devices on Windows.
QStringList AdapterNames(const PortPlaces& places);

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
