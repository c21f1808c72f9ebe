// Viterbi decoder, native top. Symbols in, decoded bits out, both with a
// valid/ready handshake; in_last marks the last symbol of a terminated
// block (its encoder ended in state 0), out_last the block's last bit.
// Reset: synchronous, active low (rst_n), for every register of the core.
`include "parameters.v"

module viterbi_decoder (
    input  wire                        clk,
    input  wire                        rst_n,
    // received symbols
    input  wire [`DINBUS_WIDTH-1:0]    in_data,
    input  wire                        in_valid,
    output wire                        in_ready,
    input  wire                        in_last,
    // decoded bits
    output wire                        out_data,
    output wire                        out_valid,
    input  wire                        out_ready,
    output wire                        out_last
`ifdef BER_PRESENT
    ,
    // channel error monitor
    output wire [`BER_RATE_WIDTH+1:0]  ber_count,
    output wire                        ber_valid
`endif
);
    localparam N  = `CODE_RATE;
    localparam DW = `DIN_WIDTH;
    localparam NS = `NUM_STATES;
    localparam SA = `SM_ADDR_WIDTH;
`ifdef BER_PRESENT
    localparam HS = 2 * N;
    localparam EW = 2;
`else
    localparam HS = 0;
    localparam EW = 0;
`endif
    localparam MW = 2 * (NS + HS);
    localparam OW = 2 * (1 + EW);
    localparam EW1 = (EW > 0) ? EW : 1;

    // Configurations the core does not support stop the build here, naming
    // the reason (the module does not exist).
    generate
        if (`TB_LENGTH < 2) begin : check_tb
            viterbi_unsupported_tb_length_below_2 stop ();
        end
        if (`NUM_ACSP < 2) begin : check_hybrid
            viterbi_unsupported_hybrid_index_above_k_minus_2 stop ();
        end
`ifdef BER_PRESENT
        if (`BER_RATE_WIDTH < 1) begin : check_ber
            viterbi_unsupported_ber_period_below_1 stop ();
        end
`endif
    endgenerate

    // symbols -> trellis steps
    wire [N*DW-1:0] step_sym;
    wire [N-1:0]    step_era;
    wire            step_last, step_valid, step_ready;
    viterbi_symbol_input input_stage (
        .clk(clk), .rst_n(rst_n),
        .in_data(in_data), .in_valid(in_valid), .in_ready(in_ready), .in_last(in_last),
        .step_sym(step_sym), .step_era(step_era), .step_last(step_last),
        .step_valid(step_valid), .step_ready(step_ready));

    wire [`METRIC_WIDTH-1:0] metrics;
    viterbi_branch_metrics bm (.sym(step_sym), .era(step_era), .metrics(metrics));

    // hard-sliced symbols: the top bit of each confidence
    wire [N-1:0] step_hard;
    genvar g;
    generate
        for (g = 0; g < N; g = g + 1) begin : slice
            assign step_hard[g] = step_sym[g*DW + DW - 1];
        end
    endgenerate

    // registered step: branch metrics, hard and erased symbols, last
    wire [`METRIC_WIDTH-1:0] r_metrics;
    wire [N-1:0]             r_hard, r_era;
    wire                     r_last, r_valid, done;
    viterbi_metric_register step_reg (
        .clk(clk), .rst_n(rst_n),
        .in_step({metrics, step_hard, step_era, step_last}),
        .in_valid(step_valid), .in_ready(step_ready),
        .out_step({r_metrics, r_hard, r_era, r_last}),
        .out_valid(r_valid), .out_ready(done));

    wire go, force0;
    wire [NS-1:0] dec;
    viterbi_path_metrics pmu (
        .clk(clk), .rst_n(rst_n),
        .run(r_valid && go), .metrics(r_metrics), .force0(force0),
        .last_cyc(done), .dec(dec));

    wire          mem_we, mem_re;
    wire [SA:0]   mem_waddr, mem_raddr;
    wire [MW-1:0] mem_wdata, mem_rdata;
    wire          job_valid, job_ready, job_skip, job_last, tb_reading;
    wire [SA:0]   job_ptop, job_np, job_nout;
    wire [SA+1:0] job_len;
    viterbi_scheduler sched (
        .clk(clk), .rst_n(rst_n),
        .step_last(r_last), .step_hard(r_hard), .step_era(r_era),
        .go(go), .force0(force0), .done(done), .dec(dec),
        .mem_we(mem_we), .mem_waddr(mem_waddr), .mem_wdata(mem_wdata),
        .job_valid(job_valid), .job_ready(job_ready), .job_ptop(job_ptop),
        .job_np(job_np), .job_nout(job_nout), .job_skip(job_skip),
        .job_len(job_len), .job_last(job_last), .tb_reading(tb_reading));

    viterbi_survivor_memory #(.AW(SA + 1), .DW(MW)) survivors (
        .clk(clk), .we(mem_we), .waddr(mem_waddr), .wdata(mem_wdata),
        .re(mem_re), .raddr(mem_raddr), .rdata(mem_rdata));

    wire [2:0]      region_full;
    wire            ob_we, commit, commit_last;
    wire [1:0]      ob_region;
    wire [SA-1:0]   ob_addr;
    wire [OW-1:0]   ob_wdata;
    wire [SA+1:0]   commit_len;
    viterbi_traceback tb (
        .clk(clk), .rst_n(rst_n),
        .job_valid(job_valid), .job_ready(job_ready), .job_ptop(job_ptop),
        .job_np(job_np), .job_nout(job_nout), .job_skip(job_skip),
        .job_len(job_len), .job_last(job_last), .reading(tb_reading),
        .mem_re(mem_re), .mem_raddr(mem_raddr), .mem_rdata(mem_rdata),
        .region_full(region_full), .ob_we(ob_we), .ob_region(ob_region),
        .ob_addr(ob_addr), .ob_wdata(ob_wdata), .commit(commit),
        .commit_len(commit_len), .commit_last(commit_last));

    wire [EW1-1:0] out_err;
    viterbi_output_buffer outbuf (
        .clk(clk), .rst_n(rst_n),
        .ob_we(ob_we), .ob_region(ob_region), .ob_addr(ob_addr), .ob_wdata(ob_wdata),
        .commit(commit), .commit_len(commit_len), .commit_last(commit_last),
        .region_full(region_full),
        .m_data(out_data), .m_err(out_err), .m_valid(out_valid), .m_ready(out_ready),
        .m_last(out_last));

`ifdef BER_PRESENT
    viterbi_ber_monitor ber (
        .clk(clk), .rst_n(rst_n),
        .bit_done(out_valid && out_ready), .bit_err(out_err),
        .ber_count(ber_count), .ber_valid(ber_valid));
`endif
endmodule
