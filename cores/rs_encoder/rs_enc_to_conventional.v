// CCSDS symbol representation: the dual basis back to the conventional
// (polynomial) basis, in the field x^8 + x^7 + x^2 + x + 1; the inverse of
// the matrix of rs_enc_to_dual. Each mask lists the dual bits whose XOR
// gives one output bit.
`timescale 1ns/1ns

module rs_enc_to_conventional (
    input  wire [7:0] dual,
    output wire [7:0] conventional
);

localparam [63:0] MASKS = {8'h9b, 8'hdd, 8'h3e, 8'h1c, 8'h37, 8'hb3, 8'h60, 8'h94};

genvar b;
generate
    for (b = 0; b < 8; b = b + 1) begin : bits
        assign conventional[b] = ^(dual & MASKS[8*b +: 8]);
    end
endgenerate

endmodule
