#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need, if missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-serialport-dev
    libsimpleini-dev libicu-dev libjpeg-dev libgtest-dev libsdl2-mixer-dev
    fonts-liberation2 xvfb xauth dbus-daemon python3 python3-xlib
    g++-mingw-w64-x86-64
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
