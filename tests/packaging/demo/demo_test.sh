#!/usr/bin/env bash
# Runs scripts/demo.sh with the programs of a build folder into a temporary
# folder. Passes when the demo exits 0 (every generator ran, every core
# compiled, or Icarus Verilog is missing and the table says so), every
# generator but the launcher has at least one demo core (its <program>.log),
# the summary table has a passing row for every core folder (a folder
# with Verilog), and every core ipgen wrote (demo/cores/*) simulates to PASS.
# Usage: demo_test.sh <source folder> <build folder> <program>...
set -euo pipefail
source_dir=$1
build=$2
shift 2

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

status=0
IPGEN_DEMO_QUICK=1 IPGEN_DEMO_BUILD=$build IPGEN_DEMO_ROOT=$out bash "$source_dir/scripts/demo.sh" >"$out/demo.txt" 2>&1 ||
    status=$?
cat "$out/demo.txt"
failures=0
[ "$status" -eq 0 ] || { echo "FAIL: demo.sh exited $status"; failures=$((failures + 1)); }

for program in "$@"; do
    [ "$program" = toolrun ] && continue
    logs=("$out"/demo/*/"$program.log")
    [ -f "${logs[0]}" ] || { echo "FAIL: no demo core made by $program"; failures=$((failures + 1)); }
done
for dir in "$out"/demo/*/; do
    core=$(basename "$dir")
    compgen -G "$dir/*.v" >/dev/null || continue # not a core: the launcher's run
    grep -Eq "^$core +[0-9]+ +[0-9]+ +[0-9]+  (ok|iverilog not installed)" "$out/demo.txt" ||
        { echo "FAIL: no passing summary row for $core"; failures=$((failures + 1)); }
done
# Every ipgen core folder simulates to PASS (when Icarus Verilog is there).
for dir in "$out"/demo/cores/*/; do
    core=$(basename "$dir")
    command -v iverilog >/dev/null || continue
    grep -Eq "^$core +PASS " "$out/demo.txt" ||
        { echo "FAIL: no PASS row for the ipgen core $core"; failures=$((failures + 1)); }
done
[ "$failures" -eq 0 ]
