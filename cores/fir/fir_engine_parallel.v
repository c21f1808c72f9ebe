`timescale 1ns/1ns
`default_nettype none
// Single-cycle engine: a shift register of TAPS samples, one sample per
// clock. The clock after a sample is accepted, multiplier j gets tap j and,
// for symmetric sets, its mirror tap TAPS-1-j as pre-adder partner (none
// for the centre tap of an odd length), with coefficient j. Every sample is
// one complete firing (first and last).
// With C interleaved channels the line is C times as long and tap j of the
// sample's channel sits C*j places back (the samples of the other channels
// in between).
// With P samples per clock (one channel) the line takes P samples at once
// and P lanes fire together: lane i (sample i of the beat, 0 the oldest)
// takes its tap j P-1-i+j places back.
module fir_engine_parallel #(
    parameter TAPS = 1,          // filter length
    parameter C = 1,             // interleaved channels
    parameter P = 1,             // samples per clock (lanes)
    parameter M = 1,             // multipliers (coefficient words)
    parameter SW = 8,            // bits per sample (both parts when complex)
    parameter HW = 9,            // bits per coefficient operand
    parameter PREADD = 0         // pair tap j with tap TAPS-1-j
) (
    input  wire                 clk,
    input  wire                 rst_n,      // synchronous, active low
    // samples in
    input  wire [P*SW-1:0]      in_data,    // sample i of the beat at [i*SW +: SW]
    input  wire                 in_valid,
    output wire                 in_ready,
    output wire                 boundary,   // a coefficient set may change here
    // coefficient operands, word j for multiplier j
    input  wire [M*HW-1:0]      taps_h,
    // operands of one firing (lane i's at [i*M*SW +: M*SW])
    output reg                  op_valid,
    output wire                 op_first,
    output wire                 op_last,
    output wire [P*M*SW-1:0]    op_a,
    output wire [P*M*SW-1:0]    op_b,
    output wire [M*HW-1:0]      op_c
);
    wire accept = in_valid;
    localparam LEN = (TAPS - 1) * C + P;
    wire [LEN*SW-1:0] line;   // sample k of the past at [k*SW +: SW], k = 0 newest
    wire [P*SW-1:0] newest_first;
    genvar i, j;
    generate
        for (i = 0; i < P; i = i + 1) begin : g_order
            assign newest_first[i*SW +: SW] = in_data[(P-1-i)*SW +: SW];
        end
    endgenerate
    fir_shift_line #(.LEN(LEN), .SW(SW), .STEP(P)) past (
        .clk(clk), .rst_n(rst_n), .shift(accept), .in_word(newest_first), .line(line));

    always @(posedge clk)
        if (!rst_n) op_valid <= 1'b0;
        else op_valid <= accept;

    generate
        for (i = 0; i < P; i = i + 1) begin : g_lane
            for (j = 0; j < M; j = j + 1) begin : g_mult
                localparam AT = i * M * SW + j * SW;
                assign op_a[AT +: SW] = line[(P-1-i+j*C)*SW +: SW];
                if (PREADD && (TAPS - 1 - j != j)) begin : g_pair
                    assign op_b[AT +: SW] = line[(P-1-i+(TAPS-1-j)*C)*SW +: SW];
                end else begin : g_single
                    assign op_b[AT +: SW] = {SW{1'b0}};
                end
            end
        end
    endgenerate

    assign in_ready = 1'b1;
    assign boundary = accept;
    assign op_first = 1'b1;
    assign op_last  = 1'b1;
    assign op_c     = taps_h;
endmodule
`default_nettype wire
