#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows edition, cross-built on Debian 12 and tested under Wine.
#   scripts/windows.sh          builds build-windows/zorvat-windows.zip
#   scripts/windows.sh --test   also runs the Windows tests under Wine
# What does not change between runs (Qt, libjpeg-turbo, SQLite, GoogleTest built for Windows
# from Debian's source packages, the Wine prefix) is kept in ZORVAT_WINDOWS_CACHE, one stamp
# file per finished step, so a second run only rebuilds the program.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tree=$PWD

cache=${ZORVAT_WINDOWS_CACHE:-$HOME/.cache/zorvat-windows}
jobs=${ZORVAT_WINDOWS_JOBS:-2}
run_tests=0
case "${1:-}" in
"") ;;
--test) run_tests=1 ;;
*)
    echo "usage: $0 [--test]" >&2
    exit 2
    ;;
esac

src=$cache/src
prefix=$cache/prefix
toolchain=$tree/cmake/mingw-w64.cmake
build=$tree/build-windows
mkdir -p "$cache" "$src" "$prefix"

log() { echo "== $*" >&2; }
done_step() { [ -f "$cache/$1.done" ]; }
mark_done() { touch "$cache/$1.done"; }

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

install_packages() {
    local packages=(
        cmake ninja-build pkg-config dpkg-dev zip
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
        qt6-base-dev qt6-base-dev-tools libsimpleini-dev
        wine wine64 xvfb xauth x11-utils xdotool imagemagick
        g++ libsdl2-mixer-dev libjpeg-dev libicu-dev libsqlite3-dev
        qt6-translations-l10n fonts-liberation2 tcl
    )
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    local need_update=0
    # Debian's sources of Qt and its neighbours, for apt-get source.
    if ! grep -rqs "^Types:.*deb-src" /etc/apt/sources.list.d/ &&
        ! grep -qs "^deb-src" /etc/apt/sources.list; then
        log "adding deb-src for bookworm"
        "${sudo[@]}" tee /etc/apt/sources.list.d/zorvat-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
        need_update=1
    fi
    [ ${#missing[@]} -gt 0 ] && need_update=1
    [ $need_update -eq 1 ] && "${sudo[@]}" apt-get update
    if [ ${#missing[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends \
            "${missing[@]}"
    fi
}

# Unpacks Debian's source package $1 (patches applied) into $src/$1.
fetch_source() {
    local name=$1
    done_step "source-$name" && return 0
    log "fetching the source of $name"
    rm -rf "${src:?}/$name" "$src/$name.tmp"
    mkdir -p "$src/$name.tmp"
    (cd "$src/$name.tmp" && apt-get source -q "$name" 2>&1 | tail -n 3)
    local dir
    dir=$(find "$src/$name.tmp" -mindepth 1 -maxdepth 1 -type d | head -n 1)
    mv "$dir" "$src/$name"
    rm -rf "$src/$name.tmp"
    mark_done "source-$name"
}

# Debian's Qt supplies moc, rcc and uic for the cross build; its version must match.
host_qt_cmake_dir=/usr/lib/$(gcc -dumpmachine 2>/dev/null || echo x86_64-linux-gnu)/cmake

build_qtbase() {
    done_step qtbase && return 0
    fetch_source qt6-base
    log "configuring qtbase for Windows"
    local b=$cache/build/qtbase
    rm -rf "$b"
    mkdir -p "$b"
    # Lean Qt: what the programs use. Debian's source lacks the tablet library, so no
    # tablet events; the windows platform plugin needs OpenGL, which becomes dynamic.
    cmake -S "$src/qt6-base" -B "$b" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR="$host_qt_cmake_dir" \
        -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_opengl=ON -DINPUT_opengl=dynamic \
        -DFEATURE_vulkan=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF \
        >"$cache/qtbase-configure.log" 2>&1 ||
        {
            tail -n 40 "$cache/qtbase-configure.log" >&2
            return 1
        }
    # Only what the programs load: a third of qtbase's build is other modules and plugins.
    log "building qtbase (long: the better part of an hour on two cores)"
    cmake --build "$b" --parallel "$jobs" --target Widgets EntryPointImplementation \
        QWindowsIntegrationPlugin QWindowsVistaStylePlugin >"$cache/qtbase-build.log" 2>&1 ||
        {
            tail -n 40 "$cache/qtbase-build.log" >&2
            return 1
        }
    # The install rules of the folders built; the top ones without their subfolders.
    local folder
    for folder in . src; do
        cmake -DCMAKE_INSTALL_LOCAL_ONLY=ON -P "$b/$folder/cmake_install.cmake" >/dev/null
    done
    for folder in src/entrypoint src/3rdparty src/3rdparty/pcre2 src/3rdparty/zlib src/corelib \
        src/gui src/widgets \
        src/plugins/platforms/windows src/plugins/styles/windowsvista; do
        cmake -P "$b/$folder/cmake_install.cmake" >/dev/null
    done
    mark_done qtbase
}

# A Qt module from Debian's source, against the Qt built above.
build_qt_module() {
    local name=$1
    done_step "$name" && return 0
    fetch_source "$name"
    log "building $name for Windows"
    local b=$cache/build/$name
    rm -rf "$b"
    "$prefix/bin/qt-cmake" -S "$src/$name" -B "$b" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >"$cache/$name.log" 2>&1 &&
        cmake --build "$b" --parallel "$jobs" >>"$cache/$name.log" 2>&1 &&
        cmake --install "$b" >>"$cache/$name.log" 2>&1 ||
        {
            tail -n 40 "$cache/$name.log" >&2
            return 1
        }
    mark_done "$name"
}

# A plain CMake project from Debian's source, static, into the prefix.
build_cmake_library() {
    local name=$1
    shift
    done_step "$name" && return 0
    fetch_source "$name"
    log "building $name for Windows"
    local b=$cache/build/$name
    rm -rf "$b"
    cmake -S "$src/$name" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" \
        >"$cache/$name.log" 2>&1 &&
        cmake --build "$b" --parallel "$jobs" >>"$cache/$name.log" 2>&1 &&
        cmake --install "$b" >>"$cache/$name.log" 2>&1 ||
        {
            tail -n 40 "$cache/$name.log" >&2
            return 1
        }
    mark_done "$name"
}

# SQLite's amalgamation is made from Debian's source tree on this machine (it is the same C for
# every platform), then compiled for Windows as a static library with a pkg-config file.
build_sqlite() {
    done_step sqlite3 && return 0
    fetch_source sqlite3
    log "building sqlite3 for Windows"
    local b=$cache/build/sqlite3
    rm -rf "$b"
    mkdir -p "$b" "$prefix/lib/pkgconfig" "$prefix/include"
    (cd "$b" && "$src/sqlite3/configure" >"$cache/sqlite3.log" 2>&1 &&
        make sqlite3.c >>"$cache/sqlite3.log" 2>&1) || {
        tail -n 40 "$cache/sqlite3.log" >&2
        return 1
    }
    x86_64-w64-mingw32-gcc-posix -O2 -c "$b/sqlite3.c" -o "$b/sqlite3.o" \
        -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION
    x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" "$b/sqlite3.o"
    cp "$b/sqlite3.h" "$b/sqlite3ext.h" "$prefix/include/"
    local version
    version=$(sed -n 's/^#define SQLITE_VERSION *"\(.*\)"/\1/p' "$b/sqlite3.h")
    cat >"$prefix/lib/pkgconfig/sqlite3.pc" <<EOF
prefix=$prefix
Name: SQLite
Description: SQL database engine
Version: $version
Libs: -L\${prefix}/lib -lsqlite3
Cflags: -I\${prefix}/include
EOF
    mark_done sqlite3
}

# SimpleIni is one header; on Windows it converts text with the system's own functions, so
# neither ICU nor the library Debian builds beside it is needed.
install_simpleini() {
    mkdir -p "$prefix/include" "$prefix/lib/pkgconfig"
    cp /usr/include/SimpleIni.h "$prefix/include/"
    local version
    version=$(dpkg-query -W -f='${Version}' libsimpleini-dev | sed 's/[+-].*//')
    cat >"$prefix/lib/pkgconfig/simpleini.pc" <<EOF
prefix=$prefix
Name: simpleini
Description: INI files, header only
Version: $version
Cflags: -I\${prefix}/include
EOF
}

build_dependencies() {
    build_qtbase
    build_cmake_library libjpeg-turbo -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
        -DWITH_TURBOJPEG=OFF
    build_cmake_library googletest -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
    build_sqlite
    install_simpleini
}

export WINEPREFIX=$cache/wine WINEDEBUG=-all WINEARCH=win64
# Debian keeps the 64-bit loader out of PATH; wine is its launcher.
export PATH=$PATH:/usr/lib/wine

# The Wine prefix is made once; its first start takes a while.
init_wine() {
    done_step wine && return 0
    log "making the Wine prefix"
    # No Mono or Gecko installer prompts: nothing of ours needs them.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >"$cache/wine.log" 2>&1
    wineserver -w
    mark_done wine
}

export ZORVAT_WINDOWS_PREFIX=$prefix

build_program() {
    log "building zorvat-d.exe, zorvat-q.exe and the tests for Windows"
    cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DZORVAT_MAN_PAGES=OFF \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$tree/scripts/wine_run.sh" >/dev/null
    cmake --build "$build" --parallel "$jobs"
}

# A DLL that a Windows file imports and that is not the system's: its path, else nothing.
ours() {
    local name=$1 folder
    for folder in "$prefix/bin" "$mingw_runtime" "$mingw_pthread"; do
        if [ -f "$folder/$name" ]; then
            echo "$folder/$name"
            return
        fi
    done
}

imports() {
    x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'
}

mingw_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
mingw_pthread=$(realpath "$(dirname "$(x86_64-w64-mingw32-g++-posix \
    -print-file-name=libwinpthread-1.dll)")")

# The portable zip: the programs, what they load (the DLLs they import, the platform and style
# plugins and the DLLs those import), Qt's Czech texts, the sounds, README and LICENSE. Every
# DLL is found by walking the imports, so nothing missing or surplus goes in.
pack_zip() {
    local version
    version=$(sed -n 's/^project(Zorvat VERSION \([0-9.]*\).*/\1/p' "$tree/CMakeLists.txt")
    local name=zorvat-$version-windows-x64
    local stage=$build/zip/$name
    log "packing $name.zip"
    rm -rf "$build/zip"
    mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations"
    cp "$build/app/zorvat-d.exe" "$build/app/zorvat-q.exe" "$stage/"
    cp "$prefix/plugins/platforms/qwindows.dll" "$stage/platforms/"
    cp "$prefix/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
    local queue=("$stage"/*.exe "$stage"/platforms/*.dll "$stage"/styles/*.dll) file dll path
    while [ ${#queue[@]} -gt 0 ]; do
        file=${queue[0]}
        queue=("${queue[@]:1}")
        for dll in $(imports "$file"); do
            path=$(ours "$dll")
            if [ -n "$path" ] && [ ! -f "$stage/$dll" ]; then
                cp "$path" "$stage/"
                queue+=("$stage/$dll")
            fi
        done
    done
    x86_64-w64-mingw32-strip "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll
    cp /usr/share/qt6/translations/qtbase_cs.qm "$stage/translations/"
    printf '[Paths]\nPrefix=.\nTranslations=translations\n' >"$stage/qt.conf"
    cp "$tree"/packaging/sounds/{zacatek,pozor,vystrel}.wav "$stage/"
    cp "$tree/README.md" "$tree/LICENSE" "$stage/"
    rm -f "$build/$name.zip"
    (cd "$build/zip" && zip -qr9 "../$name.zip" "$name")
    zip_file=$build/$name.zip
    zip_folder=$stage
    log "$zip_file: $(du -h "$zip_file" | cut -f1)"
}

# The simulator and the journal lister, for this machine: the end-to-end test's device and
# its look into the journal.
build_host_tools() {
    log "building zorvat-sim and zorvat-journal for this machine"
    cmake -S "$tree" -B "$build/host" -G Ninja -DZORVAT_BUILD_TESTS=OFF -DZORVAT_MAN_PAGES=OFF \
        >/dev/null
    cmake --build "$build/host" --parallel "$jobs" --target zorvat-sim zorvat-journal
}

run_tests() {
    build_host_tools
    log "tests under Wine"
    # Windows of two processes meet only on a real desktop: Wine's, on a private X server.
    wineserver -k 2>/dev/null || true
    (cd "$build" && xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
        ctest --output-on-failure)
    wineserver -k 2>/dev/null || true
    log "end-to-end: zorvat-d.exe under Wine on the simulator's pseudo-terminal"
    "$tree/tests/windows/end_to_end.sh" "$zip_folder" \
        "$build/tests/windows/standin_companion.exe" "$build/host/tools/sim/zorvat-sim" \
        "$build/host/tools/journal/zorvat-journal" "$build/windows-run.png"
    log "screenshots: $build/windows-run.png, $build/windows-run-final.png"
}

main() {
    install_packages
    build_dependencies
    init_wine
    build_program
    pack_zip
    if [ $run_tests -eq 1 ]; then
        run_tests
    fi
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    main
fi
