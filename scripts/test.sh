#!/usr/bin/env bash
# Sets up, builds and runs every test of Kelvira:
#   1. the whole suite built with g++ (unit, widget, end-to-end against the simulated Zanpo);
#   2. the whole suite again with AddressSanitizer + UndefinedBehaviorSanitizer (leaks checked);
#   3. each fuzzer of the readers for FUZZ_SECONDS (default 30), built with clang.
# Stops at the first stage that fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh test

echo "== 1/3 tests (g++)"
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
ctest --test-dir build --output-on-failure -j2

echo "== 2/3 tests with AddressSanitizer and UndefinedBehaviorSanitizer (g++)"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DKELVIRA_SANITIZE=ON -DBUILD_TESTING=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp" \
    ctest --test-dir build-asan --output-on-failure -j2

echo "== 3/3 fuzzing the file readers (clang)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DKELVIRA_FUZZ=ON \
    -DBUILD_TESTING=OFF >/dev/null
scripts/fuzz.sh build-fuzz "${FUZZ_SECONDS:-30}"
echo "All tests passed."
