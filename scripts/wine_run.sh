#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program of the cross build under Wine, with the Qt and MinGW runtime DLLs of
# scripts/windows.sh on its DLL path: the emulator of the build's tests (ctest).
set -euo pipefail
cache=${ZORVAT_WINDOWS_CACHE:-$HOME/.cache/zorvat-windows}
export WINEPREFIX=${WINEPREFIX:-$cache/wine} WINEDEBUG=${WINEDEBUG:--all}
winpath() { echo "Z:${1//\//\\}"; }
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
export WINEPATH="$(winpath "$cache/prefix/bin");$(winpath "$runtime");$(winpath "$pthread")"
export QT_PLUGIN_PATH="$(winpath "$cache/prefix/plugins")"
exec wine "$@"
