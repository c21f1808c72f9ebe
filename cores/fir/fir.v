`timescale 1ns/1ns
`default_nettype none
// FIR filter, native top. Configured entirely by parameters.v: the filter
// type picks the engine that schedules samples and coefficients onto the
// multipliers, fir_mac does the arithmetic, fir_coeff_store holds the
// coefficient set (fixed, or loaded through the coefficient port).
// One of the core's two tops: it alone (with fir_axis) reads parameters.v
// and hands every value down as a parameter. One clock; synchronous
// active-low reset of the control state and of the sample history (the
// filter starts from an all-zero past).
`include "parameters.v"
module fir (
    input  wire                             clk,
    input  wire                             rst_n,      // synchronous, active low
    // samples in: taken when in_valid and in_ready are both high;
    // complex samples {imaginary, real}
    input  wire [`INTERNAL_DATA_WIDTH-1:0]  in_data,
    input  wire                             in_valid,
    output wire                             in_ready,
`ifdef COEFF_LOAD
    // coefficient sets: NUM_COEFFS words per set, first tap first,
    // coef_last on the last word; taken when coef_valid and coef_ready
    input  wire [`INTERNAL_DATA_WIDTH-1:0]  coef_data,
    input  wire                             coef_valid,
    input  wire                             coef_last,
    output wire                             coef_ready,
`endif
    // results: one per out_valid pulse (no back-pressure here);
    // complex results {imaginary, real}
    output wire [`OUTPUT_WIDTH-1:0]         out_data,
`ifdef FIR_SATURATE
    output wire                             out_overflow,   // out_data was clamped
`endif
    output wire                             out_valid
);
    localparam W     = `INPUT_DATA_WIDTH;
    localparam TAPS  = `NUM_TAPS;
    localparam NCF   = `NUM_COEFFS;
    localparam M     = `NUM_MULTIPLIERS;
    localparam IDW   = `INTERNAL_DATA_WIDTH;
`ifdef COMPLEX_DATA_TYPE
    localparam PARTS = 2;
    localparam FULLW = `OUTPUT_FULL_WIDTH_REAL;
    localparam OUTW  = `OUTPUT_WIDTH_REAL;
`else
    localparam PARTS = 1;
    localparam FULLW = `OUTPUT_FULL_WIDTH;
    localparam OUTW  = `OUTPUT_WIDTH;
`endif
    localparam HW    = PARTS * (W + 1);
`ifdef NONSYMMETRIC_COEFF
    localparam SYMM = 0;
`else
    localparam SYMM = 1;
`endif
`ifdef ANTISYMMETRIC_COEFF
    localparam NEG = 1;
`else
    localparam NEG = 0;
`endif
`ifdef UNSIGNED
    localparam DSIGNED = 0;
`else
    localparam DSIGNED = 1;
`endif
    // complex coefficients are always two's complement; an antisymmetric
    // set or complex arithmetic makes the results signed
    localparam CSIGNED = (PARTS == 2) ? 1 : DSIGNED;
    localparam TSIGNED = (DSIGNED || PARTS == 2 || NEG) ? 1 : 0;
`ifdef ROUND_NEAREST
    localparam ROUND = 1;
`else
    localparam ROUND = 0;
`endif
`ifdef COEFF_LOAD
    localparam LOADABLE = 1;
    localparam [NCF*IDW-1:0] FIXED = 0;
`else
    localparam LOADABLE = 0;
    localparam [NCF*IDW-1:0] FIXED = `COEFF_VALUE;
`endif
    localparam PRODW = `MBO_WIDTH / (M * PARTS);
    localparam TREEW = `ATO_WIDTH / PARTS;
    // the adder tree: stage s in bits [32*(s-1) +: 32] of each vector (the
    // values held 192 bits wide, so the packing below is in one width)
`ifdef STAGE1
    localparam [191:0] A1 = `ST1_NUM_ADDERS, D1 = `ST1_NUM_DIRECT;
    localparam [191:0] I1 = `ST1_IN_DATA_WIDTH, O1 = `ST1_OUT_DATA_WIDTH;
`else
    localparam [191:0] A1 = 0, D1 = 0, I1 = 0, O1 = 0;
`endif
`ifdef STAGE2
    localparam [191:0] A2 = `ST2_NUM_ADDERS, D2 = `ST2_NUM_DIRECT;
    localparam [191:0] I2 = `ST2_IN_DATA_WIDTH, O2 = `ST2_OUT_DATA_WIDTH;
`else
    localparam [191:0] A2 = 0, D2 = 0, I2 = 0, O2 = 0;
`endif
`ifdef STAGE3
    localparam [191:0] A3 = `ST3_NUM_ADDERS, D3 = `ST3_NUM_DIRECT;
    localparam [191:0] I3 = `ST3_IN_DATA_WIDTH, O3 = `ST3_OUT_DATA_WIDTH;
`else
    localparam [191:0] A3 = 0, D3 = 0, I3 = 0, O3 = 0;
`endif
`ifdef STAGE4
    localparam [191:0] A4 = `ST4_NUM_ADDERS, D4 = `ST4_NUM_DIRECT;
    localparam [191:0] I4 = `ST4_IN_DATA_WIDTH, O4 = `ST4_OUT_DATA_WIDTH;
`else
    localparam [191:0] A4 = 0, D4 = 0, I4 = 0, O4 = 0;
`endif
`ifdef STAGE5
    localparam [191:0] A5 = `ST5_NUM_ADDERS, D5 = `ST5_NUM_DIRECT;
    localparam [191:0] I5 = `ST5_IN_DATA_WIDTH, O5 = `ST5_OUT_DATA_WIDTH;
`else
    localparam [191:0] A5 = 0, D5 = 0, I5 = 0, O5 = 0;
`endif
`ifdef STAGE6
    localparam [191:0] A6 = `ST6_NUM_ADDERS, D6 = `ST6_NUM_DIRECT;
    localparam [191:0] I6 = `ST6_IN_DATA_WIDTH, O6 = `ST6_OUT_DATA_WIDTH;
    localparam TREE_LAT = 6;
`elsif STAGE5
    localparam [191:0] A6 = 0, D6 = 0, I6 = 0, O6 = 0;
    localparam TREE_LAT = 5;
`elsif STAGE4
    localparam [191:0] A6 = 0, D6 = 0, I6 = 0, O6 = 0;
    localparam TREE_LAT = 4;
`elsif STAGE3
    localparam [191:0] A6 = 0, D6 = 0, I6 = 0, O6 = 0;
    localparam TREE_LAT = 3;
`elsif STAGE2
    localparam [191:0] A6 = 0, D6 = 0, I6 = 0, O6 = 0;
    localparam TREE_LAT = 2;
`elsif STAGE1
    localparam [191:0] A6 = 0, D6 = 0, I6 = 0, O6 = 0;
    localparam TREE_LAT = 1;
`else
    localparam [191:0] A6 = 0, D6 = 0, I6 = 0, O6 = 0;
    localparam TREE_LAT = 0;
`endif
    localparam [191:0] ST_ADDERS = (A6 << 160) | (A5 << 128) | (A4 << 96) | (A3 << 64) | (A2 << 32) | A1;
    localparam [191:0] ST_DIRECT = (D6 << 160) | (D5 << 128) | (D4 << 96) | (D3 << 64) | (D2 << 32) | D1;
    localparam [191:0] ST_IN_W   = (I6 << 160) | (I5 << 128) | (I4 << 96) | (I3 << 64) | (I2 << 32) | I1;
    localparam [191:0] ST_OUT_W  = (O6 << 160) | (O5 << 128) | (O4 << 96) | (O3 << 64) | (O2 << 32) | O1;
    // a synthesis option, not generated: multipliers as conditional-add rows
`ifdef FIR_LUT_MULTIPLIERS
    localparam LUT_ROWS = 1;
`else
    localparam LUT_ROWS = 0;
`endif
    // firings summed per output, and the accumulator width that holds them
`ifdef MULTICYCLE_FIR
    localparam SPAN = `NUM_CYCLES_ADJ;
`elsif DECIMATION_FIR
    localparam SPAN = `D_RATIO;
`else
    localparam SPAN = 1;
`endif
`ifdef MULTI_CYCLE_PROCESSING
    localparam ACCUM = 1;
`else
    localparam ACCUM = 0;
`endif
    localparam ACCW = TREEW + ((SPAN > 1) ? $clog2(SPAN) : 0);
`ifdef SINGLECYCLE_FIR
    localparam PREADD = SYMM;
`elsif MULTICYCLE_FIR
    localparam PREADD = SYMM;
`else
    localparam PREADD = 0;
`endif
    // ipgen's options beyond parameters.v (fir_options.v, compiled first):
    // the products of a fixed set by one shared network (fir_constant_sum),
    // results clamped instead of wrapped
`ifdef FIR_CONSTANT_SUM
    localparam CONSTANT = 1;
`else
    localparam CONSTANT = 0;
`endif
`ifdef FIR_SATURATE
    localparam SATURATE = 1;
`else
    localparam SATURATE = 0;
    wire out_overflow;
`endif
    // taps the engine reads: the coefficient words for the pre-adder
    // types, the whole (mirrored) response for the polyphase ones
    localparam RTAPS = PREADD ? NCF : ((SYMM != 0) ? TAPS : NCF);

`ifndef COEFF_LOAD
    wire [IDW-1:0] coef_data  = {IDW{1'b0}};
    wire           coef_valid = 1'b0;
    wire           coef_last  = 1'b0;
    wire           coef_ready;
`endif

    wire                  boundary;
    wire [NCF*IDW-1:0]    coeffs;
    wire [RTAPS*HW-1:0]   taps_h;
    wire                  op_valid, op_first, op_last;
    wire [M*IDW-1:0]      op_a, op_b;
    wire [M*HW-1:0]       op_c;

    fir_coeff_store #(.NCF(NCF), .CW(IDW), .LOADABLE(LOADABLE), .COMPLEX(PARTS - 1),
        .FIXED(FIXED)) store (
        .clk(clk), .rst_n(rst_n),
        .load_data(coef_data), .load_valid(coef_valid), .load_last(coef_last),
        .load_ready(coef_ready), .boundary(boundary), .coeffs(coeffs));

    fir_response #(.NCF(NCF), .TAPS(RTAPS), .W(W), .PARTS(PARTS), .CSIGNED(CSIGNED),
        .MIRROR(RTAPS != NCF), .NEGATE(NEG)) response (
        .coeffs(coeffs), .taps(taps_h));

`ifdef MULTICYCLE_FIR
    fir_engine_multicycle #(.TAPS(TAPS), .NCF(NCF), .M(M), .NCA(`NUM_CYCLES_ADJ), .SW(IDW),
        .HW(HW), .PREADD(PREADD)) engine (
`elsif DECIMATION_FIR
    fir_engine_decimator #(.TAPS(RTAPS), .D(`D_RATIO), .M(M), .SW(IDW), .HW(HW)) engine (
`elsif INTERPOLATION_FIR
    fir_engine_interpolator #(.TAPS(RTAPS), .U(`U_RATIO), .M(M), .SW(IDW), .HW(HW)) engine (
`else
    fir_engine_parallel #(.TAPS(TAPS), .M(M), .SW(IDW), .HW(HW), .PREADD(PREADD)) engine (
`endif
        .clk(clk), .rst_n(rst_n),
        .in_data(in_data), .in_valid(in_valid), .in_ready(in_ready), .boundary(boundary),
        .taps_h(taps_h),
        .op_valid(op_valid), .op_first(op_first), .op_last(op_last),
        .op_a(op_a), .op_b(op_b), .op_c(op_c));

    fir_mac #(.M(M), .W(W), .PARTS(PARTS), .DSIGNED(DSIGNED), .CSIGNED(CSIGNED), .PREADD(PREADD),
        .NEGATE(NEG),
        .TSIGNED(TSIGNED), .PRODW(PRODW), .TREEW(TREEW), .TREE_LAT(TREE_LAT),
        .ST_ADDERS(ST_ADDERS), .ST_DIRECT(ST_DIRECT), .ST_IN_W(ST_IN_W), .ST_OUT_W(ST_OUT_W),
        .ACCUM(ACCUM), .ACCW(ACCW), .FULLW(FULLW), .OUTW(OUTW), .ROUND(ROUND),
        .LUT_ROWS(LUT_ROWS), .CONSTANT(CONSTANT), .SATURATE(SATURATE)) mac (
        .clk(clk), .rst_n(rst_n),
        .op_valid(op_valid), .op_first(op_first), .op_last(op_last),
        .op_a(op_a), .op_b(op_b), .op_c(op_c),
        .out_valid(out_valid), .out_data(out_data), .out_overflow(out_overflow));
endmodule
`default_nettype wire
