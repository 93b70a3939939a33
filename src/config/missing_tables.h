// A calibration table that is not there: a box read through it shows 0 °C for every byte,
// so the start-up log says which table was not found and where it was looked for, and the
// title is marked while the table in use holds nothing but zeros.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "config/config_file.h"

namespace Vexo {

// One line of that log: a text, and a name printed beside it (empty for none).
using LogLine = std::pair<QString, QString>;

// What the log says after the tables' own lines about `ekion` and `kion` as they were looked
// for in `folders` (the working folder as "."): a line for each table that was not found or
// could not be read, then, when one was not found, the folders searched. Nothing when both
// were read.
std::vector<LogLine> MissingTableLines(const ConfigFile& ekion, const ConfigFile& kion,
                                       const QStringList& folders);

// Prints those lines into Picture2, the folders searched now.
void ReportMissingTables(const ConfigFile& ekion, const ConfigFile& kion);

// Marks the title "（校正表なし）" while every entry of ConvTable is 0; call after it is filled.
void MarkEmptyTable();

}  // namespace Vexo
