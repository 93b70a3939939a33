#!/usr/bin/env bash
# Fetches the chart library of the shared page, uPlot (MIT), at its pinned version from the npm
# registry, checks it, and leaves its two files in a cache folder, where the build finds them.
#   scripts/fetch-uplot.sh [FOLDER]   FOLDER: ${XDG_CACHE_HOME:-~/.cache}/kelvira/uplot-VERSION
# Prints the folder. Fetches nothing when the folder already holds the checked files.
set -euo pipefail

version=1.6.32
tarball_sha256=4b8a8191e425658e3ea8c8c1314b0fc679c861ee3a1af2b20c7b16ba50b5133d
script_sha256=19c8d4c6ad88929a79f4ae49d6f7161566dfd0ba3d15cc495e974f787eb78f1f
style_sha256=df630c6a8d6f8eeaff264b50f73ce5b114f646ffd9a0bb74f049b0a00135fa04
folder=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/kelvira/uplot-$version}

checked() {
    [[ -f $folder/uPlot.iife.min.js && -f $folder/uPlot.min.css ]] &&
        echo "$script_sha256  $folder/uPlot.iife.min.js" | sha256sum --check --status &&
        echo "$style_sha256  $folder/uPlot.min.css" | sha256sum --check --status
}

if ! checked; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    curl -sSfL --retry 3 -o "$work/uplot.tgz" \
        "https://registry.npmjs.org/uplot/-/uplot-$version.tgz"
    if ! echo "$tarball_sha256  $work/uplot.tgz" | sha256sum --check --status; then
        echo "fetch-uplot: uplot-$version.tgz is not the one expected (sha256)" >&2
        exit 1
    fi
    tar -xzf "$work/uplot.tgz" -C "$work" package/dist/uPlot.iife.min.js package/dist/uPlot.min.css \
        package/LICENSE
    mkdir -p "$folder"
    cp "$work"/package/dist/uPlot.iife.min.js "$work"/package/dist/uPlot.min.css "$folder/"
    cp "$work"/package/LICENSE "$folder/LICENSE"
    checked || { echo "fetch-uplot: the files in $folder are not the ones expected" >&2; exit 1; }
fi
echo "$folder"
