#!/usr/bin/env bash
# Builds what building Kelvira for 64-bit Windows needs, once, into a cache folder outside the
# tree, and reuses it while its inputs are unchanged (the recipe below, the compiler, the
# sources); a build cut short goes on where it stopped:
#   Qt 6's base (Core, Gui, Widgets, Network, Test, the windows and offscreen platforms),
#   libmosquitto (without TLS) and libqrencode (static), cross-built from Debian's own source
#   packages with Debian's mingw-w64;
#   the compiler's runtime and the IPA Gothic fonts (with their licence) to ship beside them.
# Prints the prefix folder on its last line. About 30 minutes on two cores the first time.
#   KELVIRA_WINDOWS_CACHE  the cache folder (default ~/.cache/kelvira-windows)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" windows >&2

cache=${KELVIRA_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kelvira-windows}
# The sources come from the archive's source packages, through an apt configuration of this
# script's own: the system's sources stay as they are.
apt_dir="$cache/apt"
mkdir -p "$apt_dir/lists/partial"
cat >"$apt_dir/sources.list" <<LIST
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian bookworm-updates main
deb-src http://deb.debian.org/debian-security bookworm-security main
LIST
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=-"
             -o "Dir::State::Lists=$apt_dir/lists" -o "APT::Sandbox::User=root")
apt-get "${apt_options[@]}" update -qq >&2
source_version() { apt-cache "${apt_options[@]}" showsrc "$1" | awk '/^Version:/ {print $2; exit}'; }
# The recipe: what is built and how. Qt's base, shared, with its bundled third-party libraries,
# Debian's Qt as the host tools; no OpenGL (the pictures are drawn into images), so no dynamic
# GL; no wintab in the +dfsg source, so no tablet events; Network without TLS (Debian has no
# OpenSSL for mingw, and the pupils' page is served over plain HTTP on the school's network).
# libmosquitto, the client library alone, without TLS. libqrencode, the library alone, static
# (nothing more to ship), without its tool and PNG.
qt_options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF -DFEATURE_sql=OFF -DFEATURE_network=ON -DFEATURE_ssl=OFF
    -DFEATURE_openssl=OFF -DFEATURE_schannel=OFF -DFEATURE_dbus=OFF
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_testlib=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF)
mosquitto_options=(-DCMAKE_BUILD_TYPE=Release -DWITH_TLS=OFF -DWITH_BROKER=OFF -DWITH_APPS=OFF
    -DWITH_CLIENTS=OFF -DWITH_PLUGINS=OFF -DDOCUMENTATION=OFF -DWITH_CJSON=OFF)
qrencode_options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DWITH_TOOLS=OFF
    -DWITH_TESTS=OFF -DWITHOUT_PNG=ON -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON)

qt_version=$(source_version qt6-base)
mosquitto_version=$(source_version mosquitto)
qrencode_version=$(source_version qrencode)
compiler=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)
key=$(echo "$qt_version $mosquitto_version $qrencode_version $compiler ${qt_options[*]}" \
      "${mosquitto_options[*]} ${qrencode_options[*]}" "$(cat "$root/cmake/mingw-w64.cmake")" |
      sha256sum | cut -c1-16)
prefix="$cache/$key/prefix"
if [[ -f "$cache/$key/done" ]]; then
    echo "Windows toolchain: cached in $cache/$key" >&2
    echo "$prefix"
    exit 0
fi

work="$cache/$key/work"
mkdir -p "$work" "$prefix"
cd "$work"
echo "Windows toolchain: qt6-base $qt_version, mosquitto $mosquitto_version," \
     "qrencode $qrencode_version, mingw-w64 $compiler" >&2
if [[ ! -d qt-source || ! -d mosquitto-source ]]; then
    rm -rf qt-source mosquitto-source qt6-base-* mosquitto-*
    apt-get "${apt_options[@]}" source -qq qt6-base mosquitto >/dev/null 2>&1 ||
        apt-get "${apt_options[@]}" source qt6-base mosquitto >&2
    mv "$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -1)" qt-source
    mv "$(find . -maxdepth 1 -type d -name 'mosquitto-*' | head -1)" mosquitto-source
fi
if [[ ! -d qrencode-source ]]; then
    # The archive no longer has qrencode's Debian part, but its original tarball is there:
    # apt fetches what it can (checked against the source index) and the tarball is unpacked
    # here, unpatched.
    rm -rf qrencode-source qrencode_* qrencode-*
    apt-get "${apt_options[@]}" source --download-only -qq qrencode >/dev/null 2>&1 || true
    orig=$(find . -maxdepth 1 -name "qrencode_${qrencode_version%-*}.orig.tar.*" | head -1)
    if [[ -z $orig ]]; then
        echo "Windows toolchain: qrencode's original tarball could not be fetched" >&2
        exit 1
    fi
    mkdir qrencode-source
    tar -xf "$orig" -C qrencode-source --strip-components=1
fi

if [[ ! -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]]; then
    cmake -S qt-source -B qt-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix" "${qt_options[@]}" >qt-configure.log
    cmake --build qt-build --parallel "$(nproc)" >qt-build.log
    cmake --install qt-build >/dev/null
fi

if [[ ! -f "$prefix/bin/libmosquitto.dll" ]]; then
    # Its CMake is taught mingw's pthread in place of a fixed MSVC library.
    sed -i 's|C:\\\\pthreads\\\\Pre-built.2\\\\lib\\\\x[0-9]*\\\\pthreadVC2.lib|pthread|; s|C:\\\\pthreads\\\\Pre-built.2\\\\include||' \
        mosquitto-source/CMakeLists.txt
    cmake -S mosquitto-source -B mosquitto-build -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
        "${mosquitto_options[@]}" >mosquitto.log
    cmake --build mosquitto-build >>mosquitto.log
    cmake --install mosquitto-build >>mosquitto.log
fi

if [[ ! -f "$prefix/lib/libqrencode.a" ]]; then
    cmake -S qrencode-source -B qrencode-build -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -Wno-dev "${qrencode_options[@]}" >qrencode.log
    cmake --build qrencode-build >>qrencode.log
    cmake --install qrencode-build >>qrencode.log
fi

# What the programs need beside them: the compiler's runtime, and a Japanese gothic face for a
# Windows without one.
mkdir -p "$prefix/runtime" "$prefix/fonts"
gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
cp "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll" "$prefix/runtime/"
cp /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$prefix/runtime/"
cp /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf "$prefix/fonts/"
cp /usr/share/doc/fonts-ipafont-gothic/copyright "$prefix/fonts/IPA_Font_License.txt"

rm -rf "$work"
touch "$cache/$key/done"
echo "Windows toolchain: built into $cache/$key" >&2
echo "$prefix"
