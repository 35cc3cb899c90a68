#!/usr/bin/env bash
# Builds the readers' libFuzzer targets with clang (ASan + UBSan) and runs
# each one until it has made FUZZ_RUNS executions or SECONDS have passed.
#
#   scripts/fuzz.sh [SECONDS] [READER...]    default: 600 s, every reader
#
# READER is a harness of tests/fuzz (wav, ogg, image_item, ...). At most
# FUZZ_JOBS (default 4) run at once. Each reads the checked-in seeds of
# tests/fuzz/corpus/READER and adds what it finds to build/fuzz/corpus/READER;
# a crash, timeout or out-of-memory input lands in build/fuzz/crashes/READER/
# (check it in under tests/fuzz/crashes/READER/ once the reader is mended,
# so that ./test.sh replays it). Logs are in build/fuzz/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
shift || true
runs=${FUZZ_RUNS:-1000000}
jobs=${FUZZ_JOBS:-4}
build=${FUZZ_BUILD:-build/fuzz}
out=build/fuzz

readers=("$@")
if [ ${#readers[@]} -eq 0 ]; then
    for source in tests/fuzz/*_fuzz.cpp; do
        name=$(basename "$source" .cpp)
        readers+=("${name%_fuzz}")
    done
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVELLA_SANITIZE=ON -DQUORVELLA_FUZZ=ON >/dev/null
cmake --build "$build" -j "$jobs" --target "${readers[@]/#/fuzz_}"

export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

mkdir -p "$out/logs"
run_one() {
    local reader=$1
    mkdir -p "$out/corpus/$reader" "$out/crashes/$reader"
    local start=$SECONDS
    local status=0
    "$build/tests/fuzz/fuzz_$reader" -runs="$runs" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -timeout=60 -close_fd_mask=3 -print_final_stats=1 \
        -artifact_prefix="$out/crashes/$reader/" \
        "$out/corpus/$reader" "tests/fuzz/corpus/$reader" >"$out/logs/$reader.log" 2>&1 || status=$?
    local executions peak
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/logs/$reader.log")
    peak=$(sed -n 's/^stat::peak_rss_mb: *//p' "$out/logs/$reader.log")
    printf '%-18s %s  executions %9s  seconds %4d  peak %5s MB\n' "$reader" \
        "$([ $status -eq 0 ] && echo ok || echo FAILED)" "${executions:-?}" $((SECONDS - start)) "${peak:-?}"
    return $status
}

failed=0
for reader in "${readers[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n || failed=1
    done
    run_one "$reader" &
done
while [ "$(jobs -rp | wc -l)" -gt 0 ]; do
    wait -n || failed=1
done
exit $failed
