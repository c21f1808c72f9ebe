`timescale 1ns/1ns
`default_nettype none

// Branch metrics of one trellis step: for every code word w (bit i = the
// expected output of generator polynomial i) the sum over the step's
// symbols of the distance between the received confidence and the expected
// bit: u for an expected 0, (2^DIN_WIDTH - 1) - u for an expected 1. An
// erased symbol adds nothing to any word, so it favours none.
// Combinational.
module viterbi_branch_metrics #(
    parameter N  = 2,               // code symbols per step
    parameter DW = 3,               // bits per symbol
    parameter BW = 4,               // bits per branch metric (holds N * (2^DW - 1))
    parameter NM = 1 << N,          // code words
    parameter MW = NM * BW          // metrics bits
) (
    input  wire [N*DW-1:0] sym,     // unsigned confidences
    input  wire [N-1:0]    era,     // erased symbols
    output reg  [MW-1:0]   metrics  // NM x BW, code word w at [w*BW +: BW]
);
    localparam [DW-1:0] TOP = {DW{1'b1}};

    integer w, i;
    reg [BW-1:0] sum;
    reg [DW-1:0] u;
    always @* begin
        metrics = {MW{1'b0}};
        for (w = 0; w < NM; w = w + 1) begin
            sum = {BW{1'b0}};
            for (i = 0; i < N; i = i + 1) begin
                u = sym[i*DW +: DW];
                if (!era[i])
                    sum = sum + {{(BW-DW){1'b0}}, (((w >> i) & 1) != 0 ? TOP - u : u)};
            end
            metrics[w*BW +: BW] = sum;
        end
    end
endmodule

`default_nettype wire
