#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/, clang with address and
# undefined-behaviour sanitizers) and runs each for a fixed time, starting
# from the checked-in seed corpus in fuzz/corpus/<target>/.
#
#   scripts/fuzz.sh            every target for 20 seconds
#   scripts/fuzz.sh 600        every target for 10 minutes
#   scripts/fuzz.sh 600 viterbi_params   one target
#
# New inputs the fuzzer finds go to build/fuzz/corpus/<target>/ (not into
# the checked-in seeds); a crashing input is saved under
# build/fuzz/artifacts/<target>/ and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
only=${2:-}
build=build/fuzz
jobs=${IPGEN_FUZZ_BUILD_JOBS:-2}

cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j "$jobs"

status=0
for seeds in fuzz/corpus/*/; do
    target=$(basename "$seeds")
    if [ -n "$only" ] && [ "$target" != "$only" ]; then
        continue
    fi
    binary="$build/fuzz_$target"
    if [ ! -x "$binary" ]; then
        echo "fuzz: $target: no target built (its program is not in this tree yet)"
        continue
    fi
    mkdir -p "$build/corpus/$target" "$build/artifacts/$target"
    echo "=== fuzz $target: $seconds s ==="
    # -timeout: one input running longer than 10 s counts as a hang.
    if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$binary" "$build/corpus/$target" "$seeds" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target/" 2>"$build/$target.log"; then
        tail -n 60 "$build/$target.log"
        echo "fuzz: $target FAILED (log: $build/$target.log)"
        status=1
    else
        grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "$build/$target.log" || true
    fi
done
exit $status
