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

# Our model of the K = 7 core (bit for bit the RTL) in every mode at the
# default traceback, against libfec 0.1 dB worse off on the same noise
# (bench/viterbi_ber): terminated blocks, two steps per clock, continuous
# streams from the best state and from state 0 (libfec decodes each stream
# of 10^5 bits as one terminated block: an unlimited traceback), 5% of the
# symbols erased, and each preset's every rate in its own framing at the
# preset's default traceback (802.11 128, dvb-s and ccsds 256) and at the
# default of a folder that decodes that rate alone. A row passes when ours
# makes no more errors than libfec plus three standard deviations of its
# count plus 3. IPGEN_VITERBI_MODE_BITS (default 2 x 10^6) bits per row.
viterbi_modes_soak() {
    local name=viterbi_modes start=$SECONDS row label options ebn0 result
    [[ -z $only || $name == *"$only"* ]] || return 0
    echo "=== $name (${IPGEN_VITERBI_MODE_BITS:-2000000} bits per row, libfec 0.1 dB worse off)"
    cmake --build "$build" --target viterbi_ber -j 2 >/dev/null
    mkdir -p "$build/soak"
    : >"$build/soak/$name.log"
    while IFS='|' read -r label options ebn0; do
        # shellcheck disable=SC2086
        result=$("$build/bench/viterbi_ber/viterbi_ber" --offset 0.1 $options - "$ebn0" \
            "${IPGEN_VITERBI_MODE_BITS:-2000000}" "$seed")
        echo "$label $result" >>"$build/soak/$name.log"
    done <<'ROWS'
k7_terminated||3.0
k7_2bits|--bits-per-clock 2|3.0
k7_stream_best|--stream best|3.0
k7_stream_zero|--stream zero|3.0
k7_erasures5|--erasures 5|3.5
k7_stream_best_erasures5|--stream best --erasures 5|3.5
ieee80211_12|--standard 802.11 --tb 128|3.0
ieee80211_23|--standard 802.11 --rate 11,10 --tb 128|4.0
ieee80211_34|--standard 802.11 --rate 110,101 --tb 128|4.5
ieee80211_12_alone|--standard 802.11|3.0
ieee80211_23_alone|--standard 802.11 --rate 11,10|4.0
dvbs_12|--standard dvb-s --stream best --tb 256|3.0
dvbs_23|--standard dvb-s --stream best --rate 10,11 --tb 256|4.0
dvbs_34|--standard dvb-s --stream best --rate 101,110 --tb 256|4.5
dvbs_56|--standard dvb-s --stream best --rate 10101,11010 --tb 256|5.0
dvbs_78|--standard dvb-s --stream best --rate 1000101,1111010 --tb 256|5.5
dvbs_12_alone|--standard dvb-s --stream best|3.0
dvbs_23_alone|--standard dvb-s --stream best --rate 10,11|4.0
dvbs_34_alone|--standard dvb-s --stream best --rate 101,110|4.5
dvbs_56_alone|--standard dvb-s --stream best --rate 10101,11010|5.0
ccsds_12|--standard ccsds --stream best --tb 256|3.0
ccsds_23|--standard ccsds --stream best --rate 10,11 --tb 256|4.0
ccsds_34|--standard ccsds --stream best --rate 101,110 --tb 256|4.5
ccsds_56|--standard ccsds --stream best --rate 10101,11010 --tb 256|5.0
ccsds_78|--standard ccsds --stream best --rate 1000101,1111010 --tb 256|5.5
ccsds_12_alone|--standard ccsds --stream best|3.0
ccsds_23_alone|--standard ccsds --stream best --rate 10,11|4.0
ccsds_34_alone|--standard ccsds --stream best --rate 101,110|4.5
ccsds_56_alone|--standard ccsds --stream best --rate 10101,11010|5.0
ROWS
    # NAME EBN0 BITS OURS LIBFEC LIBFEC_EBN0 TB
    if awk '{ slack = 3 * sqrt($5) + 3; ok = $4 <= $5 + slack
              printf "  %-26s %s dB, TB %3d: %5d bit errors, libfec at %s dB %5d, in %d bits: %s\n",
                     $1, $2, $7, $4, $6, $5, $3, ok ? "ok" : "MISSED"
              bad += !ok }
            END { exit bad > 0 }' "$build/soak/$name.log"; then
        echo "$name: PASS, $((SECONDS - start)) s, log in $build/soak/$name.log"
    else
        echo "$name: FAIL, log in $build/soak/$name.log"
        failed+=("$name")
    fi
}
viterbi_modes_soak

# Continuous streams of 10^6 bits through the RTL at full rate: the folder
# of `ipgen viterbi --stream continuous` (K = 7), the same at two steps per
# clock (`--bits-per-clock 2`) and that of `ipgen viterbi
# --standard dvb-s` with the rate changing every frame of 1000 bits
# (bench/viterbi_ber/viterbi_stream). Every bit against the model, and no
# clock on which the core refuses a beat or (K = 7, one beat per step or two
# steps per beat) once the bits start delivers none; the testbench prints
# the latency. Compiled
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
viterbi_stream_soak k7x2 --stream continuous --bits-per-clock 2
viterbi_stream_soak dvb-s --standard dvb-s

soak rs_decoder_core hdl_rs_decoder_core_tests \
    tests/hdl/rs_decoder_core/hdl_rs_decoder_core_tests \
    'Matrix/RsDecoderCore.IpgenVectors*' rs_decoder_totals RS_DECODER_CORE_WORDS=10000

if [ ${#failed[@]} -ne 0 ]; then
    echo "soak failed: ${failed[*]}"
    exit 1
fi
echo "soak: all passed"
