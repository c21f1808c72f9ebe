#!/usr/bin/env bash
# Builds the generators and writes a demo set of cores into ./demo: one
# folder per configuration, each with a sample header.v.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" >/dev/null
bin="$root/build/release"

rm -rf demo
mkdir -p demo

sample_header() {
    cat > "$1/header.v" <<'HDR'
//////////////////////////////////////////////////////////////////////
// Generated core: do not edit; rerun the generator instead.
//////////////////////////////////////////////////////////////////////
HDR
}

# name, then the switches of corrgen
decoder() {
    local name=$1; shift
    local dir="demo/$name"
    mkdir -p "$dir"
    sample_header "$dir"
    (cd "$dir" && "$bin/rs_decoder/corrgen" "$@" > corrgen.log)
    echo "demo/$name: corrgen $*"
}

decoder rs_255_239_decoder -w 8 -n 255 -k 239 -f 285 -g 0 -h 1 -e 0 -y 0 -o 0 -c 0
decoder rs_204_188_decoder -w 8 -n 204 -k 188 -f 285 -g 0 -h 1 -e 0 -y 0 -o 0 -c 0
decoder rs_255_239_e4_decoder -w 8 -n 255 -k 239 -f 285 -g 0 -h 1 -e 4 -y 1 -o 63 -c 1
decoder rs_204_188_g112_h11_decoder -w 8 -n 204 -k 188 -f 391 -g 112 -h 11 -e 0 -y 0 -o 0 -c 0

# name, then the switches of paritygen
encoder() {
    local name=$1; shift
    local dir="demo/$name"
    mkdir -p "$dir"
    sample_header "$dir"
    (cd "$dir" && "$bin/rs_encoder/paritygen" "$@" > paritygen.log)
    echo "demo/$name: paritygen $*"
}

encoder rs_255_239_encoder -n 255 -k 239 -w 8 -f 285 -g 0 -h 1 -p 1 -t 0 -c 0 -a 1
encoder rs_255_239_encoder_plain -n 255 -k 239 -w 8 -f 285 -g 0 -h 1 -p 1 -t 0 -c 0 -a 0
encoder rs_204_188_encoder -n 204 -k 188 -w 8 -f 285 -g 0 -h 1 -p 1 -t 0 -c 0 -a 1
# Viterbi decoder: K = 7, rate 1/2 with polynomials 171 and 133 (octal),
# 3-bit soft decision, traceback 64, fully parallel, KESTREL 4 device.
mkdir -p demo/viterbi_k7
cat > demo/viterbi_k7/viterbi_params.v <<'VIT'
7    // constraint length K
2    // number of generator polynomials n (code rate 1/n)
171  // generator polynomial 0, octal
133  // generator polynomial 1, octal
1    // soft decision (1) or hard decision (0)
3    // soft width: bits per soft symbol
0    // soft symbols unsigned (1) or signed (0)
0    // punctured (1) or not (0)
64   // traceback length
0    // hybrid (1) or fully parallel (0)
0    // BER monitor present (1) or not (0)
VIT
(cd demo/viterbi_k7 && "$bin/viterbi/trellgen" 2 > trellgen.log)
echo "demo/viterbi_k7: trellgen 2"

# FIR filter: firparam creates user_params.txt with the defaults (a 6-tap
# single-cycle filter with fixed coefficients) and writes its parameters.v;
# firgen then reads the same user_params.txt, converts cin.dec and writes
# its own parameters.v (and cin.hex) in place of firparam's.
mkdir -p demo/fir
printf '%s\n' 3 -7 21 21 -7 3 > demo/fir/cin.dec
(cd demo/fir && "$bin/fir/firparam/firparam" > firparam.log && "$bin/fir/firgen/firgen" > firgen.log)
echo "demo/fir: firparam, then firgen"

# toolrun, POSIX stand-in: a host context naming a ModelSim folder that holds
# a stand-in tool (it records the PATH it was given), then the launcher run
# as the host runs it, once for ModelSim and once for a tool that is missing.
launcher_demo() {
    local dir="$root/demo/toolrun"
    mkdir -p "$dir/work" "$dir/modelsim" "$dir/bin"
    cp "$bin/launcher/toolrun_child" "$dir/modelsim/modelsim"
    printf 'ModelsimPath=%s\nSpectrumPath=%s\nBin=%s\nRoot=%s/\n' \
        "$dir/modelsim" "$dir/spectrum" "$dir/bin" "$dir" > "$dir/context.txt"
    local status=0
    (cd "$dir/work" && TOOLRUN_CONTEXT="$dir/context.txt" "$bin/launcher/toolrun" -modelsim \
        2> modelsim.log) || status=$?
    for _ in $(seq 50); do [ -f "$dir/work/child_path.txt" ] && break; sleep 0.1; done
    echo "demo/toolrun: toolrun -modelsim -> status $status, the tool got PATH=$(cat "$dir/work/child_path.txt")"
    status=0
    (cd "$dir/work" && TOOLRUN_CONTEXT="$dir/context.txt" "$bin/launcher/toolrun" -spectrum \
        2> spectrum.log) || status=$?
    echo "demo/toolrun: toolrun -spectrum -> status $status, $(cat "$dir/work/spectrum.log")"
}
launcher_demo

echo
printf '%-28s %6s %8s %9s\n' folder files lines bytes
for dir in demo/*/; do
    files=$(find "$dir" -type f ! -name header.v ! -name '*.log' | wc -l)
    lines=$(find "$dir" -type f ! -name header.v ! -name '*.log' -exec cat {} + | wc -l)
    bytes=$(find "$dir" -type f ! -name header.v ! -name '*.log' -exec cat {} + | wc -c)
    printf '%-28s %6s %8s %9s\n' "$(basename "$dir")" "$files" "$lines" "$bytes"
done
