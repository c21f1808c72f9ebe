`timescale 1ns/1ns
`default_nettype none

// The state of the smallest path metric, for a traceback that starts from
// the best state instead of state 0. A pipelined tree of comparisons: each
// of its K-1 register stages halves the candidates, so `best` holds the
// best state of the metrics `pm` had K-1 clocks before. Metrics wrap
// around and are compared by the sign of their difference (all metrics of
// a step lie within half the range); of equal metrics the lower state wins.
module viterbi_best_state #(
    parameter SB  = 6,              // state bits (K-1)
    parameter PMW = 8,              // path metric bits
    parameter NS  = 1 << SB         // states
) (
    input  wire              clk,
    input  wire [NS*PMW-1:0] pm,    // state s at [s*PMW +: PMW]
    output wire [SB-1:0]     best
);
    // Stage j (1 .. SB) holds NS >> j candidates: {metric, state}.
    localparam EW = PMW + SB;
    genvar j, c;
    generate
        for (j = 1; j <= SB; j = j + 1) begin : stage
            localparam NC = NS >> j;
            reg  [NC*EW-1:0] q;
            wire [2*NC*EW-1:0] in;
            if (j == 1) begin : from_metrics
                for (c = 0; c < 2 * NC; c = c + 1) begin : cand
                    localparam [SB-1:0] STATE = c;
                    assign in[c*EW +: EW] = {pm[c*PMW +: PMW], STATE};
                end
            end else begin : from_stage
                assign in = stage[j-1].q;
            end
            for (c = 0; c < NC; c = c + 1) begin : pick
                wire [EW-1:0]  lo = in[(2*c)*EW +: EW];
                wire [EW-1:0]  hi = in[(2*c+1)*EW +: EW];
                wire [PMW-1:0] diff = hi[SB +: PMW] - lo[SB +: PMW];
                always @(posedge clk)
                    q[c*EW +: EW] <= diff[PMW-1] ? hi : lo;
            end
        end
    endgenerate
    assign best = stage[SB].q[SB-1:0];
endmodule

`default_nettype wire
