#include <QByteArray>
#include <QtGlobal>

#include "platform/serial_line.h"

QString PortDeviceName(int port) {
    const QByteArray override = qgetenv(("KELVIRA_PORT" + QByteArray::number(port)).constData());
    if (!override.isEmpty()) return QString::fromLocal8Bit(override);
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}
