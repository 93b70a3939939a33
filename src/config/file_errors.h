// Numbers of the run-time errors the configuration readers catch and keep in FileError.
// They follow the classic numbering of the system's file and conversion errors.
#pragma once

#include <cstdint>

namespace Vexo::FileErrors {

constexpr int16_t InvalidCall = 5;    // a value text that cannot be taken (line ends at "=")
constexpr int16_t Overflow = 6;       // a number too large for its field
constexpr int16_t FileNotFound = 53;  // no such file in the working folder
constexpr int16_t InputPastEnd = 62;  // a line or value read after the end of the file
constexpr int16_t PathAccess = 75;    // a directory, or a file that cannot be read

}  // namespace Vexo::FileErrors
