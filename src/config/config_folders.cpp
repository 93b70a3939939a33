#include "config/config_folders.h"

#include <QDir>

namespace Vexo {
namespace {

QString Env(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

// What the command line handed in.
QString givenConfigDir;
QString givenExamples;

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

void SearchConfigFolders(const QString& configDir, const QString& examples) {
    givenConfigDir = configDir;
    givenExamples = examples;
}

QStringList ConfigFolders() {
    FolderSources from;
    from.configDir = givenConfigDir;
    from.xdgConfigHome = Env("XDG_CONFIG_HOME");
    from.xdgConfigDirs = Env("XDG_CONFIG_DIRS");
    from.home = Env("HOME");
    from.examples = givenExamples;
    return ConfigFolders(from);
}

}  // namespace Vexo
