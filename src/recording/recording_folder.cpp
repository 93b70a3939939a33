// Where lessons are recorded: Kelvira/ in the user's documents folder (which follows the
// desktop's own name for it), another folder named by the customization key Kiroku=, or
// nowhere when Kiroku=0 or the option --no-record switches recording off.
#include <QDir>
#include <QStandardPaths>

#include "recording/recording.h"

namespace Vexo {

namespace {

bool offByOption = false;
bool offByKey = false;
QString keyFolder;  // absolute; empty for the default

}  // namespace

void SetRecordingFolder(const QString& text, const QString& base) {
    const QString value = text.trimmed();
    offByKey = value == QLatin1String("0");
    keyFolder = value.isEmpty() || offByKey ? QString()
                                            : QDir::cleanPath(QDir(base).absoluteFilePath(value));
}

void SwitchRecordingOff() {
    offByOption = true;
}

QString RecordingFolder() {
    if (offByOption || offByKey) return {};
    if (!keyFolder.isEmpty()) return keyFolder;
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    return documents + QStringLiteral("/Kelvira");
}

void ResetRecordingFolder() {
    offByOption = offByKey = false;
    keyFolder.clear();
}

}  // namespace Vexo
