#!/usr/bin/env bash
# Installs the test dependencies, then builds and runs every test twice:
# a release build, and a debug build with address and undefined-behaviour
# sanitizers (without the core simulations); then runs every fuzz target
# for 10 seconds (IPGEN_FUZZ_SECONDS).
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
for preset in release sanitize; do
    echo "=== $preset ==="
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
    # The simulations of whole cores (label core_sim) exercise the Verilog,
    # not the C++: they run once, in the release build.
    exclude=()
    if [ "$preset" = sanitize ]; then exclude=(-LE core_sim); fi
    ctest --preset "$preset" -j "$jobs" "${exclude[@]}"
done

# Every fuzz target for a short, fixed time (clang, libFuzzer; see README).
echo "=== fuzz ==="
scripts/fuzz.sh "${IPGEN_FUZZ_SECONDS:-10}"
