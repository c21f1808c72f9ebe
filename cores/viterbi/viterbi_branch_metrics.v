// Branch metrics of one trellis step: for every code word w (bit i = the
// expected output of generator polynomial i) the sum over the step's
// symbols of the distance between the received confidence and the expected
// bit: u for an expected 0, (2^DIN_WIDTH - 1) - u for an expected 1. An
// erased symbol adds nothing to any word, so it favours none.
`include "parameters.v"

module viterbi_branch_metrics (
    input  wire [`CODE_RATE*`DIN_WIDTH-1:0] sym,     // unsigned confidences
    input  wire [`CODE_RATE-1:0]            era,     // erased symbols
    output reg  [`METRIC_WIDTH-1:0]         metrics  // NUM_METRICS x BM_WIDTH
);
    localparam N  = `CODE_RATE;
    localparam DW = `DIN_WIDTH;
    localparam BW = `BM_WIDTH;
    localparam [DW-1:0] TOP = {DW{1'b1}};

    integer w, i;
    reg [BW-1:0] sum;
    reg [DW-1:0] u;
    always @* begin
        metrics = {`METRIC_WIDTH{1'b0}};
        for (w = 0; w < `NUM_METRICS; w = w + 1) begin
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
