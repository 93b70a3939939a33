# Builds what building Kelvira for 64-bit Windows needs, once, into a cache folder outside the
# tree, and reuses it while its inputs are unchanged (the recipe below, the compiler, the
# sources); a build cut short goes on where it stopped. Two parts, each cached on its own inputs,
# so a change to one does not build the other again:
#   Qt 6's base (Core, Gui, Widgets, Network, Test, the windows and offscreen platforms) and
#   libqrencode (static), with the compiler's runtime and the IPA Gothic fonts (with their
#   licence) to ship beside them;
#   OpenSSL's libraries and Mosquitto: the client library with TLS, and the broker a class view
#   brings for the class it opens, with the import library its plugins link against;
# all cross-built from Debian's own source packages with Debian's mingw-w64. The two are joined
# (hard links) into one prefix folder, printed on the last line. About 40 minutes on two cores
# the first time.
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
# The newest version of a source package the archive lists (bookworm, its updates, security).
source_version() {
    apt-cache "${apt_options[@]}" showsrc "$1" | awk '/^Version:/ {print $2}' | sort -V | tail -1
}
# The recipe: what is built and how. Qt's base, shared, with its bundled third-party libraries,
# Debian's Qt as the host tools; no OpenGL (the pictures are drawn into images), so no dynamic
# GL; no wintab in the +dfsg source, so no tablet events; Network without TLS (the pupils' page
# is served over plain HTTP on the school's network; the class's TLS is libmosquitto's).
# libqrencode, the library alone, static (nothing more to ship), without its tool and PNG.
qt_options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF -DFEATURE_sql=OFF -DFEATURE_network=ON -DFEATURE_ssl=OFF
    -DFEATURE_openssl=OFF -DFEATURE_schannel=OFF -DFEATURE_dbus=OFF
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_testlib=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF)
qrencode_options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DWITH_TOOLS=OFF
    -DWITH_TESTS=OFF -DWITHOUT_PNG=ON -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON)
# OpenSSL's two libraries, shared, without its tests, legacy provider and engines; its
# configuration looked for where Windows' builds of OpenSSL look, not in this cache.
openssl_options=(mingw64 shared no-tests no-legacy no-engine
    "--openssldir=C:/Program Files/Common Files/SSL")
# Mosquitto: the client library with TLS and threads (Kelvira's link runs its loop on a thread
# of its own while the window publishes) and the broker; without cJSON, which leaves out the
# dynamic-security plugin and the clients, and without its password tool and plugins.
mosquitto_options=(-DCMAKE_BUILD_TYPE=Release -DWITH_TLS=ON -DWITH_BROKER=ON -DWITH_APPS=OFF
    -DWITH_CLIENTS=OFF -DWITH_PLUGINS=OFF -DDOCUMENTATION=OFF -DWITH_CJSON=OFF)

compiler=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)
toolchain_file=$(cat "$root/cmake/mingw-w64.cmake")
qt_version=$(source_version qt6-base)
qrencode_version=$(source_version qrencode)
openssl_version=$(source_version openssl)
mosquitto_version=$(source_version mosquitto)
hash() { sha256sum | cut -c1-16; }
base_key=$(echo "qt $qt_version qrencode $qrencode_version $compiler ${qt_options[*]}" \
           "${qrencode_options[*]}" "$toolchain_file" | hash)
mqtt_key=$(echo "openssl $openssl_version mosquitto $mosquitto_version $compiler" \
           "${openssl_options[*]} ${mosquitto_options[*]}" "$toolchain_file" | hash)
joined="$cache/$base_key-$mqtt_key"
if [[ -f "$joined/done" ]]; then
    echo "Windows toolchain: cached in $joined" >&2
    echo "$joined/prefix"
    exit 0
fi

# An original tarball fetched through apt (checked against the source index) and unpacked, for
# a package whose Debian part the archive no longer has.
unpack_original() {  # package version folder
    rm -rf "$3" "$1"_* "$1"-*
    apt-get "${apt_options[@]}" source --download-only -qq "$1=$2" >/dev/null 2>&1 || true
    local orig
    orig=$(find . -maxdepth 1 -name "${1}_${2%-*}.orig.tar.*" ! -name '*.asc' | head -1)
    if [[ -z $orig ]]; then
        echo "Windows toolchain: $1's original tarball could not be fetched" >&2
        exit 1
    fi
    mkdir "$3"
    tar -xf "$orig" -C "$3" --strip-components=1
}

# Qt's base and libqrencode.
base="$cache/$base_key"
prefix="$base/prefix"
if [[ ! -f "$base/done" ]]; then
    work="$base/work"
    mkdir -p "$work" "$prefix"
    cd "$work"
    echo "Windows toolchain: qt6-base $qt_version, qrencode $qrencode_version," \
         "mingw-w64 $compiler" >&2
    if [[ ! -d qt-source ]]; then
        rm -rf qt6-base-*
        apt-get "${apt_options[@]}" source -qq qt6-base >/dev/null 2>&1 ||
            apt-get "${apt_options[@]}" source qt6-base >&2
        mv "$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -1)" qt-source
    fi
    # The archive no longer has qrencode's Debian part, but its original tarball is there.
    [[ -d qrencode-source ]] || unpack_original qrencode "$qrencode_version" qrencode-source

    if [[ ! -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]]; then
        cmake -S qt-source -B qt-build -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
            -DCMAKE_INSTALL_PREFIX="$prefix" "${qt_options[@]}" >qt-configure.log
        cmake --build qt-build --parallel "$(nproc)" >qt-build.log
        cmake --install qt-build >/dev/null
    fi
    if [[ ! -f "$prefix/lib/libqrencode.a" ]]; then
        cmake -S qrencode-source -B qrencode-build -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
            -Wno-dev "${qrencode_options[@]}" >qrencode.log
        cmake --build qrencode-build >>qrencode.log
        cmake --install qrencode-build >>qrencode.log
    fi
    # What the programs need beside them: the compiler's runtime, and a Japanese gothic face
    # for a Windows without one.
    mkdir -p "$prefix/runtime" "$prefix/fonts"
    gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
    cp "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll" "$prefix/runtime/"
    cp /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$prefix/runtime/"
    cp /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf \
        /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf "$prefix/fonts/"
    cp /usr/share/doc/fonts-ipafont-gothic/copyright "$prefix/fonts/IPA_Font_License.txt"
    cd "$cache"
    rm -rf "$work"
    touch "$base/done"
fi

# OpenSSL and Mosquitto.
mqtt="$cache/$mqtt_key"
prefix="$mqtt/prefix"
if [[ ! -f "$mqtt/done" ]]; then
    work="$mqtt/work"
    mkdir -p "$work" "$prefix"
    cd "$work"
    echo "Windows toolchain: openssl $openssl_version, mosquitto $mosquitto_version," \
         "mingw-w64 $compiler" >&2
    if [[ ! -d mosquitto-source ]]; then
        rm -rf mosquitto-*
        apt-get "${apt_options[@]}" source -qq mosquitto >/dev/null 2>&1 ||
            apt-get "${apt_options[@]}" source mosquitto >&2
        mv "$(find . -maxdepth 1 -type d -name 'mosquitto-*' | head -1)" mosquitto-source
    fi
    # OpenSSL's security updates come with their original tarball alone at times.
    [[ -d openssl-source ]] || unpack_original openssl "$openssl_version" openssl-source

    if [[ ! -f "$prefix/lib/libssl.dll.a" ]]; then
        (cd openssl-source &&
            ./Configure "${openssl_options[@]}" --cross-compile-prefix=x86_64-w64-mingw32- \
                CC=gcc-posix --prefix="$prefix" --libdir=lib >../openssl.log 2>&1 &&
            make -j"$(nproc)" build_libs >>../openssl.log 2>&1 &&
            make install_dev >>../openssl.log 2>&1)
    fi
    if [[ ! -f "$prefix/bin/mosquitto.exe" ]]; then
        # Its CMake is taught mingw's pthread in place of a fixed MSVC library.
        sed -i 's|C:\\\\pthreads\\\\Pre-built.2\\\\lib\\\\x[0-9]*\\\\pthreadVC2.lib|pthread|; s|C:\\\\pthreads\\\\Pre-built.2\\\\include||' \
            mosquitto-source/CMakeLists.txt
        cmake -S mosquitto-source -B mosquitto-build -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DKELVIRA_WINDOWS_PREFIX="$prefix" \
            -DOPENSSL_ROOT_DIR="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
            -DCMAKE_INSTALL_SBINDIR=bin "${mosquitto_options[@]}" >mosquitto.log 2>&1
        cmake --build mosquitto-build >>mosquitto.log 2>&1
        cmake --install mosquitto-build >>mosquitto.log
        # What a plugin of the broker links against: the routines mosquitto.exe exports.
        cp mosquitto-build/src/libmosquitto.dll.a "$prefix/lib/libmosquitto_broker.dll.a"
    fi
    cd "$cache"
    rm -rf "$work"
    touch "$mqtt/done"
fi

# The two joined into one prefix, as hard links.
rm -rf "$joined"
mkdir -p "$joined/prefix"
cp -al "$base/prefix/." "$mqtt/prefix/." "$joined/prefix/"
touch "$joined/done"
echo "Windows toolchain: built into $joined" >&2
echo "$joined/prefix"
