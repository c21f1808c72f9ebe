// The convolutional encoder's output for one shift-register content: bit i
// is the parity of the register masked with generator polynomial i. The
// register holds K bits, bit K-1 the newest input, bit 0 the oldest (the
// polynomial's leading octal digit taps the newest bit).
`include "parameters.v"

module viterbi_encoder (
    input  wire [`CONS_LENGTH-1:0] shift_reg,
    output wire [`CODE_RATE-1:0]   code
);
    assign code[0] = ^(shift_reg & `GP0);
    assign code[1] = ^(shift_reg & `GP1);
`ifdef GP2
    assign code[2] = ^(shift_reg & `GP2);
`endif
endmodule
