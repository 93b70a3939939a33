// The USB serial adapters of a Linux machine: the system gives a stable name under
// /dev/serial/by-id to every USB serial device, and only to those, so the folder of names is
// the list of adapters, read without asking udev.
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include "device/port_choice.h"

namespace Vexo {

namespace {

constexpr QDir::Filters Entries = QDir::System | QDir::Files | QDir::NoDotAndDotDot;

}  // namespace

QStringList AdapterNames(const PortPlaces& places) {
    return QDir(places.byId).entryList(Entries, QDir::Name);
}

QList<ListedPort> ListedPorts(const PortPlaces& places) {
    // The by-id names, by the device each leads to.
    QHash<QString, QString> names;
    const QDir dir(places.byId);
    for (const QString& entry : dir.entryList(Entries)) {
        const QString path = dir.filePath(entry);
        const QString target = QFileInfo(path).canonicalFilePath();
        // Two names for one device: the first in order is kept, so the choice is stable.
        if (!target.isEmpty() && (!names.contains(target) || path < names[target]))
            names[target] = path;
    }
    QList<ListedPort> ports;
    for (auto name = names.cbegin(); name != names.cend(); ++name)
        ports << ListedPort{name.key(), name.value(), true, {}};
    return ports;
}

}  // namespace Vexo
