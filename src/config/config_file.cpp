#include "config/config_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "config/config_folders.h"
#include "config/file_errors.h"

namespace Vexo {
namespace {

QChar UpperAscii(QChar c) {
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - 0x20) : c;
}

bool EqualIgnoringAsciiCase(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

}  // namespace

QString FindConfigFile(const QString& name, const QString& folder) {
    const QDir dir(folder);
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    QString found;
    for (const QString& entry : entries) {
        if (entry == name) {
            found = entry;
            break;
        }
        if (EqualIgnoringAsciiCase(entry, name) &&
            (found.isEmpty() || QFile::encodeName(entry) < QFile::encodeName(found)))
            found = entry;
    }
    if (found.isEmpty() || folder == QLatin1String(".")) return found;
    return dir.filePath(found);
}

ConfigFile OpenConfigFile(const QString& name) {
    QString path;
    for (const QString& folder : ConfigFolders()) {
        path = FindConfigFile(name, folder);
        if (!path.isEmpty()) break;
    }
    if (path.isEmpty()) return {std::nullopt, FileErrors::FileNotFound, {}};
    // Checked before opening: opening a pipe would wait for a writer, a device never ends.
    if (!QFileInfo(path).isFile()) return {std::nullopt, FileErrors::PathAccess, path};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {std::nullopt, FileErrors::PathAccess, path};
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) return {std::nullopt, FileErrors::PathAccess, path};
    return {std::move(content), 0, path};
}

}  // namespace Vexo
