`timescale 1ns/1ns
`default_nettype none

// CCSDS symbol representation, in the field x^8 + x^7 + x^2 + x + 1:
// conventional (polynomial) basis to the dual basis of the CCSDS
// Reed-Solomon code (TO_DUAL = 1), or back (TO_DUAL = 0). Combinational.
//
// Dual bit 7-i is the trace of u * beta^i with beta = alpha^117 (the basis
// dual to 1, beta, ..., beta^7), so bit 7 is the first dual coordinate. The
// way back is the inverse matrix. Each mask lists the input bits whose XOR
// gives one output bit, output bit 0 in the lowest byte.
module rs_enc_ccsds_basis #(
    parameter TO_DUAL = 1
) (
    input  wire [7:0] in,
    output wire [7:0] out
);

localparam [63:0] TO_DUAL_MASKS =
    {8'hfe, 8'h69, 8'h6b, 8'h0d, 8'hef, 8'hf2, 8'h5b, 8'hc7};
localparam [63:0] TO_CONVENTIONAL_MASKS =
    {8'h9b, 8'hdd, 8'h3e, 8'h1c, 8'h37, 8'hb3, 8'h60, 8'h94};
localparam [63:0] MASKS = TO_DUAL ? TO_DUAL_MASKS : TO_CONVENTIONAL_MASKS;

genvar b;
generate
    for (b = 0; b < 8; b = b + 1) begin : bits
        assign out[b] = ^(in & MASKS[8*b +: 8]);
    end
endgenerate

endmodule

`default_nettype wire
