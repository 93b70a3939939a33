// The configuration files: looked for in the working folder and then in the folders of
// config/config_folders.h, found by name whatever their letter case, read whole, only ever for
// reading.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace Vexo {

struct ConfigFile {
    std::optional<QByteArray> content;  // nullopt: the file could not be opened
    int16_t error = 0;                  // why not (FileErrors), 0 when it was read
    QString path;                       // where it was found; empty when nowhere
};

// Path of the entry of `folder` (the working folder when ".") that stands for `name`: the
// entry spelled exactly so if there is one, otherwise the first in byte order of the entries
// that differ from it only in the case of ASCII letters. Empty when there is none. In the
// working folder the path is the entry's name alone.
QString FindConfigFile(const QString& name, const QString& folder = QStringLiteral("."));

// The content of the configuration file `name` from the first folder that holds an entry for
// it. Only a regular file (or a link to one) is opened: a directory, a device, a pipe or a
// file that cannot be read counts as a file that cannot be opened.
ConfigFile OpenConfigFile(const QString& name);

}  // namespace Vexo
