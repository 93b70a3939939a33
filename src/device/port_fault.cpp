#include "device/port_fault.h"

namespace Vexo {

QString MissingDeviceReason(const PortFacts& facts) {
    if (!facts.exists || facts.error == QSerialPort::DeviceNotFoundError)
        return QStringLiteral("%1 が見つかりません。").arg(facts.path);
    if (!facts.accessible) {
        // Joining the owning group helps only when that group may read and write the device.
        if (facts.group.isEmpty() || !facts.groupReadWrite)
            return QStringLiteral("%1 を開く権限がありません。").arg(facts.path);
        return QStringLiteral("%1: %2 グループへの参加が必要です。").arg(facts.path, facts.group);
    }
    // Present and permitted, yet refused: another program holds the port.
    if (facts.error == QSerialPort::PermissionError)
        return QStringLiteral("%1 はほかのプログラムが使用中です。").arg(facts.path);
    return QStringLiteral("%1 を開けません（%2）。").arg(facts.path, facts.errorText);
}

}  // namespace Vexo
