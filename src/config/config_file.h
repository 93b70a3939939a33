// The configuration files of the working folder: found by name whatever their letter case,
// read whole, only ever for reading.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace Vexo {

struct ConfigFile {
    std::optional<QByteArray> content;  // nullopt: the file could not be opened
    int16_t error = 0;                  // why not (FileErrors), 0 when it was read
};

// Name of the working folder's entry that stands for `name`: the entry spelled exactly so if
// there is one, otherwise the first in byte order of the entries that differ from it only in
// the case of ASCII letters. Empty when there is none.
QString FindConfigFile(const QString& name);

// The content of the configuration file `name` of the working folder. Only a regular file
// (or a link to one) is opened: a directory, a device, a pipe or a file that cannot be read
// counts as a file that cannot be opened.
ConfigFile OpenConfigFile(const QString& name);

}  // namespace Vexo
