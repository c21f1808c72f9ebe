`timescale 1ns/1ns
`default_nettype none

// One radix-4 add-compare-select: the state two trellis steps on chooses
// among its four predecessors j = {y, z} (y: the newer step's decision, z:
// the older one's). Candidate j is the predecessor's path metric plus the
// branch metrics of both steps (their sum precomputed per pair of code
// words). Metrics wrap around modulo 2^PMW and are compared by the sign of
// their difference, exact while any two candidates differ by less than
// 2^(PMW-1).
//
// The choice is the one two radix-2 steps make: for each y the older step
// keeps z = 1 only when c(y,1) < c(y,0) (dec_a, the older step's decision
// of the middle state y), and the newer step keeps y = 1 only when the
// survivor through y = 1 is strictly smaller than the one through y = 0.
// force_a / force_b keep 0 in the older / newer step regardless.
// Combinational.
module viterbi_acs4 #(
    parameter PMW = 8,
    parameter SW  = 5               // bits of a two-step branch metric sum
) (
    input  wire [4*PMW-1:0] pm,      // predecessor j's metric at [j*PMW +: PMW]
    input  wire [4*SW-1:0]  bms,     // both steps' branch metrics from predecessor j
    input  wire             force_a,
    input  wire             force_b,
    output wire [PMW-1:0]   pm_out,
    output wire [1:0]       dec_a,   // bit y: the older step's decision on the way through y
    output wire             dec_b    // the newer step's decision
);
    wire [PMW-1:0] c [0:3];
    genvar j;
    generate
        for (j = 0; j < 4; j = j + 1) begin : cand
            assign c[j] = pm[j*PMW +: PMW] + {{(PMW-SW){1'b0}}, bms[j*SW +: SW]};
        end
    endgenerate

    // a_lt_b: the sign of a - b
    function lt;
        input [PMW-1:0] a;
        input [PMW-1:0] b;
        reg   [PMW-1:0] d;
        begin
            d  = a - b;
            lt = d[PMW-1];
        end
    endfunction

    // the older step, for each middle state y, then the newer one between
    // the two survivors (three comparisons in two levels: the area of six
    // at once does not fit the HX8K at K = 7)
    wire z0 = !force_a && lt(c[1], c[0]);
    wire z1 = !force_a && lt(c[3], c[2]);
    wire [PMW-1:0] m0 = z0 ? c[1] : c[0];
    wire [PMW-1:0] m1 = z1 ? c[3] : c[2];
    wire y = !force_b && lt(m1, m0);

    assign dec_a  = {z1, z0};
    assign dec_b  = y;
    assign pm_out = y ? m1 : m0;
endmodule

`default_nettype wire
