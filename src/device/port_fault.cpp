#include "device/port_fault.h"

namespace Vexo {

QString MissingDeviceReason(const PortFacts& facts) {
    if (!facts.exists || facts.error == SerialFault::NotFound)
        return QStringLiteral("見つかりません：");
    if (!facts.accessible) {
        // Joining the owning group helps only when that group may read and write the device.
        if (facts.group.isEmpty() || !facts.groupReadWrite)
            return QStringLiteral("開く権限がありません：");
        return QStringLiteral("%1 グループへの参加が必要です：").arg(facts.group);
    }
    // Present and permitted, yet refused: another program holds the port.
    if (facts.error == SerialFault::Refused)
        return QStringLiteral("ほかのプログラムが使用中です：");
    return QStringLiteral("開けません（%1）：").arg(facts.errorText);
}

}  // namespace Vexo
