#!/usr/bin/env bash
# Installs the test dependencies, then builds and runs every test twice:
# a release build, and a debug build with address and undefined-behaviour
# sanitizers. Exits non-zero when anything fails.
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
