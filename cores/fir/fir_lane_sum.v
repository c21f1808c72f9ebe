`timescale 1ns/1ns
`default_nettype none
// The lanes of a decimating filter with several samples per clock each sum
// part of a block's firings; their P full-precision results (FULLW bits
// per part, two's complement or unsigned as SIGNED says) add up to the
// block's result, which is then scaled to OUTW bits as one lane would
// scale it (fir_scale). Two registers: the sum, the scaling.
module fir_lane_sum #(
    parameter P = 2,             // lanes
    parameter PARTS = 1,         // 1 real, 2 complex ({imaginary, real})
    parameter FULLW = 16,        // full result width per part
    parameter OUTW = 16,         // output width per part
    parameter SIGNED = 1,        // results are two's complement
    parameter ROUND = 0,         // 1: round to nearest, 0: truncate
    parameter SATURATE = 0       // clamp results beyond OUTW bits
) (
    input  wire                     clk,
    input  wire                     rst_n,      // synchronous, active low
    input  wire                     in_valid,
    input  wire [P*PARTS*FULLW-1:0] lanes,      // lane l at [l*PARTS*FULLW +: PARTS*FULLW]
    output reg                      out_valid,
    output wire [PARTS*OUTW-1:0]    out_data,
    output wire                     out_overflow   // a part was clamped (SATURATE)
);
    reg [PARTS*FULLW-1:0] sum;
    reg                   sum_valid;
    wire [PARTS-1:0] clamped;
    assign out_overflow = |clamped;
    genvar q;
    generate
        for (q = 0; q < PARTS; q = q + 1) begin : g_part
            // the true sum fits FULLW bits: adding modulo 2^FULLW is exact
            reg [FULLW-1:0] total;
            integer l;
            always @(*) begin
                total = {FULLW{1'b0}};
                for (l = 0; l < P; l = l + 1) total = total + lanes[(l*PARTS+q)*FULLW +: FULLW];
            end
            always @(posedge clk) sum[q*FULLW +: FULLW] <= total;
            fir_scale #(.IW(FULLW), .FULLW(FULLW), .OUTW(OUTW), .SIGNED(SIGNED), .ROUND(ROUND),
                .SATURATE(SATURATE)) scale (
                .clk(clk), .value(sum[q*FULLW +: FULLW]), .result(out_data[q*OUTW +: OUTW]),
                .overflow(clamped[q]));
        end
    endgenerate
    always @(posedge clk)
        if (!rst_n) begin
            sum_valid <= 1'b0;
            out_valid <= 1'b0;
        end else begin
            sum_valid <= in_valid;
            out_valid <= sum_valid;
        end
endmodule
`default_nettype wire
