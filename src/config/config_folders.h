// Where the configuration files are looked for, in order. Each file is looked up on its own,
// so VEXO.TXT may come from the class folder and the tables from the user's folder. The
// program only ever reads these folders.
#pragma once

#include <QString>
#include <QStringList>

namespace Vexo {

// What the folders are made of: the command line and the XDG base directory variables, or
// on Windows the user's and the machine's application data folders.
struct FolderSources {
    QString configDir;      // --config-dir, empty when not given
    QString xdgConfigHome;  // $XDG_CONFIG_HOME
    QString xdgConfigDirs;  // $XDG_CONFIG_DIRS, folders separated by ':'
    QString home;           // $HOME
    QString examples;       // the example files of the demonstration, empty when none
    QString appData;        // Windows: %APPDATA%
    QString programData;    // Windows: %PROGRAMDATA%
};

// The folders in order: the working folder ("."), --config-dir, $XDG_CONFIG_HOME/kelvira
// (~/.config/kelvira when unset or empty), kelvira/ in each folder of $XDG_CONFIG_DIRS
// (/etc/xdg when unset or empty), then the examples. Relative XDG paths are ignored, as the
// XDG base directory rules ask.
QStringList ConfigFolders(const FolderSources& from);

// The same on Windows: the working folder, --config-dir, %APPDATA%\Kelvira,
// %PROGRAMDATA%\Kelvira (where a school's IT puts the box's tables for every user), then the
// examples.
QStringList WindowsConfigFolders(const FolderSources& from);

// Hands in what the command line adds to the folders: --config-dir and, in a demonstration,
// the folder of the example files; empty for none. Set once at start-up.
void SearchConfigFolders(const QString& configDir, const QString& examples);

// The folders searched now: those handed in, with this process's environment.
QStringList ConfigFolders();

// The user's own file of the class's password: class-password in $XDG_CONFIG_HOME/kelvira
// (~/.config/kelvira; %APPDATA%\Kelvira on Windows). Read only when a class's address names a
// user and no password.
QString DefaultPasswordFile();

}  // namespace Vexo
