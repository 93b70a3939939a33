// What a Linux machine says about a serial device that did not open: whether it exists, whether
// this user may read and write it, and the group that owns it.
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "device/port_fault.h"

namespace Vexo {

PortFacts GatherPortFacts(const QString& path, SerialFault error,
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

}  // namespace Vexo
