`timescale 1ns/1ns
`default_nettype none

// The front of the two-steps-per-clock decoder: a beat carries two trellis
// steps (the older one's N symbols at the low end); in_one marks a beat
// that carries only its older step (the last beat of a block with an odd
// number of steps; in a continuous stream, STREAM, every beat carries two
// steps and in_one is not looked at). A symbol slot adds nothing to any branch metric when
// in_era flags it or, with puncturing, when the block's pattern pair does
// not send it at that step: a beat holds every slot of its two steps, the
// punctured ones with any value. The pair is picked by in_set on a block's
// (frame's) first beat (an index of NSET or more picks pair 0); the
// pattern phase advances two steps a beat and restarts after in_last.
// Each symbol becomes an unsigned confidence of a 1
// (signed symbols have their sign bit inverted, the transmitter's inverted
// outputs are turned round), both steps get their branch metrics, and
// their sums for every pair of code words go through the two-beat stream
// queue to the radix-4 path metrics. A missing newer step adds nothing to
// any sum and keeps decision 0 (force_b): tracing back from state 0 after
// it reaches state 0 after the older step, where the block ends.
// Decisions leave as one column of two steps, {newer, older}, with done.
module viterbi_front4 #(
    parameter K   = 7,              // constraint length
    parameter N   = 2,              // code symbols per step
    parameter GP0 = 7'o171,         // generator polynomials
    parameter GP1 = 7'o133,
    parameter GP2 = 7'o0,
    parameter DW  = 3,              // bits per symbol
    parameter SIGNED = 1,           // symbols are signed (two's complement)
    parameter [2:0] INVERT = 3'b000,  // bit i: polynomial i's symbols arrive inverted
    parameter BW  = 4,              // bits per branch metric
    parameter PM_WIDTH = 8,         // path metric bits asked for
    parameter NS  = 1 << (K - 1),   // states
    parameter PUNCTURED = 0,        // the pattern pairs erase slots
    parameter NSET = 1,             // puncture pattern pairs, 1 to 8
    parameter SETW = 1,             // bits of in_set
    parameter [NSET*4-1:0]  PERIODS = 4'd1,     // steps of pair k at [k*4 +: 4]
    parameter [NSET*14-1:0] PPS0 = 14'h2000,    // pair k at [k*14 +: 14], first
    parameter [NSET*14-1:0] PPS1 = 14'h2000,    //   step at bit 13 of the field
    parameter STREAM = 0,           // continuous stream: every beat two steps
    parameter BEST = 0,             // find the best state (traceback start)
    parameter BER = 0               // pass the hard-sliced and erased symbols on
) (
    input  wire              clk,
    input  wire              rst_n,     // synchronous, active low
    input  wire [2*N*DW-1:0] in_data,
    input  wire              in_one,
    input  wire [2*N-1:0]    in_era,    // erasure flag of each slot, older step's first
    input  wire [SETW-1:0]   in_set,    // pattern pair, on a block's first beat
    input  wire              in_last,
    input  wire              in_valid,
    output wire              in_ready,
    // the column offered to the path metrics
    output wire              step_last,
    output wire              step_one,
    output wire              step_valid,
    output wire [2*N-1:0]    step_hard, // (BER) hard-sliced symbols, older step's first
    output wire [2*N-1:0]    step_era,  // (BER) symbols that count for nothing
    input  wire              go,        // the column may proceed (scheduler)
    input  wire              force_a,   // older step among the block's first K-1
    input  wire              force_b,   // newer step among them
    output wire              done,
    output wire [2*NS-1:0]   dec,       // {newer step's, older step's} decisions
    output wire [K-2:0]      best       // (BEST) best state, K clocks after a column
);
    localparam NM = 1 << N;
    localparam SW = BW + 1;
    localparam MW = NM * BW;
    localparam XW = NM * NM * SW;

    // confidences of both steps
    wire [2*N*DW-1:0] sym;
    genvar i, a, b;
    generate
        for (i = 0; i < 2 * N; i = i + 1) begin : conv
            localparam [DW-1:0] SIGN = SIGNED ? 1 << (DW - 1) : 0;
            localparam [DW-1:0] TURN = INVERT[i % N] ? {DW{1'b1}} : {DW{1'b0}};
            assign sym[i*DW +: DW] = in_data[i*DW +: DW] ^ SIGN ^ TURN;
        end
    endgenerate

    // Pattern tables, entry (k * 16 + p) for pair k and phase p: the phase
    // two steps on, and the slots a beat at phase p leaves out ({newer
    // step's, older step's}; bit i: code symbol i), now and at the next beat.
    localparam TW = 2 * N;
    function [0:0] sent;        // is symbol c of pair k sent at phase ph?
        input integer k;
        input integer ph;
        input integer c;
        begin
            if (c == 0)
                sent = PPS0[k * 14 + 13 - ph];
            else if (c == 1)
                sent = PPS1[k * 14 + 13 - ph];
            else
                sent = 1'b1;
        end
    endfunction
    function integer step_on;   // phase p + s of pair k
        input integer k;
        input integer p;
        input integer s;
        integer per, t;
        begin
            per = 0;
            for (t = 0; t < 4; t = t + 1)
                if (PERIODS[k * 4 + t]) per = per + (1 << t);
            step_on = (p + s) % (per == 0 ? 1 : per);
        end
    endfunction
    function [NSET*16*4-1:0] next_table;
        input integer unused;
        integer k, p, t;
        begin
            next_table = {NSET*16*4{1'b0}};
            for (k = 0; k < NSET; k = k + 1)
                for (p = 0; p < 16; p = p + 1)
                    for (t = 0; t < 4; t = t + 1)
                        next_table[(k * 16 + p) * 4 + t] = ((step_on(k, p, 2 + unused) >> t) & 1) == 1;
        end
    endfunction
    function [NSET*16*TW-1:0] cut_table;
        input integer ahead;    // 2: the masks of the next beat
        integer k, p, c, q;
        begin
            cut_table = {NSET*16*TW{1'b0}};
            for (k = 0; k < NSET; k = k + 1)
                for (p = 0; p < 16; p = p + 1) begin
                    q = step_on(k, p, ahead);
                    for (c = 0; c < N; c = c + 1) begin
                        cut_table[(k * 16 + p) * TW + c]     = !sent(k, q, c);
                        cut_table[(k * 16 + p) * TW + N + c] = !sent(k, step_on(k, q, 1), c);
                    end
                end
        end
    endfunction
    localparam [NSET*16*4-1:0]  NEXT      = next_table(0);
    localparam [NSET*16*TW-1:0] CUTS      = cut_table(0);
    localparam [NSET*16*TW-1:0] CUTS_NEXT = cut_table(2);

    // slots the pattern pair leaves out, per step
    wire [N-1:0] cut_a, cut_b;
    generate
    if (PUNCTURED) begin : punctured
        // The masks come from tables of constants: on a block's first beat
        // (phase 0) by in_set alone, on the others from a register loaded
        // with the next beat's masks when a beat is taken, so no phase
        // arithmetic runs in front of the branch metrics.
        reg [3:0]      phase;   // pattern step of the older step
        reg            first;   // the next beat is a block's (frame's) first
        reg [SETW-1:0] set_q;   // pattern pair of the block
        reg [2*N-1:0]  cut_q;   // the next beat's masks (not its first)

        localparam [SETW:0] PAIRS = NSET;
        wire [SETW-1:0] set_in = ({1'b0, in_set} < PAIRS) ? in_set : {SETW{1'b0}};
        wire [SETW-1:0] set    = first ? set_in : set_q;
        wire [SETW+3:0] at     = {set, phase};
        wire [SETW+3:0] at0    = {set_in, 4'd0};
        wire [2*N-1:0]  cut    = first ? CUTS[at0 * 2 * N +: 2 * N] : cut_q;
        assign cut_a = cut[0 +: N];
        assign cut_b = cut[N +: N];

        always @(posedge clk) begin
            if (!rst_n) begin
                phase <= 4'd0;
                first <= 1'b1;
                set_q <= {SETW{1'b0}};
                cut_q <= {2*N{1'b0}};
            end else if (in_valid && in_ready) begin
                set_q <= set;
                first <= in_last;
                phase <= in_last ? 4'd0 : NEXT[at * 4 +: 4];
                cut_q <= CUTS_NEXT[at * 2 * N +: 2 * N];
            end
        end
    end else begin : every_slot
        assign cut_a = {N{1'b0}};
        assign cut_b = {N{1'b0}};
    end
    endgenerate

    // A continuous stream has no block end: every beat carries two steps.
    wire one = in_one && !STREAM;

    wire [MW-1:0] bm_a, bm_b;
    viterbi_branch_metrics #(.N(N), .DW(DW), .BW(BW), .NM(NM), .MW(MW)) bma (
        .sym(sym[0 +: N*DW]), .era(in_era[0 +: N] | cut_a), .metrics(bm_a));
    viterbi_branch_metrics #(.N(N), .DW(DW), .BW(BW), .NM(NM), .MW(MW)) bmb (
        .sym(sym[N*DW +: N*DW]), .era(in_era[N +: N] | cut_b | {N{one}}), .metrics(bm_b));

    // sums[(wb * NM + wa) * SW +: SW] = bm_a[wa] + bm_b[wb]
    wire [XW-1:0] sums;
    generate
        for (b = 0; b < NM; b = b + 1) begin : newer
            for (a = 0; a < NM; a = a + 1) begin : older
                assign sums[(b*NM + a)*SW +: SW] = {1'b0, bm_a[a*BW +: BW]} + {1'b0, bm_b[b*BW +: BW]};
            end
        end
    endgenerate

    wire [XW-1:0] r_sums;
    generate
    if (BER) begin : with_symbols
        // the top bit of each confidence, and the slots left out of the metrics
        wire [2*N-1:0] hard;
        for (i = 0; i < 2 * N; i = i + 1) begin : slice
            assign hard[i] = sym[i*DW + DW - 1];
        end
        wire [2*N-1:0] era = {in_era[N +: N] | cut_b | {N{one}}, in_era[0 +: N] | cut_a};
        viterbi_metric_register #(.W(XW + 4 * N + 2)) step_reg (
            .clk(clk), .rst_n(rst_n),
            .in_step({sums, era, hard, one, in_last}), .in_valid(in_valid),
            .in_ready(in_ready),
            .out_step({r_sums, step_era, step_hard, step_one, step_last}),
            .out_valid(step_valid), .out_ready(done));
    end else begin : metrics_only
        viterbi_metric_register #(.W(XW + 2)) step_reg (
            .clk(clk), .rst_n(rst_n),
            .in_step({sums, one, in_last}), .in_valid(in_valid), .in_ready(in_ready),
            .out_step({r_sums, step_one, step_last}), .out_valid(step_valid), .out_ready(done));
        assign step_hard = {2*N{1'b0}};
        assign step_era  = {2*N{1'b0}};
    end
    endgenerate

    assign done = step_valid && go;
    viterbi_path_metrics4 #(
        .K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2), .DW(DW), .SW(SW), .NM(NM), .MW(XW),
        .PM_WIDTH(PM_WIDTH), .NS(NS), .BEST(BEST)
    ) pmu (
        .clk(clk), .rst_n(rst_n), .run(done), .sums(r_sums),
        .force_a(force_a), .force_b(force_b || step_one),
        .dec_a(dec[0 +: NS]), .dec_b(dec[NS +: NS]), .best(best));
endmodule

`default_nettype wire
