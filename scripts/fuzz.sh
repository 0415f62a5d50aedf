#!/bin/sh
# Builds the fuzz targets with clang in build-fuzz, then runs each for SECONDS seconds
# (default 3, about 30 seconds in all) on a copy of its seed corpus, so that the
# corpus in the repository stays as it is. Exits non-zero when any target finds a
# fault; the input that shows it is kept in build-fuzz/artifacts/TARGET/.
# A run of a minute or more per target lets inputs grow past the real limits (a
# text or smile file of 1,048,575 bytes, a few bytes of parameters before it);
# a short one keeps libFuzzer's small default, which is faster.
#
#   scripts/fuzz.sh [SECONDS]
set -eu

seconds=${1:-3}
case $seconds in
'' | *[!0-9]*)
    echo "usage: $0 [SECONDS]" >&2
    exit 2
    ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/require.sh"
require cmake ninja clang++
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHIRPWELL_BUILD_FUZZ=ON \
    -DCHIRPWELL_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" -j2 chirpwell_fuzzers

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# The text limit and one byte more, with room for the parameters in front.
past_limit=$((1048575 + 1 + 64))
max_len() {
    [ "$seconds" -ge 60 ] || return 0
    case $1 in
    smile_options_fuzzer) ;;  # a command line has no limit of its own
    smile_run_fuzzer) echo "-max_len=$((2 * past_limit))" ;;  # a smile file and a text
    *) echo "-max_len=$past_limit" ;;
    esac
}

failed=""
for corpus in "$root"/fuzz/corpus/*/; do
    name=$(basename "$corpus")
    run="$work/$name"
    mkdir -p "$run/corpus" "$run/artifacts"
    cp "$corpus"* "$run/corpus/"
    # A hang counts as a fault too.
    if "$build/fuzz/$name" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
        $(max_len "$name") -artifact_prefix="$run/artifacts/" "$run/corpus" >"$run/log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log")
        echo "$name: ${runs:-?} runs, no fault"
    else
        echo "$name: FAULT"
        grep -E 'check failed|ERROR|SUMMARY|runtime error' "$run/log" | head -10 || true
        mkdir -p "$build/artifacts/$name"
        cp "$run"/artifacts/* "$build/artifacts/$name/" 2>/dev/null || true
        cp "$run/log" "$build/artifacts/$name/log"
        failed="$failed $name"
    fi
done

if [ -n "$failed" ]; then
    echo "faults found by:$failed (inputs in $build/artifacts/)" >&2
    exit 1
fi
