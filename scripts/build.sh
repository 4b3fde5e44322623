#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds everything, tests and man pages included, into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVAT_BUILD_TESTS=ON \
    -DZORVAT_MAN_PAGES=ON
cmake --build build
