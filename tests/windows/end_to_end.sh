#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# zorvat-d.exe from the portable folder under Wine and Xvfb, on COM1 mapped to the simulator's
# pseudo-terminal: it reads the greeting, enters the run state, and an attempt's final times
# reach the results list (its journal in %LOCALAPPDATA%) and the stand-in companion.
# Usage: end_to_end.sh PROGRAM_FOLDER STANDIN_EXE HOST_SIM HOST_JOURNAL SCREENSHOT
# Expects WINEPREFIX of an initialised prefix; scripts/windows.sh --test runs it.
set -euo pipefail
folder=$1 standin=$2 sim=$3 journal=$4 screenshot=$5
work=$(mktemp -d)
pids=()

cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/companion.log" ] && sed 's/^/companion: /' "$work/companion.log" >&2
    [ -f "$work/sim.err" ] && sed 's/^/sim: /' "$work/sim.err" >&2
    exit 1
}

winpath() { echo "Z:${1//\//\\}"; }

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

logged() { grep -q "$1" "$work/companion.log" 2>/dev/null; }

# A journal of this run alone, in %LOCALAPPDATA%\zorvat.
data=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/zorvat
rm -rf "$data"

# A private X server.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
wait_for 10 xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"

# The device: greets once the port has stayed open a moment, then plays one attempt (one
# track, firmware 4,54 as the program's default version) after a pause long enough for a
# picture of the run state.
printf 'wait 8000\nattempt\n' >"$work/script"
"$sim" --link "$work/com1" --firmware 454 --seed 7 --speed 10 --preparation 500 --script "$work/script" \
    >"$work/sim.out" 2>"$work/sim.err" &
pids+=($!)
wait_for 10 test -L "$work/com1" || fail "the simulator made no pseudo-terminal"

# COM1 is the pseudo-terminal; Wine reads its ports when its server starts.
wineserver -k 2>/dev/null || true
wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$work/com1" /f >/dev/null 2>&1
wineserver -w

# The stand-in companion first, so that it hears the program's first message.
wine "$standin" "$(winpath "$work/companion.log")" >/dev/null 2>&1 &
pids+=($!)
# The program as shipped: only what the portable folder holds.
rm -f "$folder/kq.ini"
(cd "$folder" && exec wine ./zorvat-d.exe) >"$work/program.out" 2>&1 &
program=$!
pids+=($program)

# The version step at start-up tells the companion: the program is up.
wait_for 60 logged "^1494 " || fail "zorvat-d.exe did not start (no 1494)"
window=$(xdotool search --sync --limit 1 --name '^Duzeveru RE 4$')
[ -n "$window" ] || fail "no main window"
sleep 1
# Picks the first port of the list, COM1, from the keyboard as a timekeeper would.
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" Down
# The greeting taken over: its settings go to the companion (1490 with version 454).
wait_for 30 logged "^1490 454 " || fail "the greeting was not read (no 1490 454)"
sleep 2
import -window root "$screenshot"

# The attempt: start (1495 0 0), then the track time (1491: track 1 + 5, the time).
wait_for 30 logged "^1495 0 0$" || fail "no start reached the companion"
wait_for 60 logged "^1491 6 " || fail "no final time reached the companion"
sleep 1
import -window root "${screenshot%.png}-final.png"

# The results list as the journal keeps it: one result, track 1 with the time the companion got.
[ -f "$data/journal.sqlite" ] || fail "no journal in $data"
time=$(sed -n 's/^1491 6 \(-\?[0-9]*\)$/\1/p' "$work/companion.log")
results=$("$journal" --data "$data" results | tail -n +2)
[ "$(echo "$results" | wc -l)" -eq 1 ] || fail "not one result in the list: $results"
echo "$results" | grep -q ";1 [0-9]*,[0-9]*;6;$time;" || fail "the list holds another time: $results"

# Closing the window as the user does writes kq.ini beside the executable and ends the session.
xdotool key --window "$window" alt+F4
wait_for 30 test -f "$folder/kq.ini" || fail "kq.ini was not written beside zorvat-d.exe"
wait_for 30 bash -c "! kill -0 $program 2>/dev/null" || fail "zorvat-d.exe did not end"
"$journal" --data "$data" sessions | tail -n 1 | grep -vq "neukončená" ||
    fail "the journal's session was not closed"

echo "companion: $(tr '\n' '|' <"$work/companion.log")"
echo "results: $results"
echo "final time sent: $time"
echo "end-to-end passed"
