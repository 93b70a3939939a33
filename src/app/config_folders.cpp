#include "app/config_folders.h"

#include <QCoreApplication>
#include <QDir>

#include "app/install_layout.h"
#include "app/options.h"

namespace App {
namespace {

QString Env(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

}  // namespace

QStringList ConfigFolders(const FolderSources& from) {
    QStringList folders{QStringLiteral(".")};
    if (!from.configDir.isEmpty()) folders << from.configDir;

    QString home = from.xdgConfigHome;
    if (!QDir::isAbsolutePath(home) && !from.home.isEmpty()) home = from.home + "/.config";
    if (QDir::isAbsolutePath(home)) folders << home + "/kelvira";

    const QString dirs =
        from.xdgConfigDirs.isEmpty() ? QStringLiteral("/etc/xdg") : from.xdgConfigDirs;
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir)) folders << dir + "/kelvira";

    if (!from.examples.isEmpty()) folders << from.examples;
    return folders;
}

QStringList ConfigFolders() {
    FolderSources from;
    from.configDir = Given.configDir;
    from.xdgConfigHome = Env("XDG_CONFIG_HOME");
    from.xdgConfigDirs = Env("XDG_CONFIG_DIRS");
    from.home = Env("HOME");
    if (Given.demo)
        from.examples =
            QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + KELVIRA_DATA_FROM_BIN);
    return ConfigFolders(from);
}

}  // namespace App
