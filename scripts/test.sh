#!/usr/bin/env bash
# Sets up, builds and runs every test of Kelvira:
#   1. the whole suite built with g++ (unit, widget, end-to-end against the simulated Zanpo);
#   2. the whole suite again with AddressSanitizer + UndefinedBehaviorSanitizer (leaks checked);
#   3. each fuzzer of the readers for FUZZ_SECONDS (default 30), built with clang;
#   4. Kelvira for Windows under Wine: the rooms' tests built for Windows, then the setup program
#      installed into a fresh Wine prefix and the installed program run against the simulated
#      box on COM1, the demonstration, a group in a class over TLS, and a class opened by the
#      installed class view with the broker it ships (scripts/windows.sh builds it; the Windows
#      toolchain is built the first time, then taken from its cache).
# Stops at the first stage that fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh test

echo "== 1/4 tests (g++)"
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
ctest --test-dir build --output-on-failure -j2 -LE windows

echo "== 2/4 tests with AddressSanitizer and UndefinedBehaviorSanitizer (g++)"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DKELVIRA_SANITIZE=ON -DBUILD_TESTING=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp" \
    ctest --test-dir build-asan --output-on-failure -j2

echo "== 3/4 fuzzing the file readers (clang)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DKELVIRA_FUZZ=ON \
    -DBUILD_TESTING=OFF >/dev/null
scripts/fuzz.sh build-fuzz "${FUZZ_SECONDS:-30}"

echo "== 4/4 Kelvira for Windows under Wine"
setup_program=$(scripts/windows.sh | tail -1)
# The rooms' tests, in a Wine prefix of their own: Wine hands a program no QT_ variable, so the
# prefix's registry asks for the offscreen platform. Wine's services start before CTest, whose
# pipes they would otherwise hold open.
wine_tests="$root/build-windows/wine-tests"
rm -rf "$wine_tests"
export WINEPREFIX="$wine_tests" WINEDEBUG=-all
setsid /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 &
/usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1
/usr/lib/wine/wine64 reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f \
    </dev/null >/dev/null 2>&1
status=0
ctest --test-dir build-windows --output-on-failure -j2 || status=$?
/usr/lib/wine/wineserver -k || true
unset WINEPREFIX WINEDEBUG
if ((status != 0)); then
    for result in build-windows/tests/results/*.txt; do grep -l FAIL "$result" >/dev/null && cat "$result"; done
    exit "$status"
fi
# End to end, from the setup program, with the Linux build's simulated box and class view.
cmake build -DKELVIRA_WINDOWS_SETUP="$setup_program" >/dev/null
ninja -C build
ctest --test-dir build --output-on-failure -L windows
echo "All tests passed."
