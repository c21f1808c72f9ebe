`timescale 1ns/1ns
`default_nettype none

// The remainder register of the systematic encoder: an LFSR dividing the
// message by the generator polynomial g(x) = x^r + g_(r-1) x^(r-1) + ... + g_0.
//
// Slice j of `rem` (bits j*m .. j*m+m-1) holds the coefficient of x^(r-1-j),
// so slice 0 is the highest one: the next parity symbol to go out. The
// generated multiplier gives all r products of the feedback symbol at once,
// g_0 in the most significant slice, which lines them up with the register
// shifted down by one slice:
//
//     rem <= (rem >> m) ^ {g_0 * fb, g_1 * fb, ..., g_(r-1) * fb}
//
// In a data slot fb = data ^ slice 0; in a parity slot fb = 0 and the
// register only shifts, so after the r-th parity slot it holds zero again
// and the next codeword needs no clearing. `top` comes from the register,
// `top_next` is combinational.
module rs_enc_remainder #(
    parameter W = 8,                // bits per symbol
    parameter R = 128               // register bits: (n - k) * W
) (
    input  wire          clk,
    input  wire          rst_n,     // synchronous, active low: clears the register
    // one symbol moves through the register
    input  wire          shift,
    input  wire [W-1:0]  feedback,
    // slice 0 now, and what slice 0 becomes after a shift with `feedback`
    output wire [W-1:0]  top,
    output wire [W-1:0]  top_next
);

reg  [R-1:0] rem;
wire [R-1:0] products;
wire [R-1:0] rem_next = (rem >> W) ^ products;

multiplier products_of_feedback (
    .mult_out (products),
    .mult_in  (feedback)
);

always @(posedge clk) begin
    if (!rst_n)
        rem <= {R{1'b0}};
    else if (shift)
        rem <= rem_next;
end

assign top      = rem[W-1:0];
assign top_next = rem_next[W-1:0];

endmodule

`default_nettype wire
