#!/bin/sh
# Formal check of the stream block cores/common/axis_queue.v:
#   axis_queue_formal.sh <axis_queue.v> <work folder>
# For each depth, a bounded proof from reset and an induction proof of the
# block's properties must pass; then each deliberate fault of the block
# (AXIS_QUEUE_MUTATION 1 to 3, checked against the properties of the
# interface alone) and a wrong property (AXIS_QUEUE_PROPERTY_MUTATION) must
# make the bounded proof fail on an assertion. Exit status: 0 all as
# expected, 1 a proof failed or a fault went unnoticed, 77 a tool is missing.
# The solver is z3.
set -u
src=$1
work=$2
YOSYS=${YOSYS:-yosys}
SMTBMC=${SMTBMC:-yosys-smtbmc}
WIDTH=2          # payload bits: enough to tell beats apart
BMC_STEPS=20     # bounded proof from reset, depths 1 to 4
DEEP_STEPS=10    # depth 5: same logic as depth 4, the bounded proof shorter
IND_STEPS=4      # induction: at most this many steps (each bounded proof is longer)

for tool in "$YOSYS" "$SMTBMC" z3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool not found"
        exit 77
    fi
done
mkdir -p "$work" || exit 1
failures=0

# model <name> <depth> <defines...>: writes $work/<name>.smt2
model() {
    name=$1 depth=$2
    shift 2
    if ! "$YOSYS" -q -l "$work/$name.yosys.log" -p "read_verilog -formal $* $src;
            chparam -set WIDTH $WIDTH -set DEPTH $depth axis_queue;
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
    if "$SMTBMC" -s z3 "$@" "$work/$name.smt2" >"$work/$name.$what.log" 2>&1 &&
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
    "$SMTBMC" -s z3 -t $BMC_STEPS "$work/$name.smt2" >"$work/$name.bmc.log" 2>&1
    if grep -q 'Status: FAILED' "$work/$name.bmc.log" &&
        grep -q 'Assert failed' "$work/$name.bmc.log"; then
        echo "ok:   $name caught: $(grep -m1 'Assert failed' "$work/$name.bmc.log" | sed 's/.*Assert failed in //')"
    else
        echo "FAIL: $name was not caught (the proof did not fail on an assertion):"
        tail -3 "$work/$name.bmc.log"
        failures=$((failures + 1))
    fi
}

# Depth 1 (a register stage), 2 and 4 (powers of two), 3 (a ring that wraps
# before its pointer does), 5 (the deep form, kept for LUT-RAM).
for depth in 1 2 3 4 5; do
    steps=$BMC_STEPS
    if [ $depth -gt 4 ]; then steps=$DEEP_STEPS; fi
    if model "depth$depth" $depth; then
        prove "depth$depth" bmc -t $steps
        prove "depth$depth" induction -i -t $IND_STEPS
    fi
done

for depth in 2 3; do
    for mutation in 1 2 3; do
        name="depth$depth.fault$mutation"
        model "$name" $depth -DAXIS_QUEUE_MUTATION=$mutation -DAXIS_QUEUE_INTERFACE_ONLY &&
            refute "$name"
    done
    name="depth$depth.wrong_property"
    model "$name" $depth -DAXIS_QUEUE_PROPERTY_MUTATION && refute "$name"
done

if [ $failures -ne 0 ]; then
    echo "FAIL: $failures check(s) of axis_queue did not go as expected"
    exit 1
fi
echo "PASS"
