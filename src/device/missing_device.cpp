// Telling the user, at start-up, that the port could not be opened and why.
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "core/start_up_log.h"
#include "core/vexo.h"
#include "device/port_choice.h"
#include "device/port_fault.h"
#include "platform/serial_line.h"
#include "platform/surface.h"

namespace Vexo {

PortFacts GatherPortFacts(const QString& path, QSerialPort::SerialPortError error,
                          const QString& errorText) {
    PortFacts facts;
    facts.path = path;
    facts.error = error;
    facts.errorText = errorText;
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    facts.exists = ::stat(name.constData(), &info) == 0;  // follows links; a dead link is absent
    if (!facts.exists) return facts;
    facts.accessible = ::access(name.constData(), R_OK | W_OK) == 0;
    if (const struct group* owner = ::getgrgid(info.st_gid))
        facts.group = QString::fromLocal8Bit(owner->gr_name);
    facts.groupReadWrite = (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    return facts;
}

void ReportMissingDevice() {
    PrintLog(QStringLiteral("ざんぽが接続されていません!"));
    const QString device = PortDevice(PortNumber);
    PrintLogNaming(MissingDeviceReason(
                       GatherPortFacts(device, MSComm1->lastErrorCode(), MSComm1->lastError())),
                   device);
}

}  // namespace Vexo
