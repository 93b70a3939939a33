#!/usr/bin/env bash
# Builds Kelvira for 64-bit Windows on this Debian machine, and its setup program:
#   build-windows/kelvira-setup-<version>.exe
# with the Windows toolchain of scripts/windows-toolchain.sh (built once, then cached), the
# programs' icon drawn by the Linux build (build-run/), and NSIS. Also builds the tests of the
# rooms that run under Wine (scripts/test.sh runs them). Prints the setup program's path last.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

prefix=$(scripts/windows-toolchain.sh | tail -1)
scripts/setup.sh run >&2
# A toolchain built anew lives in a folder of its own: what the last configuration found in
# the old one is forgotten.
if [[ -f build-windows/CMakeCache.txt ]] &&
    ! grep -qxF "KELVIRA_WINDOWS_PREFIX:UNINITIALIZED=$prefix" build-windows/CMakeCache.txt; then
    rm -f build-windows/CMakeCache.txt
fi
# The icon's PNGs, drawn by the Linux program's own code.
BUILD_TARGETS=desktop_files scripts/build.sh build-run -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF >&2
scripts/build.sh build-windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DKELVIRA_WINDOWS_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=ON -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/lib/wine/wine64 \
    -DKELVIRA_ICONS_DIR="$root/build-run/packaging/icons" >&2
ninja -C build-windows setup >&2
ls "$root"/build-windows/kelvira-setup-*.exe | tail -1
