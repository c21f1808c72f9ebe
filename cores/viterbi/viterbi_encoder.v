`timescale 1ns/1ns
`default_nettype none

// The convolutional encoder's output for one shift-register content: bit i
// is the parity of the register masked with generator polynomial i. The
// register holds K bits, bit K-1 the newest input, bit 0 the oldest (the
// polynomial's leading octal digit taps the newest bit). Combinational.
module viterbi_encoder #(
    parameter K = 7,                // constraint length, 3 to 9
    parameter N = 2,                // code symbols per bit, 2 or 3
    parameter GP0 = 7'o171,         // generator polynomials, K bits
    parameter GP1 = 7'o133,
    parameter GP2 = 7'o0            // used when N = 3
) (
    input  wire [K-1:0] shift_reg,
    output wire [N-1:0] code
);
    localparam [K-1:0] G0 = GP0[K-1:0];
    localparam [K-1:0] G1 = GP1[K-1:0];
    localparam [K-1:0] G2 = GP2[K-1:0];

    assign code[0] = ^(shift_reg & G0);
    assign code[1] = ^(shift_reg & G1);
    generate
        if (N > 2) begin : third
            assign code[2] = ^(shift_reg & G2);
        end
    endgenerate
endmodule

`default_nettype wire
