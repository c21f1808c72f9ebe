#!/bin/sh
# Area and speed of the FIR core for one configuration: ipgen writes the
# folder from the options given (a 16-bit windowed-sinc low-pass as the
# coefficients), then yosys synth_ice40 (multipliers as conditional-add
# rows) with nextpnr-ice40 --hx8k for fmax, and yosys synth_xilinx
# (multipliers on DSP blocks).
# Usage: measure_area_speed.sh IPGEN OUTDIR --taps T [ipgen fir options]
#   (non-symmetric coefficients: one per tap)
#   e.g. measure_area_speed.sh ipgen m64 --coeff-width 16 --taps 64
#        --output-width 95 --filter-type multi-cycle --cycles 64
# ICE40_FLAGS adds options to synth_ice40 (for example -abc9).
set -e
ipgen=$1 out=$2
shift 2
taps=$(echo "$@" | sed -n 's/.*--taps \([0-9]*\).*/\1/p')
coeffs=$(python3 - "$taps" <<'PY'
import math, sys
taps = int(sys.argv[1])
h = [math.sin(math.pi * 0.25 * (k - (taps - 1) / 2)) / (math.pi * (k - (taps - 1) / 2))
     if 2 * k != taps - 1 else 0.25 for k in range(taps)]
w = [0.54 - 0.46 * math.cos(2 * math.pi * k / max(taps - 1, 1)) for k in range(taps)]
peak = max(abs(a * b) for a, b in zip(h, w))
print(",".join(str(round(a * b / peak * 32767)) for a, b in zip(h, w)))
PY
)
"$ipgen" fir "$@" --coeffs "$coeffs" --out "$out" --force
cd "$out"
src=$(grep -v '^+' ./*.f | tr '\n' ' ')
yosys -q -l ice40.log -p "read_verilog -DFIR_LUT_MULTIPLIERS -I. $src; synth_ice40 ${ICE40_FLAGS:-} -top fir_axis -json ice40.json; tee -o ice40.stat stat" > /dev/null
yosys -q -l xilinx.log -p "read_verilog -I. $src; synth_xilinx -top fir_axis; tee -o xilinx.stat stat" > /dev/null
echo "iCE40 (yosys synth_ice40 ${ICE40_FLAGS:-}):"
grep -E "SB_LUT4|SB_CARRY|SB_RAM40_4K" ice40.stat
echo "Xilinx 7 (yosys synth_xilinx):"
# the totals: the hierarchy summary when there is one, else the only module
awk '/=== design hierarchy ===/ { n = NR } { line[NR] = $0 } END {
    for (i = n + 1; i <= NR; i++) print line[i] }' xilinx.stat |
    grep -E "LUT[1-6] |FD[RSCPE]+ |DSP48E1|RAMB|CARRY4|RAM[0-9]+[SXM]"
lcs=$(grep -E "SB_LUT4" ice40.stat | awk '{print $2}')
if [ "$lcs" -lt 7000 ]; then
    nextpnr-ice40 --hx8k --package ct256 --json ice40.json --timing-allow-fail --seed 1 > pnr.log 2>&1
    grep -E "ICESTORM_LC:" pnr.log | tail -1
    grep -E "Max frequency" pnr.log | tail -1
else
    echo "nextpnr-ice40: skipped, more LUTs than an HX8K holds"
fi
