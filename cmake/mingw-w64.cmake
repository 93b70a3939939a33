# Building for 64-bit Windows on Debian, with Debian's mingw-w64 (posix threads):
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKELVIRA_WINDOWS_PREFIX=<toolchain>/prefix
# KELVIRA_WINDOWS_PREFIX holds Qt's base, libmosquitto and the runtime built for Windows by
# scripts/windows-toolchain.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${KELVIRA_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Qt's tools (moc, rcc, ...) are the host's, from Debian's Qt of the same version.
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
