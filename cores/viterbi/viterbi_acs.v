`timescale 1ns/1ns
`default_nettype none

// One add-compare-select: the two candidate path metrics of a state, the
// smaller survives. Path metrics wrap around modulo 2^PMW and are compared
// by the sign of their difference, which is exact while any two metrics
// differ by less than 2^(PMW-1) (see the README). A tie, or force0, keeps
// predecessor 0: candidate 1 wins only when c1 - c0 is negative, so the
// sign bit alone decides (no test for zero). Combinational.
module viterbi_acs #(
    parameter PMW = 8,
    parameter BW  = 4
) (
    input  wire [PMW-1:0] pm0,     // metric of the predecessor with oldest bit 0
    input  wire [PMW-1:0] pm1,     // ... with oldest bit 1
    input  wire [BW-1:0]  bm0,     // branch metric from predecessor 0
    input  wire [BW-1:0]  bm1,
    input  wire           force0,  // take predecessor 0 regardless
    output wire [PMW-1:0] pm_out,
    output wire           dec      // 1: predecessor 1 survived
);
    wire [PMW-1:0] c0   = pm0 + {{(PMW-BW){1'b0}}, bm0};
    wire [PMW-1:0] c1   = pm1 + {{(PMW-BW){1'b0}}, bm1};
    wire [PMW-1:0] diff = c1 - c0;
    // c1 strictly smaller than c0
    assign dec    = !force0 && diff[PMW-1];
    assign pm_out = dec ? c1 : c0;
endmodule

`default_nettype wire
