#!/bin/sh
# Formal check of the stream block cores/common/axis_queue.v:
#   axis_queue_formal.sh <axis_queue.v> <work folder>
# For each form of its storage (head and tail registers: DEPTH 1 and 2; a
# ring in flip-flops: DEPTH 3 and 4; a ring as a memory: DEPTH 5, or
# MEMORY 1 at 1, 2 and 4 beats) a bounded proof from reset and an induction
# proof of the block's properties must pass; then, in each form, each
# deliberate fault of the block (AXIS_QUEUE_MUTATION 1 to 3, checked
# against the properties of the interface alone) and a wrong property
# (AXIS_QUEUE_PROPERTY_MUTATION) must make the bounded proof fail on an
# assertion. Exit status: 0 all as
# expected, 1 a proof failed or a fault went unnoticed, 77 a tool is missing.
# The solver is z3, on the unrolled model (--unroll): without it z3's time
# on these small models swings from seconds to minutes with the names in
# the design.
set -u
src=$1
work=$2
YOSYS=${YOSYS:-yosys}
SMTBMC=${SMTBMC:-yosys-smtbmc}
WIDTH=2          # payload bits: enough to tell beats apart
BMC_STEPS=20     # bounded proof from reset, depths 1 to 4
DEEP_STEPS=10    # depth 5: the memory form as at MEMORY 1, the bounded proof shorter
IND_STEPS=4      # induction: at most this many steps (each bounded proof is longer)

for tool in "$YOSYS" "$SMTBMC" z3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool not found"
        exit 77
    fi
done
mkdir -p "$work" || exit 1
failures=0

# model <name> <depth> <memory> <defines...>: writes $work/<name>.smt2
model() {
    name=$1 depth=$2 memory=$3
    shift 3
    if ! "$YOSYS" -q -l "$work/$name.yosys.log" -p "read_verilog -formal $* $src;
            chparam -set WIDTH $WIDTH -set DEPTH $depth -set MEMORY $memory axis_queue;
            prep -top axis_queue; memory_map; opt -fast; async2sync; dffunmap;
            write_smt2 -wires $work/$name.smt2" >/dev/null 2>&1; then
        echo "FAIL: $name: yosys could not read the block (see $work/$name.yosys.log)"
        failures=$((failures + 1))
        return 1
    fi
}

# prove <name> <what> <smtbmc options...>: the proof must pass
prove() {
    name=$1 what=$2
    shift 2
    if "$SMTBMC" -s z3 --unroll "$@" "$work/$name.smt2" >"$work/$name.$what.log" 2>&1 &&
        grep -q 'Status: PASSED' "$work/$name.$what.log"; then
        echo "ok:   $name $what"
    else
        echo "FAIL: $name $what did not pass:"
        grep -E 'failed|Status|Error|error' "$work/$name.$what.log" | head -5
        failures=$((failures + 1))
    fi
}

# refute <name>: the bounded proof must fail on an assertion
refute() {
    name=$1
    "$SMTBMC" -s z3 --unroll -t $BMC_STEPS "$work/$name.smt2" >"$work/$name.bmc.log" 2>&1
    if grep -q 'Status: FAILED' "$work/$name.bmc.log" &&
        grep -q 'Assert failed' "$work/$name.bmc.log"; then
        echo "ok:   $name caught: $(grep -m1 'Assert failed' "$work/$name.bmc.log" | sed 's/.*Assert failed in //')"
    else
        echo "FAIL: $name was not caught (the proof did not fail on an assertion):"
        tail -3 "$work/$name.bmc.log"
        failures=$((failures + 1))
    fi
}

# <depth>:<memory>: depth 1 (a register stage) and 2 in the head and tail
# registers; 3 (a ring that wraps before its pointer does) and 4 in
# flip-flops; 5 and MEMORY 1 at 1, 2 and 4 beats in the ring as a memory.
for form in 1:0 2:0 3:0 4:0 5:0 1:1 2:1 4:1; do
    depth=${form%:*} memory=${form#*:}
    name="depth$depth.memory$memory"
    steps=$BMC_STEPS
    if [ $depth -gt 4 ]; then steps=$DEEP_STEPS; fi
    if model "$name" $depth $memory; then
        prove "$name" bmc -t $steps
        prove "$name" induction -i -t $IND_STEPS
    fi
done

# the faults, in each form: registers (2), flip-flop ring (3), memory (2, MEMORY 1)
for form in 2:0 3:0 2:1; do
    depth=${form%:*} memory=${form#*:}
    for mutation in 1 2 3; do
        name="depth$depth.memory$memory.fault$mutation"
        model "$name" $depth $memory -DAXIS_QUEUE_MUTATION=$mutation -DAXIS_QUEUE_INTERFACE_ONLY &&
            refute "$name"
    done
    name="depth$depth.memory$memory.wrong_property"
    model "$name" $depth $memory -DAXIS_QUEUE_PROPERTY_MUTATION && refute "$name"
done

if [ $failures -ne 0 ]; then
    echo "FAIL: $failures check(s) of axis_queue did not go as expected"
    exit 1
fi
echo "PASS"
