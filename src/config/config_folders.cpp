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

// $XDG_CONFIG_HOME/kelvira, or ~/.config/kelvira; empty when neither is absolute.
QString UserFolder(const FolderSources& from) {
    QString home = from.xdgConfigHome;
    if (!QDir::isAbsolutePath(home) && !from.home.isEmpty()) home = from.home + "/.config";
    return QDir::isAbsolutePath(home) ? home + "/kelvira" : QString();
}

}  // namespace

QStringList ConfigFolders(const FolderSources& from) {
    QStringList folders{QStringLiteral(".")};
    if (!from.configDir.isEmpty()) folders << from.configDir;

    const QString user = UserFolder(from);
    if (!user.isEmpty()) folders << user;

    const QString dirs =
        from.xdgConfigDirs.isEmpty() ? QStringLiteral("/etc/xdg") : from.xdgConfigDirs;
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir)) folders << dir + "/kelvira";

    if (!from.examples.isEmpty()) folders << from.examples;
    return folders;
}

QStringList WindowsConfigFolders(const FolderSources& from) {
    QStringList folders{QStringLiteral(".")};
    if (!from.configDir.isEmpty()) folders << from.configDir;
    for (QString data : {from.appData, from.programData}) {
        data.replace(QLatin1Char('\\'), QLatin1Char('/'));
        // Absolute: a drive's (C:/...) or a share's (//server/...).
        const bool absolute = (data.size() > 2 && data[1] == u':' && data[2] == u'/') ||
                              data.startsWith(QLatin1String("//"));
        if (absolute) folders << data + "/Kelvira";
    }
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
#ifdef _WIN32
    from.appData = Env("APPDATA");
    from.programData = Env("PROGRAMDATA");
    return WindowsConfigFolders(from);
#else
    return ConfigFolders(from);
#endif
}

QString DefaultPasswordFile() {
#ifdef _WIN32
    const QString appData = Env("APPDATA");
    return appData.isEmpty() ? QString()
                             : QDir::fromNativeSeparators(appData) + "/Kelvira/class-password";
#else
    FolderSources from;
    from.xdgConfigHome = Env("XDG_CONFIG_HOME");
    from.home = Env("HOME");
    const QString user = UserFolder(from);
    return user.isEmpty() ? QString() : user + QStringLiteral("/class-password");
#endif
}

}  // namespace Vexo
