#include <windows.h>

#include <string>

#include "platform/shared_library.h"

namespace SharedLibrary {

void* Open(const char* name, int, QString& error) {
    const std::string file = "lib" + std::string(name) + ".dll";
    HMODULE library = LoadLibraryA(file.c_str());
    if (!library) error = QStringLiteral("cannot load %1 (error %2)").arg(QString::fromStdString(file)).arg(GetLastError());
    return reinterpret_cast<void*>(library);
}

void* Function(void* library, const char* symbol) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), symbol));
}

}  // namespace SharedLibrary
