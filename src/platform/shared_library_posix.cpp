#include <dlfcn.h>

#include <string>

#include "platform/shared_library.h"

namespace SharedLibrary {

void* Open(const char* name, int version, QString& error) {
    const std::string file = "lib" + std::string(name) + ".so." + std::to_string(version);
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) error = QString::fromLocal8Bit(dlerror());
    return library;
}

void* Function(void* library, const char* symbol) {
    return dlsym(library, symbol);
}

}  // namespace SharedLibrary
