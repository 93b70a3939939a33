// Where lessons are recorded: Kelvira/ in the user's documents folder (which follows the
// desktop's own name for it), another folder named by the customization key Kiroku=, or
// nowhere when Kiroku=0 or the option --no-record switches recording off.
#include <QDir>
#include <QStandardPaths>

#include "core/vexo.h"
#include "recording/recording.h"

namespace Vexo {

namespace {

bool offByOption = false;

}  // namespace

void SetRecordingFolder(const QString& text, const QString& base) {
    KirokuKey = text;
    KirokuBase = base;
}

void SwitchRecordingOff() {
    offByOption = true;
}

QString RecordingFolder() {
    const QString key = KirokuKey.trimmed();
    if (offByOption || key == QLatin1String("0")) return {};
    if (!key.isEmpty()) return QDir::cleanPath(QDir(KirokuBase).absoluteFilePath(key));
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    return documents + QStringLiteral("/Kelvira");
}

void ResetRecordingFolder() {
    offByOption = false;
    KirokuKey.clear();
    KirokuBase.clear();
}

}  // namespace Vexo
