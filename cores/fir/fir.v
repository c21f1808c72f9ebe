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
// fir_streams.v (compiled after parameters.v, written only when one of
// them is above 1) adds what firgen's parameters.v does not describe: the
// interleaved channels (FIR_CHANNELED, FIR_CHANNELS; samples of channel 0,
// 1, .., C-1, 0, .. in turn, results in the same order), the coefficient
// sets (FIR_SETS, FIR_COEFF_SETS; the set of each sample on in_set, of each
// loaded packet on coef_set) and the samples per clock (FIR_LANES,
// FIR_SAMPLES_PER_CLOCK,
// P: in_data carries P samples, sample 0 the oldest in the low bits, and
// out_data their P results; FIR_RESULTS_PER_CLOCK of them, one for
// DECIMATION_FIR, whose P lanes add up to one result per D/P beats).
`include "parameters.v"
module fir (
    input  wire                             clk,
    input  wire                             rst_n,      // synchronous, active low
    // samples in: taken when in_valid and in_ready are both high;
    // complex samples {imaginary, real}
`ifdef FIR_LANES
    input  wire [`FIR_SAMPLES_PER_CLOCK*`INTERNAL_DATA_WIDTH-1:0] in_data,
`else
    input  wire [`INTERNAL_DATA_WIDTH-1:0]  in_data,
`endif
    input  wire                             in_valid,
    output wire                             in_ready,
`ifdef FIR_SETS
    // the set of the sample (DECIMATION_FIR: of its block, read with the
    // block's first sample)
    input  wire [`FIR_SET_WIDTH-1:0]        in_set,
`endif
`ifdef COEFF_LOAD
    // coefficient sets: NUM_COEFFS words per set, first tap first,
    // coef_last on the last word; taken when coef_valid and coef_ready
    input  wire [`INTERNAL_DATA_WIDTH-1:0]  coef_data,
    input  wire                             coef_valid,
    input  wire                             coef_last,
    output wire                             coef_ready,
`ifdef FIR_SETS
    input  wire [`FIR_SET_WIDTH-1:0]        coef_set,   // the set replaced, read with coef_last
`endif
`endif
    // results: one per out_valid pulse (no back-pressure here);
    // complex results {imaginary, real}
`ifdef FIR_LANES
    output wire [`FIR_RESULTS_PER_CLOCK*`OUTPUT_WIDTH-1:0] out_data,
`else
    output wire [`OUTPUT_WIDTH-1:0]         out_data,
`endif
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
`ifdef FIR_CHANNELED
    localparam CH    = `FIR_CHANNELS;
`else
    localparam CH    = 1;
`endif
`ifdef FIR_LANES
    localparam P     = `FIR_SAMPLES_PER_CLOCK;
`else
    localparam P     = 1;
`endif
`ifdef FIR_SETS
    localparam SETS  = `FIR_COEFF_SETS;
`else
    localparam SETS  = 1;
`endif
`ifdef FIR_SETS
    localparam SETW  = `FIR_SET_WIDTH;
`else
    localparam SETW  = 1;
    wire [SETW-1:0] in_set = 1'b0;
`endif
`ifdef COEFF_LOAD
    localparam LOADABLE = 1;
    localparam [SETS*NCF*IDW-1:0] FIXED = 0;
`ifndef FIR_SETS
    wire [SETW-1:0] coef_set = 1'b0;
`endif
`elsif FIR_SETS
    localparam LOADABLE = 0;
    localparam [SETS*NCF*IDW-1:0] FIXED = `FIR_COEFF_SETS_VALUE;
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
`ifdef DECIMATION_FIR
    // (interleaved channels: summed per channel after the tree,
    // fir_channel_accum)
    localparam ACCUM = (CH > 1) ? 0 : 1;
`else
    localparam ACCUM = 1;
`endif
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
    // ipgen's options beyond parameters.v (fir_options.v, compiled after it):
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
    wire [SETW-1:0] coef_set  = {SETW{1'b0}};
    wire [IDW-1:0] coef_data  = {IDW{1'b0}};
    wire           coef_valid = 1'b0;
    wire           coef_last  = 1'b0;
    wire           coef_ready;
`endif

    wire                  boundary;
    wire [NCF*IDW-1:0]    coeffs;
    wire [RTAPS*HW-1:0]   taps_h;
    wire                  op_valid, op_first, op_last;
    wire [P*M*IDW-1:0]    op_a, op_b;      // lane i at [i*M*IDW +: M*IDW]
`ifdef DECIMATION_FIR
    localparam CP = P;                 // lanes with their own coefficient operands
`else
    localparam CP = 1;
`endif
    // decimation lanes each sum part of a block: full-width lane results, added
    localparam LANE_SUM = (CP > 1) ? 1 : 0;
`ifdef DECIMATION_FIR
    localparam CHANNEL_SUM = (CH > 1) ? 1 : 0;
    localparam DRATIO = `D_RATIO;
`else
    localparam CHANNEL_SUM = 0;
    localparam DRATIO = 1;
`endif
    localparam LANE_OUTW = (LANE_SUM || CHANNEL_SUM) ? FULLW : OUTW;
    wire [CP*M*HW-1:0]    op_c;

    // the set of the samples from the last set boundary on; decimating
    // channels: the set of the sample's own block, kept per channel
    reg [SETW-1:0] set_sel;
    wire           block_first;   // (decimation) a sample starts its channel's block
`ifdef DECIMATION_FIR
    localparam PER_CHANNEL_SETS = (CH > 1 && SETS > 1) ? 1 : 0;
`else
    localparam PER_CHANNEL_SETS = 0;
    assign block_first = boundary;
`endif
    generate
        if (PER_CHANNEL_SETS) begin : g_block_sets
            localparam CHW = $clog2(CH);
            localparam [31:0] LAST_CH = CH - 1;
            reg [SETW-1:0] block_set [0:CH-1];
            reg [CHW-1:0]  in_channel;    // channel of the next sample
            always @(posedge clk) begin
                if (!rst_n) in_channel <= {CHW{1'b0}};
                else if (in_valid)
                    in_channel <= (in_channel == LAST_CH[CHW-1:0]) ? {CHW{1'b0}} : in_channel + 1'b1;
                if (in_valid && block_first) block_set[in_channel] <= in_set;
            end
            always @(posedge clk)
                if (!rst_n) set_sel <= {SETW{1'b0}};
                else if (in_valid) set_sel <= block_first ? in_set : block_set[in_channel];
        end else begin : g_one_set
            always @(posedge clk)
                if (!rst_n) set_sel <= {SETW{1'b0}};
                else if (boundary) set_sel <= in_set;
        end
    endgenerate

    fir_coeff_store #(.NCF(NCF), .CW(IDW), .LOADABLE(LOADABLE), .COMPLEX(PARTS - 1),
        .SETS(SETS), .SETW(SETW), .EARLY(PER_CHANNEL_SETS ? 0 : 1), .FIXED(FIXED)) store (
        .clk(clk), .rst_n(rst_n),
        .load_data(coef_data), .load_set(coef_set), .load_valid(coef_valid),
        .load_last(coef_last), .load_ready(coef_ready),
        .boundary(boundary), .select(set_sel), .coeffs(coeffs));

    fir_response #(.NCF(NCF), .TAPS(RTAPS), .W(W), .PARTS(PARTS), .CSIGNED(CSIGNED),
        .MIRROR(RTAPS != NCF), .NEGATE(NEG)) response (
        .coeffs(coeffs), .taps(taps_h));

`ifdef MULTICYCLE_FIR
    fir_engine_multicycle #(.TAPS(TAPS), .C(CH), .NCF(NCF), .M(M), .NCA(`NUM_CYCLES_ADJ),
        .SW(IDW), .HW(HW), .PREADD(PREADD)) engine (
`elsif DECIMATION_FIR
    fir_engine_decimator #(.TAPS(RTAPS), .D(`D_RATIO), .C(CH), .P(P), .M(M), .SW(IDW), .HW(HW))
        engine (
`elsif INTERPOLATION_FIR
    fir_engine_interpolator #(.TAPS(RTAPS), .C(CH), .U(`U_RATIO), .M(M), .SW(IDW), .HW(HW))
        engine (
`else
    fir_engine_parallel #(.TAPS(TAPS), .C(CH), .P(P), .M(M), .SW(IDW), .HW(HW),
        .PREADD(PREADD)) engine (
`endif
        .clk(clk), .rst_n(rst_n),
        .in_data(in_data), .in_valid(in_valid), .in_ready(in_ready), .boundary(boundary),
`ifdef DECIMATION_FIR
        .block_first(block_first),
`endif
        .taps_h(taps_h),
        .op_valid(op_valid), .op_first(op_first), .op_last(op_last),
        .op_a(op_a), .op_b(op_b), .op_c(op_c));

    // one multiply-accumulate path per lane, all on the same coefficients
    wire [P-1:0] lane_valid;
    wire [P-1:0] lane_overflow;   // a lane's result was clamped
    wire [P*PARTS*LANE_OUTW-1:0] lane_data;
    genvar i;
    generate
        for (i = 0; i < P; i = i + 1) begin : g_lane
            fir_mac #(.M(M), .W(W), .PARTS(PARTS), .DSIGNED(DSIGNED), .CSIGNED(CSIGNED),
                .PREADD(PREADD), .NEGATE(NEG),
                .TSIGNED(TSIGNED), .PRODW(PRODW), .TREEW(TREEW), .TREE_LAT(TREE_LAT),
                .ST_ADDERS(ST_ADDERS), .ST_DIRECT(ST_DIRECT), .ST_IN_W(ST_IN_W), .ST_OUT_W(ST_OUT_W),
                .ACCUM(ACCUM), .ACCW(ACCW), .FULLW(FULLW), .OUTW(LANE_OUTW),
                .ROUND((LANE_SUM || CHANNEL_SUM) ? 0 : ROUND),
                .LUT_ROWS(LUT_ROWS), .CONSTANT(CONSTANT), .SATURATE(SATURATE)) mac (
                .clk(clk), .rst_n(rst_n),
                .op_valid(op_valid), .op_first(op_first), .op_last(op_last),
                .op_a(op_a[i*M*IDW +: M*IDW]), .op_b(op_b[i*M*IDW +: M*IDW]),
                .op_c(op_c[((CP > 1) ? i : 0)*M*HW +: M*HW]),
                .out_valid(lane_valid[i]),
                .out_data(lane_data[i*PARTS*LANE_OUTW +: PARTS*LANE_OUTW]),
                .out_overflow(lane_overflow[i]));
        end
        if (LANE_SUM) begin : g_sum
            fir_lane_sum #(.P(P), .PARTS(PARTS), .FULLW(FULLW), .OUTW(OUTW), .SIGNED(TSIGNED),
                .ROUND(ROUND), .SATURATE(SATURATE)) adder (
                .clk(clk), .rst_n(rst_n), .in_valid(lane_valid[0]), .lanes(lane_data),
                .out_valid(out_valid), .out_data(out_data), .out_overflow(out_overflow));
        end else if (CHANNEL_SUM) begin : g_channels
            fir_channel_accum #(.C(CH), .D(DRATIO), .PARTS(PARTS), .FULLW(FULLW), .OUTW(OUTW),
                .SIGNED(TSIGNED), .ROUND(ROUND), .SATURATE(SATURATE)) per_channel (
                .clk(clk), .rst_n(rst_n), .in_valid(lane_valid[0]), .in_data(lane_data),
                .out_valid(out_valid), .out_data(out_data), .out_overflow(out_overflow));
        end else begin : g_direct
            assign out_valid = lane_valid[0];
            assign out_data = lane_data;
            assign out_overflow = |lane_overflow;   // one flag for the P results
        end
    endgenerate
endmodule
`default_nettype wire
