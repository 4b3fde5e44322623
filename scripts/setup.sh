#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages a job needs, if missing:
#   run      build and run the programs (the default)
#   package  also build the Debian package
#   test     also build and run the tests and check the package
#   bench    also run bench/link_bench.py
# Usage: scripts/setup.sh [run|package|test|bench]
set -euo pipefail

run=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libsimpleini-dev libicu-dev libjpeg-dev libsdl2-mixer-dev libsqlite3-dev
    fonts-liberation2 qt6-translations-l10n
)
package=(help2man dpkg-dev file)
bench=(xvfb xauth dbus-daemon python3 python3-xlib)
test=(
    libgtest-dev xvfb xauth xdotool x11-utils dbus-daemon
    g++-mingw-w64-x86-64
    lintian desktop-file-utils appstream
)

case "${1:-run}" in
run) packages=("${run[@]}") ;;
package) packages=("${run[@]}" "${package[@]}") ;;
test) packages=("${run[@]}" "${package[@]}" "${test[@]}") ;;
bench) packages=("${run[@]}" "${bench[@]}") ;;
*)
    echo "usage: $0 [run|package|test|bench]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
