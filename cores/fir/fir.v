// FIR filter, native top. Configured entirely by parameters.v: the filter
// type picks the engine that schedules samples and coefficients onto the
// multipliers, fir_mac does the arithmetic, fir_coeff_store holds the
// coefficient set (fixed, or loaded through the coefficient port).
// One clock; synchronous active-high reset of the control state and of the
// sample history (the filter starts from an all-zero past).
`include "parameters.v"
module fir (
    input                              clk,
    input                              rst,
    // samples in: taken when in_valid and in_ready are both high;
    // complex samples {imaginary, real}
    input  [`INTERNAL_DATA_WIDTH-1:0]  in_data,
    input                              in_valid,
    output                             in_ready,
`ifdef COEFF_LOAD
    // coefficient sets: NUM_COEFFS words per set, first tap first,
    // coef_last on the last word; taken when coef_valid and coef_ready
    input  [`INTERNAL_DATA_WIDTH-1:0]  coef_data,
    input                              coef_valid,
    input                              coef_last,
    output                             coef_ready,
`endif
    // results: one per out_valid pulse (no back-pressure here);
    // complex results {imaginary, real}
    output [`OUTPUT_WIDTH-1:0]         out_data,
    output                             out_valid
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
`ifdef STAGE6
    localparam TREE_LAT = 6;
`elsif STAGE5
    localparam TREE_LAT = 5;
`elsif STAGE4
    localparam TREE_LAT = 4;
`elsif STAGE3
    localparam TREE_LAT = 3;
`elsif STAGE2
    localparam TREE_LAT = 2;
`elsif STAGE1
    localparam TREE_LAT = 1;
`else
    localparam TREE_LAT = 0;
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
        .clk(clk), .rst(rst),
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
        .clk(clk), .rst(rst),
        .in_data(in_data), .in_valid(in_valid), .in_ready(in_ready), .boundary(boundary),
        .taps_h(taps_h),
        .op_valid(op_valid), .op_first(op_first), .op_last(op_last),
        .op_a(op_a), .op_b(op_b), .op_c(op_c));

    fir_mac #(.M(M), .W(W), .PARTS(PARTS), .DSIGNED(DSIGNED), .CSIGNED(CSIGNED), .PREADD(PREADD),
        .NEGATE(NEG),
        .TSIGNED(TSIGNED), .PRODW(PRODW), .TREEW(TREEW), .TREE_LAT(TREE_LAT), .ACCUM(ACCUM),
        .ACCW(ACCW), .FULLW(FULLW), .OUTW(OUTW), .ROUND(ROUND)) mac (
        .clk(clk), .rst(rst),
        .op_valid(op_valid), .op_first(op_first), .op_last(op_last),
        .op_a(op_a), .op_b(op_b), .op_c(op_c),
        .out_valid(out_valid), .out_data(out_data));
endmodule
