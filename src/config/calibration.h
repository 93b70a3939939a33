// The calibration tables EKION.CSV (liquid sensor) and KION.CSV (air sensor): a header line,
// then 256 whole-degree values for the raw bytes 0..255.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "config/config_file.h"

namespace Vexo {

// ReadCalibration over the two files already opened (or not), with the same log lines.
void ReadCalibrationFrom(const ConfigFile& ekion, const ConfigFile& kion);

// Reads a table file's values into `table`: entries with no value, or with a value too large
// for 16 bits, keep what they held. The number of the last error (FileErrors), 0 when every
// entry was filled.
int16_t ReadTable(const QByteArray& content, std::array<int16_t, 256>& table);

// The value texts of one line, quotes and blanks removed, appended to `values` until it holds
// `limit`. Commas and line feeds separate values; an empty text between two commas is a
// value, a comma at the end of the line and a blank line give none.
void SplitValues(const QString& line, std::vector<QString>& values, size_t limit);

}  // namespace Vexo
