#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the programs and their man pages, and makes the Debian
# package build/zorvat_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVAT_BUILD_TESTS=OFF \
    -DZORVAT_MAN_PAGES=ON
cmake --build build
cd build
cpack -G DEB
