#include "app/port_choice.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>
#include <algorithm>

#include "app/options.h"

namespace App {
namespace {

const QString ById = QStringLiteral("/dev/serial/by-id");

// The by-id names, by the device each leads to.
QHash<QString, QString> ByIdNames() {
    QHash<QString, QString> names;
    const QDir dir(ById);
    for (const QString& entry : dir.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString path = dir.filePath(entry);
        const QString target = QFileInfo(path).canonicalFilePath();
        // Two names for one device: the first in order is kept, so the choice is stable.
        if (!target.isEmpty() && (!names.contains(target) || path < names[target]))
            names[target] = path;
    }
    return names;
}

}  // namespace

QString ChoosePort(int port, const QList<ListedPort>& ports) {
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
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

QList<ListedPort> ListedPorts() {
    const QHash<QString, QString> byId = ByIdNames();
    QList<ListedPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ListedPort p;
        p.location = info.systemLocation();
        p.byId = byId.value(QFileInfo(p.location).canonicalFilePath());
        p.usb = info.hasVendorIdentifier() || !p.byId.isEmpty();
        ports << p;
    }
    return ports;
}

QString PortDevice(int port) {
    if (!Given.port.isEmpty()) return Given.port;
    const QByteArray named = qgetenv(("KELVIRA_PORT" + QByteArray::number(port)).constData());
    if (!named.isEmpty()) return QString::fromLocal8Bit(named);
    // Listing the ports takes tens of milliseconds; the machine's ports are taken as they
    // were at start-up.
    static const QList<ListedPort> listed = ListedPorts();
    return ChoosePort(port, listed);
}

QString PortLogLine(int port) {
    return QStringLiteral("接続ポート：") + PortDevice(port);
}

}  // namespace App
