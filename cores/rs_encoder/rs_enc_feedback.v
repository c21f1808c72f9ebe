// The feedback symbol of the remainder register: data ^ slice 0 in a data
// slot, zero in a parity slot (the register then only shifts).
//
// Kept as a module of its own in synthesis: the remainder's XOR network
// then reads the m feedback bits, instead of every product bit expanding
// data ^ slice 0 and the slot kind again (about 15% more LUTs).
`timescale 1ns/1ns

`include "rsenc_params.v"

(* keep_hierarchy *)
module rs_enc_feedback (
    input  wire                          parity,    // a parity slot
    input  wire [`INPUT_DATA_WIDTH-1:0]  data,      // conventional basis
    input  wire [`INPUT_DATA_WIDTH-1:0]  top,       // the remainder's slice 0
    output wire [`INPUT_DATA_WIDTH-1:0]  feedback
);

assign feedback = parity ? {`INPUT_DATA_WIDTH{1'b0}} : data ^ top;

endmodule
