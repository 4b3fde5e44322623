#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the programs it starts, and starts the program on a simulated
# timing device that appears as COM1, with the stand-in companion logging what the program
# sends it.
# Usage: scripts/run.sh [d|q]  (difference or four-split edition)
set -euo pipefail
cd "$(dirname "$0")/.."
edition=${1:-d}
case "$edition" in d | q) ;; *) echo "usage: $0 [d|q]" >&2; exit 2 ;; esac
scripts/setup.sh run
# Only the programs this script starts: no tests, no man pages.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVAT_BUILD_TESTS=OFF \
    -DZORVAT_MAN_PAGES=OFF
cmake --build build --target "zorvat-$edition" zorvat-sim zorvat-companion

ports=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$ports"' EXIT

# Firmware 4.54 is the program's default version, so picking COM1 is all it takes.
build/tools/sim/zorvat-sim --firmware 454 --mode 54 --demo --link "$ports/com1" &
pids+=($!)
if [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    build/tools/companion/zorvat-companion > >(sed -u 's/^/companion received: /') &
    pids+=($!)
fi
for _ in $(seq 50); do
    [ -e "$ports/com1" ] && break
    sleep 0.1
done
echo "Pick COM1 in the port list: the simulated device greets and plays attempts."
ZORVAT_PORTS="$ports" "build/app/zorvat-$edition"
