`timescale 1ns/1ns
`default_nettype none
// The arithmetic shared by every filter type: pre-adders, multipliers, the
// adder tree, the accumulator and the output scaling. Registers: one after
// the pre-adders, one per four coefficient bits in the multipliers (and
// one for the complex sums), one per tree stage, one after the accumulator
// and one after the scaling. A firing brings M data operands (with their
// pre-adder partners) and M coefficient operands; `first` starts a new sum,
// `last` ends it and sends it to the output. Real parts are W bits, complex
// operands {imaginary, real}.
module fir_mac #(
    parameter M = 1,             // multipliers
    parameter W = 8,             // bits per data / coefficient part
    parameter PARTS = 1,         // 1 real, 2 complex
    parameter DSIGNED = 1,       // data is two's complement
    parameter CSIGNED = 1,       // coefficients are two's complement
    parameter PREADD = 0,        // add (or subtract) the partner operand
    parameter NEGATE = 0,        // the partner is subtracted
    parameter TSIGNED = 1,       // products and sums are two's complement
    parameter PRODW = 16,        // product width per part
    parameter TREEW = 16,        // adder tree output width per part
    parameter TREE_LAT = 0,      // adder tree stages
    // the stages of the tree, stage s (1 .. TREE_LAT, s = TREE_LAT first)
    // in bits [32*(s-1) +: 32]: pairs added, elements passed on, element
    // widths in and out (both parts)
    parameter [191:0] ST_ADDERS = 0,
    parameter [191:0] ST_DIRECT = 0,
    parameter [191:0] ST_IN_W = 0,
    parameter [191:0] ST_OUT_W = 0,
    parameter ACCUM = 0,         // sums span several firings
    parameter ACCW = 16,         // accumulator width per part
    parameter FULLW = 16,        // full output width per part
    parameter OUTW = 16,         // output width per part
    parameter ROUND = 0,         // 1: round to nearest, 0: truncate
    parameter LUT_ROWS = 0,      // multipliers as conditional-add rows
    // fixed real coefficients, single-cycle: the folder's generated
    // fir_constant_sum (one shared network of adders and shifts, then a
    // transposed chain) takes the newest sample, op_a word 0, and gives the
    // sum in place of pre-adders, multipliers and adder tree
    parameter CONSTANT = 0,
    parameter SATURATE = 0       // clamp results that do not fit OUTW bits
) (
    input  wire                     clk,
    input  wire                     rst_n,      // synchronous, active low
    // one firing
    input  wire                     op_valid,
    input  wire                     op_first,
    input  wire                     op_last,
    input  wire [M*PARTS*W-1:0]     op_a,
    input  wire [M*PARTS*W-1:0]     op_b,
    input  wire [M*PARTS*(W+1)-1:0] op_c,
    // results
    output reg                      out_valid,
    output wire [PARTS*OUTW-1:0]    out_data,
    output wire                     out_overflow   // a part was clamped (SATURATE)
);
    localparam SW = PARTS * W;          // data operand
    localparam HW = PARTS * (W + 1);    // coefficient operand
    localparam DW = W + 2;              // pre-adder arithmetic per part
    // multiplier operands, two's complement, just wide enough: the data
    // grows by the pre-adder's bit and by a zero for unsigned data; the
    // coefficient by a zero when unsigned or a bit when negated
    localparam PDW = W + ((PREADD || !DSIGNED) ? 1 : 0) + ((PREADD && !DSIGNED && !NEGATE) ? 1 : 0);
    localparam CDW = W + ((!CSIGNED || (NEGATE && !PREADD)) ? 1 : 0);
    localparam XW = PDW + CDW + 1;      // exact product (sum of two when complex)
    localparam MULT_ROWS = 4;           // multiplier rows between registers
    localparam MULT_LAT = (CDW + MULT_ROWS - 1) / MULT_ROWS;
    localparam PROD_LAT = MULT_LAT + PARTS - 1;   // complex: one more for the sums

    // ---- pre-adders
    reg [M*PARTS*DW-1:0] pre;
    reg [M*HW-1:0]       coef;
    genvar j, q;
    generate
        for (j = 0; j < M; j = j + 1) begin : g_pre
            for (q = 0; q < PARTS; q = q + 1) begin : g_part
                wire [W-1:0]  a = op_a[j*SW + q*W +: W];
                wire [W-1:0]  b = op_b[j*SW + q*W +: W];
                wire [DW-1:0] aw = {{2{DSIGNED ? a[W-1] : 1'b0}}, a};
                wire [DW-1:0] bw = {{2{DSIGNED ? b[W-1] : 1'b0}}, b};
                always @(posedge clk) begin
                    if (PREADD && NEGATE) pre[(j*PARTS+q)*DW +: DW] <= aw - bw;
                    else if (PREADD)      pre[(j*PARTS+q)*DW +: DW] <= aw + bw;
                    else                  pre[(j*PARTS+q)*DW +: DW] <= aw;
                end
            end
        end
    endgenerate
    always @(posedge clk) coef <= op_c;

    // ---- multipliers; each product part is brought to PRODW bits (it fits)
    wire [M*PARTS*PRODW-1:0] prod;
    generate
        for (j = 0; j < M; j = j + 1) begin : g_mul
            wire [PARTS*XW-1:0] exact;
            if (PARTS == 1) begin : g_real
                wire [PDW+CDW-1:0] p;
                fir_mult #(.AW(PDW), .BW(CDW), .LATENCY(MULT_LAT), .LUT_ROWS(LUT_ROWS)) mult (
                    .clk(clk), .a(pre[j*DW +: PDW]), .b(coef[j*HW +: CDW]), .p(p));
                assign exact = {p[PDW+CDW-1], p};
            end else begin : g_complex
                wire [PDW+CDW-1:0] rr, ii, ri, ir;
                wire [PDW-1:0] dr = pre[(2*j)*DW +: PDW];
                wire [PDW-1:0] di = pre[(2*j+1)*DW +: PDW];
                wire [CDW-1:0] cr = coef[j*HW +: CDW];
                wire [CDW-1:0] ci = coef[j*HW + W + 1 +: CDW];
                fir_mult #(.AW(PDW), .BW(CDW), .LATENCY(MULT_LAT), .LUT_ROWS(LUT_ROWS))
                    m_rr (.clk(clk), .a(dr), .b(cr), .p(rr));
                fir_mult #(.AW(PDW), .BW(CDW), .LATENCY(MULT_LAT), .LUT_ROWS(LUT_ROWS))
                    m_ii (.clk(clk), .a(di), .b(ci), .p(ii));
                fir_mult #(.AW(PDW), .BW(CDW), .LATENCY(MULT_LAT), .LUT_ROWS(LUT_ROWS))
                    m_ri (.clk(clk), .a(dr), .b(ci), .p(ri));
                fir_mult #(.AW(PDW), .BW(CDW), .LATENCY(MULT_LAT), .LUT_ROWS(LUT_ROWS))
                    m_ir (.clk(clk), .a(di), .b(cr), .p(ir));
                reg [XW-1:0] re, im;
                always @(posedge clk) begin
                    re <= {rr[PDW+CDW-1], rr} - {ii[PDW+CDW-1], ii};
                    im <= {ri[PDW+CDW-1], ri} + {ir[PDW+CDW-1], ir};
                end
                assign exact = {im, re};
            end
            for (q = 0; q < PARTS; q = q + 1) begin : g_fit
                wire [XW-1:0] e = exact[q*XW +: XW];
                if (PRODW > XW) begin : g_extend
                    assign prod[(j*PARTS+q)*PRODW +: PRODW] = {{PRODW-XW{TSIGNED ? e[XW-1] : 1'b0}}, e};
                end else begin : g_cut
                    assign prod[(j*PARTS+q)*PRODW +: PRODW] = e[PRODW-1:0];
                end
            end
        end
    endgenerate

    // ---- adder tree
    wire [PARTS*TREEW-1:0] tree, tree_sum;
    fir_adder_tree #(.PARTS(PARTS), .SIGNED(TSIGNED), .IW(M*PARTS*PRODW), .OW(PARTS*TREEW),
        .STAGES(TREE_LAT), .ST_ADDERS(ST_ADDERS), .ST_DIRECT(ST_DIRECT), .ST_IN_W(ST_IN_W),
        .ST_OUT_W(ST_OUT_W)) adders (
        .clk(clk), .products(prod), .sum(tree_sum));

    // ---- or the constant network with its chain
    wire                   const_valid;
    wire [PARTS*TREEW-1:0] const_sum;
    generate
        if (CONSTANT != 0) begin : g_constant
`ifdef FIR_CONSTANT_SUM
            fir_constant_sum products (
                .clk(clk), .rst_n(rst_n), .in_data(op_a[W-1:0]), .in_valid(op_valid),
                .out_sum(const_sum), .out_valid(const_valid));
`else
            assign const_sum   = {PARTS*TREEW{1'b0}};
            assign const_valid = 1'b0;
`endif
        end else begin : g_general
            assign const_sum   = {PARTS*TREEW{1'b0}};
            assign const_valid = 1'b0;
        end
    endgenerate
    assign tree = (CONSTANT != 0) ? const_sum : tree_sum;

    // valid, first and last of a firing, through pre-adder, multiplier, tree
    localparam FL = 1 + PROD_LAT + TREE_LAT;
    reg [FL-1:0] f_valid, f_first, f_last;
    always @(posedge clk) begin
        if (!rst_n) begin
            f_valid <= {FL{1'b0}};
            f_first <= {FL{1'b0}};
            f_last  <= {FL{1'b0}};
        end else begin
            f_valid <= {f_valid[FL-2:0], op_valid};
            f_first <= {f_first[FL-2:0], op_first};
            f_last  <= {f_last[FL-2:0], op_last};
        end
    end
    wire t_valid = (CONSTANT != 0) ? const_valid : f_valid[FL-1];
    wire t_first = (CONSTANT != 0) ? 1'b1 : f_first[FL-1];
    wire t_last  = (CONSTANT != 0) ? 1'b1 : f_last[FL-1];

    // ---- accumulator (a plain register when every firing is a whole sum)
    reg [PARTS*ACCW-1:0] acc;
    reg                  acc_valid;
    generate
        for (q = 0; q < PARTS; q = q + 1) begin : g_acc
            wire [TREEW-1:0] t = tree[q*TREEW +: TREEW];
            wire [ACCW-1:0]  tw;
            if (ACCW == TREEW) begin : g_same
                assign tw = t;
            end else begin : g_ext
                assign tw = {{ACCW-TREEW{TSIGNED ? t[TREEW-1] : 1'b0}}, t};
            end
            always @(posedge clk)
                if (t_valid) acc[q*ACCW +: ACCW] <= (ACCUM && !t_first) ? acc[q*ACCW +: ACCW] + tw : tw;
        end
    endgenerate
    always @(posedge clk) begin
        if (!rst_n) begin
            acc_valid <= 1'b0;
            out_valid <= 1'b0;
        end else begin
            acc_valid <= t_valid && (t_last || !ACCUM);
            out_valid <= acc_valid;
        end
    end

    // ---- output scaling
    wire [PARTS-1:0] clamped;
    generate
        for (q = 0; q < PARTS; q = q + 1) begin : g_out
            fir_scale #(.IW(ACCW), .FULLW(FULLW), .OUTW(OUTW), .SIGNED(TSIGNED), .ROUND(ROUND),
                .SATURATE(SATURATE)) scale (
                .clk(clk), .value(acc[q*ACCW +: ACCW]), .result(out_data[q*OUTW +: OUTW]),
                .overflow(clamped[q]));
        end
    endgenerate
    assign out_overflow = |clamped;
endmodule
`default_nettype wire
