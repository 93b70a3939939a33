#include "device/port_choice.h"

#include <algorithm>

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

// The port's device as the command line or the environment names it; empty when neither does.
QString NamedDevice(int port) {
    if (!commandLineDevice.isEmpty()) return commandLineDevice;
    const QByteArray named = qgetenv(("KELVIRA_PORT" + QByteArray::number(port)).constData());
    return QString::fromLocal8Bit(named);
}

QString FallbackDevice(int port, const PortPlaces& p) {
    return p.fallback.arg(port - 1 + p.firstNumber);
}

}  // namespace

void SetPortPlaces(const PortPlaces& p) {
    places = p;
    listing = Listing();
}

QString ChoosePort(int port, const QList<ListedPort>& ports, const PortPlaces& fallback) {
    QList<ListedPort> adapters;
    for (const ListedPort& p : ports)
        if (p.usb) adapters << p;
    const auto stable = [](const ListedPort& p) { return p.byId.isEmpty() ? p.key : p.byId; };
    std::sort(adapters.begin(), adapters.end(), [&](const ListedPort& a, const ListedPort& b) {
        if (stable(a).isEmpty() != stable(b).isEmpty()) return stable(b).isEmpty();
        return stable(a) != stable(b) ? stable(a) < stable(b) : a.location < b.location;
    });
    if (port >= 1 && port <= adapters.size()) {
        const ListedPort& chosen = adapters[port - 1];
        return chosen.byId.isEmpty() ? chosen.location : chosen.byId;
    }
    return FallbackDevice(port, fallback);
}

QString PortDevice(int port) {
    const QString named = NamedDevice(port);
    if (!named.isEmpty()) return named;
    // The links are followed again only when the adapters' stable names have changed, so that
    // an adapter plugged in after start-up is found when the port is next opened, while a
    // missing box costs one look at a folder.
    const QStringList names = AdapterNames(places);
    if (!listing.made || names != listing.names) {
        listing.made = true;
        listing.names = names;
        listing.ports = ListedPorts(places);
    }
    return ChoosePort(port, listing.ports, places);
}

void NamePortDevice(const QString& device) {
    commandLineDevice = device;
}

bool FallbackChosen(int port) {
    return NamedDevice(port).isEmpty() &&
           PortDevice(port) == FallbackDevice(port, places);
}

}  // namespace Vexo
