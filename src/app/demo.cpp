#include "app/demo.h"

namespace App {

QString DemoCup(const QString& group) {
    uint32_t hash = 2166136261u;  // FNV-1a: the same cup for the same name on every machine
    for (const QChar c : group) hash = (hash ^ c.unicode()) * 16777619u;
    const int from = 40 + static_cast<int>(hash % 21);        // 40 to 60 degrees
    const int room = 18 + static_cast<int>(hash / 21 % 7);    // 18 to 24 degrees
    const int tau = 200 + 20 * static_cast<int>(hash / 147 % 16);  // 200 to 500 s
    return QStringLiteral("cooling:%1:%2:%3").arg(from).arg(room).arg(tau);
}

}  // namespace App
