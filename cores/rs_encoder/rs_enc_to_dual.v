// CCSDS symbol representation: conventional (polynomial) basis to the dual
// basis of the CCSDS Reed-Solomon code, in the field x^8 + x^7 + x^2 + x + 1.
// Output bit 7-i is the trace of u * beta^i with beta = alpha^117 (the basis
// dual to 1, beta, ..., beta^7), so bit 7 is the first dual coordinate. Each
// mask lists the conventional bits whose XOR gives one output bit.
`timescale 1ns/1ns

module rs_enc_to_dual (
    input  wire [7:0] conventional,
    output wire [7:0] dual
);

localparam [63:0] MASKS = {8'hfe, 8'h69, 8'h6b, 8'h0d, 8'hef, 8'hf2, 8'h5b, 8'hc7};

genvar b;
generate
    for (b = 0; b < 8; b = b + 1) begin : bits
        assign dual[b] = ^(conventional & MASKS[8*b +: 8]);
    end
endgenerate

endmodule
