#!/usr/bin/env bash
# Installs the Debian packages Kelvira needs that are not installed yet.
#   scripts/setup.sh run    what building and running the program needs
#   scripts/setup.sh package  that, plus what building and checking the Debian package needs
#   scripts/setup.sh test   all of that, plus what the tests, sanitizers and fuzzers need, and the
#                           Windows build and its tests under Wine
#   scripts/setup.sh windows  what building Kelvira for Windows and testing it under Wine needs
set -euo pipefail

run_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-serialport-dev libgl-dev libfontconfig-dev libmosquitto-dev mosquitto-dev
    libavahi-client-dev
    qt6-websockets-dev libqrencode-dev curl
    fonts-ipafont-gothic
    xvfb xauth x11-apps x11-utils imagemagick xdotool procps
    mosquitto mosquitto-clients
)
package_packages=(
    dpkg-dev file lintian desktop-file-utils appstream man-db
)
test_packages=(
    clang-14 libclang-rt-14-dev libbenchmark-dev util-linux procps ccache openssl chromium
    libreoffice-calc-nogui
)
# Qt's base for the build machine too: cross-building Qt takes its host tools from there.
windows_packages=(
    g++-mingw-w64-x86-64-posix wine64 nsis dpkg-dev xz-utils fonts-ipafont-gothic cmake
    ninja-build imagemagick curl qt6-base-dev qt6-base-dev-tools
)

wanted=("${run_packages[@]}")
case "${1:-run}" in
    package) wanted+=("${package_packages[@]}") ;;
    test) wanted+=("${package_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}") ;;
    windows) wanted=("${windows_packages[@]}") ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} > 0)); then
    echo "Installing: ${missing[*]}"
    sudo=()
    if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The shared page's chart, fetched once into the user's cache and checked.
"$(dirname "$0")/fetch-uplot.sh" >/dev/null
