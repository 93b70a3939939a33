#!/usr/bin/env bash
# Measures Kelvira on this machine and checks its performance budgets:
#   the benchmark suite (bench/), start-up and peak memory against the floor program (an
#   empty Qt window of the same size), and CPU of the real program on the simulated box,
#   idle and while measuring, on a private Xvfb screen.
# Prints the table and leaves it in build-bench/results/performance.md, with the benchmark
# results (benchmarks.json) and two screenshots. Exits with 1 when a budget is not held.
# Takes about seven minutes once built. Options go to perf_report, e.g. --cpu-seconds 30.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh test
BUILD_TARGETS=perf_report scripts/build.sh build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
build-bench/bench/perf_report --out build-bench/results "$@"
