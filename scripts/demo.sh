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
