`timescale 1ns/1ns
`default_nettype none
// Per-channel block sums of a decimating filter with C interleaved
// channels: the firings of a block (D per channel, one per sample) come in
// the order of the samples, channel 0, 1, .., C-1, 0, ..; each arrives as
// its full-precision value (FULLW bits per part). The firing of a block's
// first round starts its channel's sum, the others add to it, and the last
// round's firing of each channel sends the sum to the scaling (fir_scale),
// so results leave channel 0, 1, .., C-1 once per D rounds. The sums live
// in a C-word memory (one read and one write per firing). Two registers:
// the sum, the scaling.
module fir_channel_accum #(
    parameter C = 2,             // channels
    parameter D = 2,             // firings per block and channel
    parameter PARTS = 1,         // 1 real, 2 complex ({imaginary, real})
    parameter FULLW = 16,        // full result width per part
    parameter OUTW = 16,         // output width per part
    parameter SIGNED = 1,        // results are two's complement
    parameter ROUND = 0,         // 1: round to nearest, 0: truncate
    parameter SATURATE = 0       // clamp results beyond OUTW bits
) (
    input  wire                     clk,
    input  wire                     rst_n,      // synchronous, active low
    input  wire                     in_valid,   // one firing
    input  wire [PARTS*FULLW-1:0]   in_data,
    output reg                      out_valid,
    output wire [PARTS*OUTW-1:0]    out_data,
    output wire                     out_overflow   // a part was clamped (SATURATE)
);
    localparam CHW = (C > 1) ? $clog2(C) : 1;
    localparam RW = (D > 1) ? $clog2(D) : 1;
    localparam [31:0] LAST_CH = C - 1;
    localparam [31:0] LAST_RD = D - 1;
    localparam XW = PARTS * FULLW;

    reg [CHW-1:0] channel;     // channel of the next firing
    reg [RW-1:0]  round;       // round of the block it belongs to
    reg [XW-1:0]  sums [0:C-1];
    reg [XW-1:0]  sum;         // the block's sum, to the scaling
    reg           sum_valid;
    always @(posedge clk)
        if (!rst_n) begin
            channel   <= {CHW{1'b0}};
            round     <= {RW{1'b0}};
            sum_valid <= 1'b0;
            out_valid <= 1'b0;
        end else begin
            sum_valid <= in_valid && (round == LAST_RD[RW-1:0]);
            out_valid <= sum_valid;
            if (in_valid) begin
                channel <= (channel == LAST_CH[CHW-1:0]) ? {CHW{1'b0}} : channel + 1'b1;
                if (channel == LAST_CH[CHW-1:0])
                    round <= (round == LAST_RD[RW-1:0]) ? {RW{1'b0}} : round + 1'b1;
            end
        end

    // the true sums fit FULLW bits: adding modulo 2^FULLW is exact
    wire [XW-1:0] total;
    wire [PARTS-1:0] clamped;
    assign out_overflow = |clamped;
    genvar q;
    generate
        for (q = 0; q < PARTS; q = q + 1) begin : g_part
            wire [FULLW-1:0] prior = (round == 0) ? {FULLW{1'b0}} : sums[channel][q*FULLW +: FULLW];
            assign total[q*FULLW +: FULLW] = prior + in_data[q*FULLW +: FULLW];
            fir_scale #(.IW(FULLW), .FULLW(FULLW), .OUTW(OUTW), .SIGNED(SIGNED), .ROUND(ROUND),
                .SATURATE(SATURATE)) scale (
                .clk(clk), .value(sum[q*FULLW +: FULLW]), .result(out_data[q*OUTW +: OUTW]),
                .overflow(clamped[q]));
        end
    endgenerate
    always @(posedge clk) begin
        if (in_valid) sums[channel] <= total;
        sum <= total;
    end
endmodule
`default_nettype wire
