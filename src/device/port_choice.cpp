#include "device/port_choice.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

#include "platform/serial_line.h"

namespace Vexo {
namespace {

PortPlaces places;
QString commandLineDevice;  // --port

// The ports as last listed, and the stable names they were listed with.
struct Listing {
    bool made = false;
    QStringList names;
    QList<ListedPort> ports;
};
Listing listing;

// The by-id names, by the device each leads to.
QHash<QString, QString> ByIdNames() {
    QHash<QString, QString> names;
    const QDir dir(places.byId);
    for (const QString& entry : dir.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString path = dir.filePath(entry);
        const QString target = QFileInfo(path).canonicalFilePath();
        // Two names for one device: the first in order is kept, so the choice is stable.
        if (!target.isEmpty() && (!names.contains(target) || path < names[target]))
            names[target] = path;
    }
    return names;
}

// The port's device as the command line or the environment names it; empty when neither does.
QString NamedDevice(int port) {
    if (!commandLineDevice.isEmpty()) return commandLineDevice;
    const QByteArray named = qgetenv(("KELVIRA_PORT" + QByteArray::number(port)).constData());
    return QString::fromLocal8Bit(named);
}

QString FallbackDevice(int port, const QString& fallback) {
    return fallback.arg(port - 1);
}

}  // namespace

void SetPortPlaces(const PortPlaces& p) {
    places = p;
    listing = Listing();
}

QString ChoosePort(int port, const QList<ListedPort>& ports, const QString& fallback) {
    QList<ListedPort> adapters;
    for (const ListedPort& p : ports)
        if (p.usb) adapters << p;
    std::sort(adapters.begin(), adapters.end(), [](const ListedPort& a, const ListedPort& b) {
        if (a.byId.isEmpty() != b.byId.isEmpty()) return b.byId.isEmpty();
        return a.byId != b.byId ? a.byId < b.byId : a.location < b.location;
    });
    if (port >= 1 && port <= adapters.size()) {
        const ListedPort& chosen = adapters[port - 1];
        return chosen.byId.isEmpty() ? chosen.location : chosen.byId;
    }
    return FallbackDevice(port, fallback);
}

QList<ListedPort> ListedPorts() {
    // The system gives a stable name to every USB serial device, and only to those: the folder
    // of names is the list of adapters, read without asking udev.
    const QHash<QString, QString> byId = ByIdNames();
    QList<ListedPort> ports;
    for (auto name = byId.cbegin(); name != byId.cend(); ++name)
        ports << ListedPort{name.key(), name.value(), true};
    return ports;
}

QString PortDevice(int port) {
    const QString named = NamedDevice(port);
    if (!named.isEmpty()) return named;
    // The links are followed again only when the adapters' stable names have changed, so that
    // an adapter plugged in after start-up is found when the port is next opened, while a
    // missing box costs one look at a folder.
    const QStringList names =
        QDir(places.byId).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    if (!listing.made || names != listing.names) {
        listing.made = true;
        listing.names = names;
        listing.ports = ListedPorts();
    }
    return ChoosePort(port, listing.ports, places.fallback);
}

void NamePortDevice(const QString& device) {
    commandLineDevice = device;
}

bool FallbackChosen(int port) {
    return NamedDevice(port).isEmpty() &&
           PortDevice(port) == FallbackDevice(port, places.fallback);
}

}  // namespace Vexo
