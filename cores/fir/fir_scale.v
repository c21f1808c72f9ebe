`timescale 1ns/1ns
`default_nettype none
// Output scaling of one result part: the FULLW-bit full-precision value
// (held in IW bits, IW <= FULLW, the bits above being its extension) is
// cut to OUTW bits. When OUTW < FULLW the low FULLW-OUTW bits are dropped,
// either truncated (rounded towards minus infinity) or rounded to nearest
// (half a unit added first, ties upwards); the kept OUTW bits wrap, or with
// SATURATE a value beyond them (only a rounding up of the very largest one)
// is clamped to the largest (smallest) value of OUTW bits and `overflow` is
// set. When OUTW >= FULLW the value is extended to OUTW bits. Registered.
module fir_scale #(
    parameter IW = 8,            // bits holding the value
    parameter FULLW = 8,         // full output width
    parameter OUTW = 8,          // output width
    parameter SIGNED = 1,        // value is two's complement
    parameter ROUND = 0,         // 1: round to nearest, 0: truncate
    parameter SATURATE = 0       // 1: clamp, 0: wrap
) (
    input  wire            clk,
    input  wire [IW-1:0]   value,
    output reg  [OUTW-1:0] result,
    output reg             overflow   // the value was clamped (SATURATE only)
);
    localparam DROP = (OUTW < FULLW) ? FULLW - OUTW : 0;
    localparam XW = ((FULLW > OUTW) ? FULLW : OUTW) + 1;
    localparam TOP = XW - 1;         // the bit above the kept ones

    wire             fill = SIGNED ? value[IW-1] : 1'b0;
    wire [XW-1:0]    wide = {{XW-IW{fill}}, value};
    wire [XW-1:0]    half = (ROUND && DROP > 0) ? ({{XW-1{1'b0}}, 1'b1} << (DROP - 1)) : {XW{1'b0}};
    wire [XW-1:0]    sum = wide + half;
    // beyond OUTW bits: signed, the bit above differs from the kept sign;
    // unsigned, the bit above is set
    wire             beyond = (SATURATE != 0) &&
                              (SIGNED ? (sum[TOP] != sum[TOP-1]) : sum[TOP]);
    wire [OUTW-1:0]  ones = {OUTW{1'b1}};
    wire [OUTW-1:0]  largest = SIGNED ? (ones >> 1) : ones;
    wire [OUTW-1:0]  clamp = (SIGNED && sum[TOP]) ? ~largest : largest;

    always @(posedge clk) begin
        result   <= beyond ? clamp : sum[DROP +: OUTW];
        overflow <= beyond;
    end
endmodule
`default_nettype wire
