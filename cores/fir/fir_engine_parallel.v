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
module fir_engine_parallel #(
    parameter TAPS = 1,          // filter length
    parameter C = 1,             // interleaved channels
    parameter M = 1,             // multipliers (coefficient words)
    parameter SW = 8,            // bits per sample (both parts when complex)
    parameter HW = 9,            // bits per coefficient operand
    parameter PREADD = 0         // pair tap j with tap TAPS-1-j
) (
    input  wire                 clk,
    input  wire                 rst_n,      // synchronous, active low
    // samples in
    input  wire [SW-1:0]        in_data,
    input  wire                 in_valid,
    output wire                 in_ready,
    output wire                 boundary,   // a coefficient set may change here
    // coefficient operands, word j for multiplier j
    input  wire [M*HW-1:0]      taps_h,
    // operands of one firing
    output reg                  op_valid,
    output wire                 op_first,
    output wire                 op_last,
    output wire [M*SW-1:0]      op_a,
    output wire [M*SW-1:0]      op_b,
    output wire [M*HW-1:0]      op_c
);
    wire accept = in_valid;
    localparam LEN = (TAPS - 1) * C + 1;
    wire [LEN*SW-1:0] line;   // sample k of the past at [k*SW +: SW], k = 0 newest
    fir_shift_line #(.LEN(LEN), .SW(SW)) past (
        .clk(clk), .rst_n(rst_n), .shift(accept), .in_word(in_data), .line(line));

    always @(posedge clk)
        if (!rst_n) op_valid <= 1'b0;
        else op_valid <= accept;

    genvar j;
    generate
        for (j = 0; j < M; j = j + 1) begin : g_mult
            assign op_a[j*SW +: SW] = line[j*C*SW +: SW];
            if (PREADD && (TAPS - 1 - j != j)) begin : g_pair
                assign op_b[j*SW +: SW] = line[(TAPS-1-j)*C*SW +: SW];
            end else begin : g_single
                assign op_b[j*SW +: SW] = {SW{1'b0}};
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
