#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on a simulated timing device that
# appears as COM1. Usage: scripts/run.sh [d|q]  (difference or four-split edition)
set -euo pipefail
cd "$(dirname "$0")/.."
edition=${1:-d}
case "$edition" in d | q) ;; *) echo "usage: $0 [d|q]" >&2; exit 2 ;; esac
scripts/setup.sh
scripts/build.sh

ports=$(mktemp -d)
build/tools/sim/zorvat-sim --version 466 --mode 51 --link "$ports/com1" --demo &
sim=$!
trap 'kill "$sim" 2>/dev/null; rm -rf "$ports"' EXIT
for _ in $(seq 50); do
    [ -e "$ports/com1" ] && break
    sleep 0.1
done
echo "Pick COM1 in the port list; the simulated device then greets and plays attempts."
ZORVAT_PORTS="$ports" "build/app/zorvat-$edition"
