`timescale 1ns/1ns
`default_nettype none

// The feedback symbol of the remainder register: data ^ slice 0 in a data
// slot, zero in a parity slot (the register then only shifts).
// Combinational.
//
// Kept as a module of its own in synthesis: the remainder's XOR network
// then reads the m feedback bits, instead of every product bit expanding
// data ^ slice 0 and the slot kind again (about 15% more LUTs).
(* keep_hierarchy *)
module rs_enc_feedback #(
    parameter W = 8                 // bits per symbol
) (
    input  wire          parity,    // a parity slot
    input  wire [W-1:0]  data,      // conventional basis
    input  wire [W-1:0]  top,       // the remainder's slice 0
    output wire [W-1:0]  feedback
);

assign feedback = parity ? {W{1'b0}} : data ^ top;

endmodule

`default_nettype wire
