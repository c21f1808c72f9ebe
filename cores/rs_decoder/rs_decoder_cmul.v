`timescale 1ns/1ns
`default_nettype none
// Multiplication by a constant of GF(2^M): y = x * alpha^E, alpha the root
// of the field polynomial POLY (its x^M term included): rs_decoder_cdot of
// one term, XOR gates alone. No clock, no state.
module rs_decoder_cmul #(
   parameter M    = 8,      // symbol bits
   parameter POLY = 285,    // field polynomial
   parameter E    = 0       // exponent of alpha, 0 .. 2^M - 2
) (
   input  wire [M-1:0] x,
   output wire [M-1:0] y
);

localparam [31:0] E32 = E;

rs_decoder_cdot #(.M(M), .POLY(POLY), .K(1), .E(E32)) u_dot(.x(x), .y(y));

endmodule

`default_nettype wire
