// Why the serial port could not be opened, in words a teacher can act on.
#pragma once

#include <QString>

#include "platform/serial_line.h"

namespace Vexo {

// What the system says about the device behind a port that did not open.
struct PortFacts {
    QString path;                 // the device, e.g. /dev/ttyS0
    bool exists = false;          // the path leads to a device
    bool accessible = false;      // this user may read and write it
    QString group;                // the group owning the device, empty when unknown
    bool groupReadWrite = false;  // that group may read and write the device
    SerialFault error = SerialFault::None;  // why opening failed
    QString errorText;                                          // the same, in words
};

// The reason printed under "ざんぽが接続されていません!", before the device's name: a device
// that does not exist, one that refuses this user (naming the group to join when joining it
// would help), one that is taken by another program, and anything else with the system's
// words.
QString MissingDeviceReason(const PortFacts& facts);

// Gathers the facts about `path` from the system (stat, access, the group database).
PortFacts GatherPortFacts(const QString& path, SerialFault error,
                          const QString& errorText);

}  // namespace Vexo
