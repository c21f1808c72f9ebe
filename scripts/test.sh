#!/usr/bin/env bash
# Installs the test dependencies, then builds and runs every test twice:
# a release build, and a debug build with address and undefined-behaviour
# sanitizers; then runs every fuzz target for 20 seconds (IPGEN_FUZZ_SECONDS).
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
for preset in release sanitize; do
    echo "=== $preset ==="
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done

# Every fuzz target for a short, fixed time (clang, libFuzzer; see README).
echo "=== fuzz ==="
scripts/fuzz.sh "${IPGEN_FUZZ_SECONDS:-20}"
