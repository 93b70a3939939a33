#!/usr/bin/env bash
# Builds the Debian package build-package/kelvira_<version>_amd64.deb and checks it:
# lintian (no errors allowed), desktop-file-validate and appstreamcli validate on the files
# as they are installed.
#
# The build uses Debian's compiler flags (dpkg-buildflags: hardening included), installs into
# /usr, and takes the package's dependencies from the libraries the programs link
# (dpkg-shlibdeps) plus the fonts the window draws with.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=build-package

scripts/setup.sh package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
scripts/build.sh "$out" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
deb="$out/kelvira_${version}_amd64.deb"
rm -f "$deb"
cpack --config "$out/CPackConfig.cmake" -B "$out" >/dev/null
echo "Built $deb"

echo "== lintian"
lintian --fail-on error --display-info "$deb"

echo "== desktop-file-validate, appstreamcli validate"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/kelvira.desktop"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
echo "Package ready: $deb"
