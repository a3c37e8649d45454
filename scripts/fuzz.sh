#!/bin/sh
# Builds the fuzzers of the game's readers with clang and runs each for SECONDS (default
# 600), FUZZ_JOBS at a time. Seeds: every shipped file of the reader's kind, the hand-made ones
# under fuzz/seeds/ and the kept findings. A crash, a hang, a leak or an exhausted memory is
# written to fuzz/regressions/<reader>/, which the test suite replays.
# A hang is an input that takes over FUZZ_TIMEOUT seconds (default 10) of wall-clock time:
# inputs take well under a second, but a shared machine can starve a fuzzer of its core.
# Usage: scripts/fuzz.sh [SECONDS] [READER...]   (readers: map script dialogue save)
set -eu
cd "$(dirname "$0")/.."
TIME=${1:-600}
[ $# -gt 0 ] && shift
READERS=${*:-map script dialogue save}
BUILD=build-fuzz

CC=clang CXX=clang++ cmake -S . -B $BUILD -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZ=ON -DKORVANE_TESTS=OFF >/dev/null
cmake --build $BUILD -j "$(nproc 2>/dev/null || echo 2)"

export ALSOFT_DRIVERS=null
# One thread for the software renderer: fewer threads for the leak check to stop, and the
# two fuzzers that run at once share the two cores without a crowd of renderer threads.
export LP_NUM_THREADS=0
export LSAN_OPTIONS="suppressions=$(pwd)/tests/support/lsan.supp:print_suppressions=0"
# With the OpenGL and OpenAL libraries loaded, this glibc's dynamic thread-local storage is
# not laid out as the leak checker expects: following __tls_get_addr makes its tracer crash
# now and then in the middle of a run, on an input that is not at fault.
export ASAN_OPTIONS="intercept_tls_get_addr=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The shipped files of a reader's kind.
shipped() {
    case "$1" in
    map) ls data/maps/*/*.zi ;;
    script) ls data/maps/*/scripts/* ;;
    dialogue) ls data/maps/*/dialogue/*.dia ;;
    save) ;;
    esac
}

# The fuzzers work in a temporary folder of their own: every path they are given is absolute.
run() {
    reader=$1
    corpus=$(pwd)/$BUILD/corpus/$reader
    mkdir -p "$corpus" "fuzz/regressions/$reader"
    for seed in $(shipped "$reader") fuzz/seeds/"$reader"/* fuzz/regressions/"$reader"/*; do
        [ -f "$seed" ] && cp "$seed" "$corpus/"
    done
    echo "fuzzing the $reader reader for $TIME s (log: $BUILD/$reader.log)"
    ./scripts/with-display.sh "./$BUILD/fuzz_$reader" "$corpus" \
        -max_total_time="$TIME" -timeout="${FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 -max_len=16384 \
        -dict="$(pwd)/fuzz/dict/$reader.dict" -artifact_prefix="$(pwd)/fuzz/regressions/$reader/" \
        -print_final_stats=1 >"$BUILD/$reader.log" 2>&1
}

# FUZZ_JOBS readers at a time (2 by default, one per core).
failed=""
set -- $READERS
while [ $# -gt 0 ]; do
    batch=""
    while [ $# -gt 0 ] && [ "$(echo $batch | wc -w)" -lt "${FUZZ_JOBS:-2}" ]; do
        run "$1" &
        batch="$batch $!:$1"
        shift
    done
    for job in $batch; do
        wait "${job%%:*}" || failed="$failed ${job#*:}"
    done
done

for reader in $READERS; do
    grep -E "^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" \
        "$BUILD/$reader.log" | sed "s/^/$reader: /" || true
done
if [ -n "$failed" ]; then
    echo "fuzzing found faults in:$failed (inputs kept in fuzz/regressions/)" >&2
    for reader in $failed; do tail -n 60 "$BUILD/$reader.log" >&2; done
    exit 1
fi
