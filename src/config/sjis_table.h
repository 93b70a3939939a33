// The Shift-JIS (windows-31j) code page as a table, so that decoding a configuration file sets
// up no converter of the system's (tools/sjis-table writes sjis_table.cpp).
#pragma once

namespace Vexo {

// The character of each single byte; U+FFFD for a byte that begins a pair or stands for
// nothing.
extern const char16_t SjisSingles[256];
// The character of each pair: lead 0x81-0x9F then 0xE0-0xFC, trail 0x40-0x7E then 0x80-0xFC;
// U+FFFD where the code page assigns nothing.
extern const char16_t SjisPairs[60][188];

}  // namespace Vexo
