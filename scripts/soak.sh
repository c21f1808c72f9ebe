#!/usr/bin/env bash
# Long runs of the statistical checks, too slow for CI: each soak line below
# builds one test program of the release preset and runs some of its tests
# with larger counts, then prints its totals. Not part of scripts/test.sh.
#   scripts/soak.sh            every soak line
#   scripts/soak.sh viterbi    the lines whose name contains "viterbi"
# IPGEN_SOAK_SEED (default 1) is handed to the tests that take a seed, so a
# second soak sees other noise. Exits non-zero when a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
only=${1:-}
seed=${IPGEN_SOAK_SEED:-1}
failed=()

# soak NAME TARGET PROGRAM FILTER TOTALS [VAR=value...]
# Builds TARGET, runs $build/PROGRAM --gtest_filter=FILTER with the
# variables set, keeps its output in $build/soak/NAME.log and prints the
# totals by the function TOTALS (it reads the log on standard input).
soak() {
    local name=$1 target=$2 program=$3 filter=$4 totals=$5 status=0
    shift 5
    [[ -z $only || $name == *"$only"* ]] || return 0
    echo "=== $name ($*)"
    cmake --build "$build" --target "$target" -j 2 >/dev/null
    mkdir -p "$build/soak"
    local start=$SECONDS
    env "$@" "$build/$program" --gtest_filter="$filter" >"$build/soak/$name.log" 2>&1 || status=$?
    "$totals" <"$build/soak/$name.log"
    grep -E '^\[  (PASSED|FAILED) ' "$build/soak/$name.log" || true
    echo "$name: $((SECONDS - start)) s, log in $build/soak/$name.log"
    [ "$status" -eq 0 ] || failed+=("$name")
}

# The Viterbi BER lines: "<code> Eb/N0 <x> dB: <ours> bit errors (libfec at
# <y> dB: <theirs>) in <bits> bits"; per code the sums over its points.
viterbi_totals() {
    awk '/ bit errors \(libfec at / {
            print "    " $0
            code = $1; line = $0; gsub(/[():]/, " ", line); n = split(line, f, " ")
            ours[code] += f[5]; theirs[code] += f[12]; bits[code] += f[n - 1]
         }
         END {
            for (c in ours)
                printf "  %s total: %d bit errors, libfec 0.2 dB worse off: %d, in %d bits\n",
                       c, ours[c], theirs[c], bits[c]
         }'
}

# The decoder core lines: "rs_decoder_core <config>: <w> words, <f> failures,
# <l> longer locators"; the sums over the configurations.
rs_decoder_totals() {
    awk '/^rs_decoder_core / {
            print "    " $0
            configs++; words += $3; failures += $5; longer += $7
         }
         END {
            printf "  total: %d configurations, %d words through make sim, %d decoding failures " \
                   "(%d by a locator longer than the core holds)\n", configs, words, failures, longer
         }'
}

[ -f "$build/CMakeCache.txt" ] || cmake --preset release >/dev/null

soak viterbi_ber hdl_viterbi_core_tests tests/hdl/viterbi_core/hdl_viterbi_core_tests \
    'Codes/ViterbiBer.*' viterbi_totals IPGEN_VITERBI_BER_BITS=1000000 IPGEN_VITERBI_SEED="$seed"

# Continuous streams of 10^6 bits through the RTL at full rate: the folder
# of `ipgen viterbi --stream continuous` (K = 7) and that of `ipgen viterbi
# --standard dvb-s` with the rate changing every frame of 1000 bits
# (bench/viterbi_ber/viterbi_stream). Every bit against the model, and no
# clock on which the core refuses a beat or (K = 7, one beat per step) once
# the bits start delivers none; the testbench prints the latency. Compiled
# with Verilator (--binary): the event simulator takes hours for 10^6 steps.
viterbi_stream_soak() {
    local mode=$1 name=viterbi_stream_$1 start=$SECONDS
    shift
    local dir="$build/soak/$name"
    [[ -z $only || $name == *"$only"* ]] || return 0
    echo "=== $name (10^6 bits at 3 dB)"
    cmake --build "$build" --target ipgen viterbi_stream -j 2 >/dev/null
    rm -rf "$dir"
    mkdir -p "$build/soak"
    "$build/ipgen/ipgen" viterbi "$@" --out "$dir" >/dev/null
    echo "  Eb/N0, bits, model bit errors: $("$build/bench/viterbi_ber/viterbi_stream" "$mode" "$dir" 3 1000000 "$seed")"
    (cd "$dir" && verilator --binary --timing -Wno-fatal -Wno-lint -Wno-style -I. -f ./*.f \
        tb_viterbi.v --top-module tb_viterbi -j 2 >verilator.log 2>&1 &&
        ./obj_dir/Vtb_viterbi) >"$build/soak/$name.log" 2>&1 || true
    grep -E '^latency' "$build/soak/$name.log" | sed 's/^/  /' || true
    if grep -qx PASS "$build/soak/$name.log"; then
        echo "$name: PASS, $((SECONDS - start)) s, log in $build/soak/$name.log"
    else
        echo "$name: FAIL, log in $build/soak/$name.log"
        failed+=("$name")
    fi
}
viterbi_stream_soak k7 --stream continuous
viterbi_stream_soak dvb-s --standard dvb-s

soak rs_decoder_core hdl_rs_decoder_core_tests \
    tests/hdl/rs_decoder_core/hdl_rs_decoder_core_tests \
    'Matrix/RsDecoderCore.IpgenVectors*' rs_decoder_totals RS_DECODER_CORE_WORDS=10000

if [ ${#failed[@]} -ne 0 ]; then
    echo "soak failed: ${failed[*]}"
    exit 1
fi
echo "soak: all passed"
