#!/usr/bin/env bash
# Runs every installed program from <prefix>/bin in a fresh temporary
# folder, the way a user would after installing, and checks its exit status
# and the files it writes. The Reed-Solomon runs are the EXAMPLES of the
# installed manual pages, so the pages' commands are tested too.
# Usage: run_installed_programs.sh <prefix> <program>...
set -euo pipefail
prefix=$1
shift
bin="$prefix/bin"
man1="$prefix/share/man/man1"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Fresh folder per run: fresh_dir <name>
fresh_dir() {
    local dir="$work/$1"
    rm -rf "$dir"
    mkdir -p "$dir"
    echo "$dir"
}

# The command lines of a page's EXAMPLES that start with the program.
example_commands() {
    zcat "$man1/$1.1.gz" | sed -n '/^\.SH EXAMPLES/,/^\.SH/p' |
        sed -n '/^\.EX/,/^\.EE/p' | grep "^$1 " | sed 's/\\-/-/g'
}

# The lines between .EX and .EE that do not start with the program: a
# sample input file shown on the page.
example_file() {
    zcat "$man1/$1.1.gz" | sed -n '/^\.SH EXAMPLES/,/^\.SH/p' |
        sed -n '/^\.EX/,/^\.EE/p' | grep -v -e '^\.E[XE]' -e "^$1\\b"
}

# expect_files <dir> <file>...: each exists and is not empty.
expect_files() {
    local dir=$1
    shift
    for file in "$@"; do
        [ -s "$dir/$file" ] || fail "$(basename "$dir"): $file missing or empty"
    done
}

# run_in <dir> <expected status> <command>...
run_in() {
    local dir=$1 expected=$2 status=0
    shift 2
    (cd "$dir" && "$@" >stdout.txt 2>stderr.txt) || status=$?
    if [ "$status" -ne "$expected" ]; then
        fail "$(basename "$dir"): '$*' exited $status, expected $expected;" \
            "stdout: $(cat "$dir/stdout.txt"); stderr: $(cat "$dir/stderr.txt")"
        return 1
    fi
}

sample_header() {
    printf '// sample header\n' >"$1/header.v"
}

# run_examples <program> <file>...: each command of the page's EXAMPLES, in
# a fresh folder with a sample header.v, exits 0 and writes the files.
run_examples() {
    local program=$1 n=0 dir
    shift
    while read -r -a args; do
        n=$((n + 1))
        dir=$(fresh_dir "${program}_$n")
        sample_header "$dir"
        run_in "$dir" 0 "$bin/${args[0]}" "${args[@]:1}" || continue
        expect_files "$dir" "$@"
    done < <(example_commands "$program")
    [ "$n" -ge 3 ] || fail "$program: $n example commands on the page, expected 3"
}

check_corrgen() {
    local dir
    run_examples corrgen gfinvrom.v gfromxp.v gfile corrgen_params.v mastrovito.v \
        chiensearch.v errmag.v synd.v multiplier.v
    # Without header.v: status 1 and the message.
    dir=$(fresh_dir corrgen_no_header)
    run_in "$dir" 1 "$bin/corrgen" -w 8 -n 255 -k 239 -f 285 -g 0 -h 1 -e 0 -y 0 -o 0 -c 0 &&
        { grep -qx 'Cannot open header.v' "$dir/stderr.txt" || fail "corrgen: no 'Cannot open header.v'"; }
}

check_paritygen() {
    local dir
    run_examples paritygen gfile multiplier.v rsenc_params.v
    # A refused value: status 2 and no file.
    dir=$(fresh_dir paritygen_refused)
    run_in "$dir" 2 "$bin/paritygen" -n 255 -k 239 -w 13 -f 285 -g 0 -h 1 -p 1 -t 0 -c 0 &&
        { [ -z "$(ls "$dir" | grep -v -e stdout.txt -e stderr.txt)" ] || fail "paritygen: refused run wrote files"; }
}

# The page's examples each write a complete folder (the core's sources come
# from inside the program: nothing else is installed); the first one
# simulates to PASS where Icarus Verilog is installed.
check_ipgen() {
    local dir n=0 out
    while read -r -a args; do
        n=$((n + 1))
        dir=$(fresh_dir "ipgen_$n")
        run_in "$dir" 0 "$bin/ipgen" "${args[@]:1}" || continue
        out=$(find "$dir" -mindepth 2 -name Makefile -printf '%h\n')
        [ -n "$out" ] || { fail "ipgen: '${args[*]}' wrote no folder"; continue; }
        expect_files "$out" README.md "$(basename "$(ls "$out"/*.f)")" tb_in.hex tb_out.hex
        ls "$out" | grep -q '_axis\.v$' || fail "ipgen: no AXI4-Stream top (*_axis.v) in $out"
        # ipgen model over the first folder's input gives its expected beats
        if [ "$n" -eq 1 ] && run_in "$dir" 0 "$bin/ipgen" model "${args[@]:1:$((${#args[@]} - 3))}" \
            --in "$out/tb_in.hex" --out "$dir/model.hex"; then
            cmp -s "$dir/model.hex" "$out/tb_out.hex" || fail "ipgen model: not $out/tb_out.hex"
        fi
        if [ "$n" -eq 1 ] && command -v iverilog >/dev/null && command -v make >/dev/null; then
            make -s -C "$out" sim >"$dir/sim.txt" 2>&1 && grep -qx PASS "$dir/sim.txt" ||
                fail "ipgen: make sim of the first example: $(tail -n 3 "$dir/sim.txt")"
        fi
    done < <(example_commands ipgen)
    [ "$n" -ge 3 ] || fail "ipgen: $n example commands on the page, expected 3"
    dir=$(fresh_dir ipgen_refused)
    run_in "$dir" 2 "$bin/ipgen" rs-encoder --symbol-width 13 --n 255 --k 239 --out core &&
        { [ ! -e "$dir/core" ] || fail "ipgen: refused run wrote files"; }
    dir=$(fresh_dir ipgen_unknown)
    run_in "$dir" 2 "$bin/ipgen" turbo --out core &&
        { grep -q "unknown core 'turbo'" "$dir/stderr.txt" || fail "ipgen: no 'unknown core'"; }
}

check_trellgen() {
    local dir
    dir=$(fresh_dir trellgen)
    example_file trellgen >"$dir/viterbi_params.v"
    [ -s "$dir/viterbi_params.v" ] || fail "trellgen: no viterbi_params.v on the page"
    run_in "$dir" 0 "$bin/trellgen" 2 || return 0
    expect_files "$dir" parameters.v
    grep -q '^`define CONS_LENGTH' "$dir/parameters.v" || fail "trellgen: no CONS_LENGTH define"
    dir=$(fresh_dir trellgen_device)
    run_in "$dir" 24 "$bin/trellgen" 3 || true
}

check_firparam() {
    local dir
    dir=$(fresh_dir firparam)
    run_in "$dir" 0 "$bin/firparam" || return 0
    expect_files "$dir" user_params.txt parameters.v
    grep -q 'generated successfully' "$dir/stdout.txt" || fail "firparam: no success message"
}

check_firgen() {
    local dir
    dir=$(fresh_dir firgen_missing)
    run_in "$dir" 255 "$bin/firgen" || true
    # The example of the page: firparam's defaults and six coefficients.
    if [ -x "$bin/firparam" ]; then
        dir=$(fresh_dir firgen)
        run_in "$dir" 0 "$bin/firparam" || return 0
        printf '1\n-1\n127\n-128\n0\n5\n' >"$dir/cin.dec"
        run_in "$dir" 0 "$bin/firgen" || return 0
        expect_files "$dir" cin.hex parameters.v
        grep -q "^\`define COEFF_VALUE 48'h01FF7F800005" "$dir/parameters.v" ||
            fail "firgen: COEFF_VALUE is not 48'h01FF7F800005"
    fi
}

check_toolrun() {
    local dir
    # No context: the launcher's first failure.
    dir=$(fresh_dir toolrun_no_context)
    run_in "$dir" 1 env -u TOOLRUN_CONTEXT "$bin/toolrun" -modelsim &&
        { grep -q 'Cannot open current context' "$dir/stderr.txt" || fail "toolrun: no context message"; }
    # A context with a ModelSim stand-in that leaves a mark when it runs.
    dir=$(fresh_dir toolrun)
    mkdir -p "$dir/modelsim" "$dir/bin"
    printf '#!/bin/sh\ntouch "%s/tool_ran"\n' "$dir" >"$dir/modelsim/modelsim"
    chmod +x "$dir/modelsim/modelsim"
    printf 'Bin=%s/bin\nModelsimPath=%s/modelsim\n' "$dir" "$dir" >"$dir/context.txt"
    run_in "$dir" 0 env TOOLRUN_CONTEXT="$dir/context.txt" "$bin/toolrun" -modelsim || return 0
    for _ in $(seq 50); do
        [ -e "$dir/tool_ran" ] && return 0
        sleep 0.1
    done
    fail "toolrun: the tool was not started"
}

for program in "$@"; do
    if [ ! -x "$bin/$program" ]; then
        fail "$program: $bin/$program is not installed"
        continue
    fi
    if [ ! -s "$man1/$program.1.gz" ]; then
        fail "$program: $man1/$program.1.gz is not installed"
    fi
    if ! declare -F "check_$program" >/dev/null; then
        fail "$program: no run check for it in $(basename "$0")"
        continue
    fi
    before=$failures
    "check_$program"
    [ "$failures" -eq "$before" ] && echo "ok: $program runs from $bin"
done

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
