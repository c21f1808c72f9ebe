`timescale 1ns/1ns
`default_nettype none

// Viterbi decoder, native top. Symbols in, decoded bits out, both with a
// valid/ready handshake; in_last marks the last symbol of a terminated
// block (its encoder ended in state 0), out_last the block's last bit; in
// a continuous stream (VITERBI_STREAM) in_last only marks the last beat of
// a frame and out_last comes with that step's decoded bit.
// With erasures in_era flags erased symbols of the beat; with a choice of
// puncture patterns in_set on a block's first beat picks its pair. The
// decoded bits leave through the stream queue: out_valid, out_data and
// out_last come from registers.
// Reset: synchronous, active low (rst_n), for every control register.
//
// Two steps per clock (VITERBI_RADIX4): a beat carries two steps' symbols
// (the older step's at the low end), in_one marks a beat with the older
// step only (the last of a block with an odd number of steps; not looked
// at in a continuous stream), in_era flags the symbol slots of both steps
// (punctured too, a beat holds every slot of its two steps); out_data
// carries two decoded bits (bit 0 the older), out_one marks a beat with
// bit 0 only.
//
// This top reads trellgen's parameters.v and the core's options
// (viterbi_options.v) and passes their values down; no module below it
// reads a define.

`include "parameters.v"
`include "viterbi_options.v"

module viterbi_decoder #(
`ifdef VITERBI_RADIX4
    parameter DBW = 2 * `VITERBI_SYMBOLS * `DIN_WIDTH,  // in_data bits: two steps
`else
    parameter DBW = `DINBUS_WIDTH,      // in_data bits
`endif
`ifdef VITERBI_RADIX4
    parameter EN  = 2 * `VITERBI_SYMBOLS,   // erasure flags: two steps' symbols
`else
    parameter EN  = `VITERBI_SYMBOLS,   // symbols per beat (erasure flags)
`endif
    parameter SETW = `VITERBI_SETW,     // bits of in_set
`ifdef BER_PRESENT
    parameter BRW = `BER_RATE_WIDTH     // BER window counter bits
`else
    parameter BRW = 1                   // (no monitor)
`endif
) (
    input  wire              clk,
    input  wire              rst_n,
    // received symbols
    input  wire [DBW-1:0]    in_data,
    input  wire              in_valid,
    output wire              in_ready,
    input  wire              in_last,
`ifdef VITERBI_ERASURES
    input  wire [EN-1:0]     in_era,
`endif
`ifdef VITERBI_SET_CHOICE
    input  wire [SETW-1:0]   in_set,
`endif
`ifdef VITERBI_RADIX4
    input  wire              in_one,
    // decoded bits
    output wire [1:0]        out_data,
    output wire              out_one,
`else
    // decoded bits
    output wire              out_data,
`endif
    output wire              out_valid,
    input  wire              out_ready,
    output wire              out_last
`ifdef BER_PRESENT
    ,
    // channel error monitor
    output wire [BRW+1:0]    ber_count,
    output wire              ber_valid
`endif
);
    // ---- the configuration, from parameters.v ------------------------------
    localparam K  = `CONS_LENGTH;
    localparam N  = `CODE_RATE;
    localparam [K-1:0] GP0 = `GP0;
    localparam [K-1:0] GP1 = `GP1;
`ifdef GP2
    localparam [K-1:0] GP2 = `GP2;
`else
    localparam [K-1:0] GP2 = {K{1'b0}};
`endif
    localparam DW = `DIN_WIDTH;
`ifdef SDD_SIGNED
    localparam SIGNED = 1;
`else
    localparam SIGNED = 0;
`endif
`ifdef PUNCTURED
    localparam PUNCTURED = 1;   // the patterns: viterbi_options.v
`else
    localparam PUNCTURED = 0;
`endif
    localparam NSET = `VITERBI_NSET;
    localparam [NSET*4-1:0]  PERIODS = `VITERBI_PERIODS;
    localparam [NSET*14-1:0] PPS0 = `VITERBI_PPS0;
    localparam [NSET*14-1:0] PPS1 = `VITERBI_PPS1;
    localparam [2:0] INVERT = `VITERBI_INVERT;
    localparam TB = `TB_LENGTH;
    localparam NS = `NUM_STATES;
    localparam NA = `NUM_ACSP;
    localparam PC = `PROC_CYCLES;
`ifdef IMP_HYBRID
    localparam CCW = `HYBRID_INDEX;
`else
    localparam CCW = 1;
`endif
    localparam BMW = `BM_WIDTH;
    localparam MTW = `METRIC_WIDTH;
    localparam PMW = `PM_WIDTH;
    localparam SA  = `SM_ADDR_WIDTH;
`ifdef QUARRY_DEVICE
    localparam DISTRIBUTED = 1;
`else
    localparam DISTRIBUTED = 0;
`endif
`ifdef BER_PRESENT
    localparam BER  = 1;
    localparam RATE = `BER_RATE;
`else
    localparam BER  = 0;
`endif

`ifdef VITERBI_STREAM
    localparam STREAM = 1;      // continuous: in_last marks frames
`else
    localparam STREAM = 0;
`endif
`ifdef VITERBI_BEST
    localparam BEST = 1;        // tracebacks start from the best state
`else
    localparam BEST = 0;
`endif

`ifdef VITERBI_RADIX4
    localparam R4 = 1;          // two steps per clock
`else
    localparam R4 = 0;
`endif

    localparam HS  = BER ? 2 * N : 0;
    localparam EW  = BER ? 2 : 0;
    localparam DCW = R4 ? 2 * NS : NS;      // decisions per column
    localparam MW  = R4 ? 2 * (2 * NS + 2 * HS + STREAM) : 2 * (NS + HS + STREAM);
    localparam OW  = R4 ? 2 * (2 * (1 + EW) + STREAM) : 2 * (1 + EW + STREAM);
    localparam SN  = R4 ? 2 * N : N;        // symbols per column
    localparam TBC = R4 ? (TB + 1) / 2 : TB;  // traceback length in columns
    localparam EW1 = (EW > 0) ? EW : 1;

    // Configurations the core does not support stop the build here, naming
    // the reason (the module does not exist).
    generate
        if (TB < 2) begin : check_tb
            viterbi_unsupported_tb_length_below_2 stop ();
        end
        if (NA < 2) begin : check_hybrid
            viterbi_unsupported_hybrid_index_above_k_minus_2 stop ();
        end
        if (BEST && TB < 2 * K) begin : check_best
            viterbi_unsupported_best_start_below_2k_traceback stop ();
        end
        if (BER && BRW < 1) begin : check_ber
            viterbi_unsupported_ber_period_below_1 stop ();
        end
    endgenerate

`ifndef VITERBI_ERASURES
    wire [EN-1:0]   in_era = {EN{1'b0}};
`endif
`ifndef VITERBI_SET_CHOICE
    wire [SETW-1:0] in_set = {SETW{1'b0}};
`endif

    // the step (column) offered to the path metrics and its decisions
    wire            go, force0, force1;
    wire [DCW-1:0]  dec;
    wire [K-2:0]    best;
    wire [SN-1:0]   r_hard, r_era;
    wire            r_last, r_one, r_valid, done;
    genvar g;
    generate
    if (R4) begin : two_steps
`ifdef VITERBI_RADIX4
        viterbi_front4 #(
            .K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2), .DW(DW), .SIGNED(SIGNED),
            .INVERT(INVERT), .BW(BMW), .PM_WIDTH(PMW), .NS(NS), .PUNCTURED(PUNCTURED),
            .NSET(NSET), .SETW(SETW), .PERIODS(PERIODS), .PPS0(PPS0), .PPS1(PPS1),
            .STREAM(STREAM), .BEST(BEST), .BER(BER)
        ) front (
            .clk(clk), .rst_n(rst_n),
            .in_data(in_data), .in_one(in_one), .in_era(in_era), .in_set(in_set),
            .in_last(in_last), .in_valid(in_valid),
            .in_ready(in_ready),
            .step_last(r_last), .step_one(r_one), .step_valid(r_valid),
            .step_hard(r_hard), .step_era(r_era), .go(go),
            .force_a(force0), .force_b(force1), .done(done), .dec(dec), .best(best));
`endif
    end else begin : one_step
        // symbols -> trellis steps
        wire [N*DW-1:0] step_sym;
        wire [N-1:0]    step_era;
        wire            step_last, step_valid, step_ready;
        viterbi_symbol_input #(
            .N(N), .DW(DW), .SIGNED(SIGNED), .PUNCTURED(PUNCTURED), .NSET(NSET), .SETW(SETW),
            .PERIODS(PERIODS), .PPS0(PPS0), .PPS1(PPS1), .INVERT(INVERT), .DBW(DBW), .EN(EN)
        ) input_stage (
            .clk(clk), .rst_n(rst_n),
            .in_data(in_data), .in_era(in_era), .in_set(in_set), .in_valid(in_valid),
            .in_ready(in_ready), .in_last(in_last),
            .step_sym(step_sym), .step_era(step_era), .step_last(step_last),
            .step_valid(step_valid), .step_ready(step_ready));

        wire [MTW-1:0] metrics;
        viterbi_branch_metrics #(.N(N), .DW(DW), .BW(BMW), .NM(1 << N), .MW(MTW)) bm (
            .sym(step_sym), .era(step_era), .metrics(metrics));

        // hard-sliced symbols: the top bit of each confidence
        wire [N-1:0] step_hard;
        for (g = 0; g < N; g = g + 1) begin : slice
            assign step_hard[g] = step_sym[g*DW + DW - 1];
        end

        // registered step: branch metrics, hard and erased symbols, last
        wire [MTW-1:0] r_metrics;
        viterbi_metric_register #(.W(MTW + 2 * N + 1)) step_reg (
            .clk(clk), .rst_n(rst_n),
            .in_step({metrics, step_hard, step_era, step_last}),
            .in_valid(step_valid), .in_ready(step_ready),
            .out_step({r_metrics, r_hard, r_era, r_last}),
            .out_valid(r_valid), .out_ready(done));

        viterbi_path_metrics #(
            .K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2), .DW(DW), .BW(BMW), .MW(MTW),
            .NA(NA), .PC(PC), .CW(CCW), .PM_WIDTH(PMW), .NS(NS), .BEST(BEST)
        ) pmu (
            .clk(clk), .rst_n(rst_n),
            .run(r_valid && go), .metrics(r_metrics), .force0(force0),
            .last_cyc(done), .dec(dec), .best(best));
        assign r_one = 1'b0;
    end
    endgenerate

    wire          mem_we, mem_re;
    wire [SA:0]   mem_waddr, mem_raddr;
    wire [MW-1:0] mem_wdata, mem_rdata;
    wire          job_valid, job_ready, job_ready_next, job_skip, job_last, tb_reading;
    wire [K-2:0]  job_state;
    wire [SA:0]   job_ptop, job_np, job_nout;
    wire [SA+1:0] job_len;
    viterbi_scheduler #(
        .K(K), .N(SN), .NS(DCW), .TB(TBC), .SA(SA), .BER(BER), .STREAM(STREAM), .BEST(BEST),
        .R4(R4), .MW(MW)
    ) sched (
        .clk(clk), .rst_n(rst_n),
        .step_last(r_last), .step_one(r_one), .step_hard(r_hard), .step_era(r_era),
        .go(go), .force0(force0), .force1(force1), .done(done), .dec(dec), .best(best),
        .mem_we(mem_we), .mem_waddr(mem_waddr), .mem_wdata(mem_wdata),
        .job_valid(job_valid), .job_ready(job_ready), .job_ready_next(job_ready_next),
        .job_ptop(job_ptop), .job_np(job_np), .job_nout(job_nout), .job_skip(job_skip),
        .job_len(job_len), .job_last(job_last), .job_state(job_state),
        .tb_reading(tb_reading));

    viterbi_survivor_memory #(.AW(SA + 1), .DW(MW), .DISTRIBUTED(DISTRIBUTED)) survivors (
        .clk(clk), .we(mem_we), .waddr(mem_waddr), .wdata(mem_wdata),
        .re(mem_re), .raddr(mem_raddr), .rdata(mem_rdata));

    wire [2:0]      region_full_next;
    wire            ob_we, commit, commit_last;
    wire [1:0]      ob_region;
    wire [SA-1:0]   ob_addr;
    wire [OW-1:0]   ob_wdata;
    wire [SA+1:0]   commit_len;
    viterbi_traceback #(
        .K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2), .SA(SA), .BER(BER), .STREAM(STREAM),
        .BEST(BEST), .R4(R4), .NS(NS), .MW(MW), .OW(OW)
    ) tb (
        .clk(clk), .rst_n(rst_n),
        .job_valid(job_valid), .job_ready(job_ready), .job_ready_next(job_ready_next),
        .job_ptop(job_ptop), .job_np(job_np), .job_nout(job_nout), .job_skip(job_skip),
        .job_len(job_len), .job_last(job_last), .job_state(job_state), .reading(tb_reading),
        .mem_re(mem_re), .mem_raddr(mem_raddr), .mem_rdata(mem_rdata),
        .region_full_next(region_full_next), .ob_we(ob_we), .ob_region(ob_region),
        .ob_addr(ob_addr), .ob_wdata(ob_wdata), .commit(commit),
        .commit_len(commit_len), .commit_last(commit_last));

    // the regions drained in order, then the stream queue: {last, err, bit}
    // (R4: {last, one, bit 1, err 1 (BER), err, bit 0})
    wire           rg_bit, rg_bit1, rg_one, rg_last, rg_valid, rg_ready;
    wire [EW1-1:0] rg_err, rg_err1;
    viterbi_output_regions #(.SA(SA), .EW(EW), .EW1(EW1), .STREAM(STREAM), .R4(R4), .OW(OW)) regions (
        .clk(clk), .rst_n(rst_n),
        .ob_we(ob_we), .ob_region(ob_region), .ob_addr(ob_addr), .ob_wdata(ob_wdata),
        .commit(commit), .commit_len(commit_len), .commit_last(commit_last),
        .region_full_next(region_full_next),
        .out_bit(rg_bit), .out_bit1(rg_bit1), .out_one(rg_one), .out_err(rg_err),
        .out_err1(rg_err1),
        .out_last(rg_last),
        .out_valid(rg_valid), .out_ready(rg_ready));

    wire [EW1-1:0] out_err, out_err1;
    wire [1:0]     unused_level;
    wire           unused_full;
`ifdef VITERBI_RADIX4
    localparam QW = EW1 + 4 + (BER ? EW1 : 0);
    wire [QW-1:0] q_in, q_out;
    generate
    if (BER) begin : two_counts
        assign q_in = {rg_last, rg_one, rg_bit1, rg_err1, rg_err, rg_bit};
        assign {out_last, out_one, out_data[1], out_err1, out_err, out_data[0]} = q_out;
    end else begin : one_count
        assign q_in = {rg_last, rg_one, rg_bit1, rg_err, rg_bit};
        assign {out_last, out_one, out_data[1], out_err, out_data[0]} = q_out;
        assign out_err1 = {EW1{1'b0}};
    end
    endgenerate
    axis_queue #(.WIDTH(QW), .DEPTH(2)) out_queue (
        .aclk(clk), .aresetn(rst_n),
        .s_payload(q_in), .s_valid(rg_valid),
        .s_ready(rg_ready),
        .m_payload(q_out), .m_valid(out_valid),
        .m_ready(out_ready), .level(unused_level), .full(unused_full));
`else
    localparam QW = EW1 + 2;
    axis_queue #(.WIDTH(QW), .DEPTH(2)) out_queue (
        .aclk(clk), .aresetn(rst_n),
        .s_payload({rg_last, rg_err, rg_bit}), .s_valid(rg_valid), .s_ready(rg_ready),
        .m_payload({out_last, out_err, out_data}), .m_valid(out_valid),
        .m_ready(out_ready), .level(unused_level), .full(unused_full));
    assign out_err1 = {EW1{1'b0}};
`endif

`ifdef BER_PRESENT
`ifdef VITERBI_RADIX4
    wire two_done = out_valid && out_ready && !out_one;
`else
    wire two_done = 1'b0;
`endif
    viterbi_ber_monitor #(.BRW(BRW), .RATE(RATE)) ber (
        .clk(clk), .rst_n(rst_n),
        .bit_done(out_valid && out_ready), .bit_err(out_err),
        .bit1_done(two_done), .bit1_err(out_err1),
        .ber_count(ber_count), .ber_valid(ber_valid));
`endif
endmodule

`default_nettype wire
