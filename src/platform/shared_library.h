// A library of the system's, loaded while the program runs rather than when it starts.
#pragma once

#include <QString>

namespace SharedLibrary {

// Loads the library `name` (e.g. "mosquitto") of major version `version`: libNAME.so.VERSION
// on Linux, libNAME.dll on Windows (beside the program). Null when it cannot be loaded, and
// `error` then says why.
void* Open(const char* name, int version, QString& error);
// The address of the function `symbol` in it; null when it has none.
void* Function(void* library, const char* symbol);

}  // namespace SharedLibrary
