// The calibration tables EKION.CSV (liquid sensor) and KION.CSV (air sensor): a header line,
// then 256 whole-degree values for the raw bytes 0..255.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "config/config_file.h"

namespace Vexo {

// EKION.CSV into EkionTable, then KION.CSV into KionTable.
void ReadCalibration();

// ReadCalibration over the two files already opened (or not), with the same log lines.
void ReadCalibrationFrom(const ConfigFile& ekion, const ConfigFile& kion);

// What reading a table file found wrong, if anything.
struct TableReading {
    bool shortOfValues = false;  // fewer than 256 values: the entries without one keep theirs
    bool tooLarge = false;       // a value beyond 16 bits: its entry keeps what it held
    int16_t error = 0;           // number of the last error (FileErrors), 0 when all was read
};

// Reads a table file's values into `table`.
TableReading ReadTable(const QByteArray& content, std::array<int16_t, 256>& table);

// The value texts of one line, quotes removed, appended to `values` until it holds `limit`.
// Commas, blanks and line feeds separate values (blanks beside a comma make no extra value);
// an empty text between two commas is a value, a comma at the end of the line and a blank
// line give none.
void SplitValues(const QString& line, std::vector<QString>& values, size_t limit);

}  // namespace Vexo
