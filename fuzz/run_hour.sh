#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# One hour of fuzzing under the sanitizers on one core: builds the fuzzer (clang), runs it from
# an empty corpus and writes its figures to figures.txt in the output folder. It starts from
# nothing rather than from fuzz/corpus (which ctest replays): libFuzzer mutates up to the
# longest input it has, and from short inputs it learns the format cheaply, lengthening them
# to 4 KiB once short ones stop finding anything new (its default length control).
#   fuzz/run_hour.sh [output folder, default ./fuzz-hour]
# SECONDS_TO_RUN (default 3600) and BUILD_DIR (default ./build-fuzz) change the run's length
# and the build folder. Findings (inputs that broke an oracle or crashed) land in findings/;
# the run goes on after one, so that the hour is always used.
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-fuzz-hour}" && cd "${1:-fuzz-hour}" && pwd)
build=${BUILD_DIR:-build-fuzz}
seconds=${SECONDS_TO_RUN:-3600}

CXX=clang++ CC=clang cmake -S "$src" -B "$build" -G Ninja -DZORVAT_FUZZ=ON >/dev/null
cmake --build "$build" --target zorvat_fuzzer
mkdir -p "$out/corpus" "$out/findings"
# A copy, so that building again during the hour does not change the fuzzer under way.
cp "$build/fuzz/zorvat_fuzzer" "$out/"
fuzzer=$out/zorvat_fuzzer
cd "$out"
# One process at a time on the growing corpus; after a finding the next one takes the rest of
# the time. Leaks are not looked for per input (Qt keeps caches); the memory limit stays.
begin=$(date +%s)
end=$((begin + seconds))
run=0
inputs=0
while [ "$(date +%s)" -lt "$end" ]; do
    run=$((run + 1))
    QT_QPA_PLATFORM=offscreen /usr/bin/time -a -o time.txt -f '%U %S %e %M' \
        "$fuzzer" -dict="$src/fuzz/fuzz.dict" -max_len=4096 -timeout=10 \
        -detect_leaks=0 -max_total_time=$((end - $(date +%s))) -print_final_stats=1 \
        -artifact_prefix="$out/findings/" corpus >"fuzzer-$run.log" 2>&1 || true
    n=$(sed -n 's/^stat::number_of_executed_units: *//p' "fuzzer-$run.log")
    inputs=$((inputs + ${n:-0}))
done
wall=$(($(date +%s) - begin))
last=$(grep -hE '^#[0-9]+.*cov: ' "fuzzer-$run.log" | tail -n 1)
cpu=$(awk '{u += $1; s += $2; if ($4 > m) m = $4} END {printf "%.0f %.0f %d", u, s, m}' time.txt)
{
    echo "fuzzer: $fuzzer (ASan+UBSan, one job, inputs up to 4096 bytes)"
    echo "finished: $(date -u '+%Y-%m-%d %H:%M UTC')"
    echo "wall_s: $wall"
    echo "processes: $run (a new one after each finding)"
    echo "inputs: $inputs"
    echo "inputs_per_wall_s: $((inputs / (wall > 0 ? wall : 1)))"
    echo "user_cpu_s: ${cpu%% *}"
    echo "inputs_per_user_cpu_s: $(echo "$cpu" | awk -v n="$inputs" '{printf "%.0f", n / ($1 > 0 ? $1 : 1)}')"
    echo "max_rss_kb: ${cpu##* }"
    echo "coverage (last progress line): $(echo "$last" | sed -E 's/.*(cov: [0-9]+ ft: [0-9]+).*/\1/')"
    echo "length limit reached: $(echo "$last" | sed -E 's/.*lim: ([0-9]+).*/\1/') bytes"
    echo "longest input kept: $(wc -c corpus/* | sort -n | tail -n 2 | head -n 1 | awk '{print $1}') bytes"
    echo "corpus: $(ls corpus | wc -l) inputs"
    echo "findings: $(ls findings | wc -l) files in $out/findings"
    ls findings
} >figures.txt
cat figures.txt
