#!/usr/bin/env bash
# Configures and builds Kelvira into a build folder.
#   scripts/build.sh BUILD_DIR [extra cmake arguments...]
# BUILD_TARGETS (space-separated) builds only those targets and what they need.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$1
shift
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # Another clone of the repository on the same machine (CI's) finds what this one built.
    export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
fi
cmake -S . -B "$build_dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
# shellcheck disable=SC2086
ninja -C "$build_dir" -j "$(nproc)" ${BUILD_TARGETS:-}
