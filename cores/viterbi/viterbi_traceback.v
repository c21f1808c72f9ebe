`timescale 1ns/1ns
`default_nettype none

// Traceback: runs the scheduler's jobs, one survivor-memory word (two
// trellis steps) per clock, back to back. A job starts in job_state (0, or
// the best state) at its newest step; from state s after a step, the stored decision d of s gives
// the state before it, ((s << 1) | d) mod NUM_STATES, and the step's
// decoded bit is the top bit of s. The lowest job_nout words deliver their
// bits into one of three output regions (a job's bits come newest first,
// the region puts them back in order); the others only let the path settle.
// With the BER monitor each delivered step also gets the number of its
// received hard-sliced symbols that differ from the re-encoded path; in a
// continuous stream (STREAM) each bit also takes its step's frame mark.
// The memory read and the region writes come from registers; job_ready and
// the commit are combinational from them and region_full.
module viterbi_traceback #(
    parameter K   = 7,              // constraint length
    parameter N   = 2,              // code symbols per step
    parameter GP0 = 7'o171,         // generator polynomials (for the BER monitor)
    parameter GP1 = 7'o133,
    parameter GP2 = 7'o0,
    parameter SA  = 6,              // survivor memory: 2^(SA+1) words
    parameter BER = 0,              // count the symbol mismatches of each bit
    parameter STREAM = 0,           // the steps carry a frame mark
    parameter BEST = 0,             // jobs may start from another state than 0
    parameter NS  = 1 << (K - 1),   // states
    parameter MW  = 2 * (NS + (BER ? 2 * N : 0) + STREAM),  // survivor memory word bits
    parameter OW  = 2 * (1 + (BER ? 2 : 0) + STREAM)  // region word bits: two {mark, mismatches, bit}
) (
    input  wire              clk,
    input  wire              rst_n,      // synchronous, active low
    // jobs
    input  wire              job_valid,
    output wire              job_ready,
    input  wire [SA:0]       job_ptop,
    input  wire [SA:0]       job_np,
    input  wire [SA:0]       job_nout,
    input  wire              job_skip,
    input  wire [SA+1:0]     job_len,
    input  wire              job_last,
    input  wire [K-2:0]      job_state,
    output wire              reading,    // reads of a job still to come
    // survivor memory read port
    output wire              mem_re,
    output wire [SA:0]       mem_raddr,
    input  wire [MW-1:0]     mem_rdata,
    // output regions
    input  wire [2:0]        region_full,
    output wire              ob_we,
    output wire [1:0]        ob_region,
    output wire [SA-1:0]     ob_addr,
    output wire [OW-1:0]     ob_wdata,
    output wire              commit,     // the job's region is complete
    output wire [SA+1:0]     commit_len,
    output wire              commit_last
);
    localparam SB = K - 1;          // state bits
    localparam HS = BER ? 2 * N : 0;
    localparam CW = NS + HS + STREAM;   // bits per step in a word

    // Issue stage: the reads of the current job, newest word first.
    reg [SA:0]   iss_left;
    reg [SA:0]   iss_addr;
    reg          iss_first;
    reg [SA:0]   iss_nout;
    reg          iss_skip;
    reg [SA+1:0] iss_len;
    reg          iss_last;
    reg [1:0]    iss_rgn;
    reg [1:0]    rgn_next;
    reg [SB-1:0] iss_state;

    assign job_ready = (iss_left <= 1) && !region_full[rgn_next];
    assign reading   = iss_left != 0;
    assign mem_re    = iss_left != 0;
    assign mem_raddr = iss_addr;

    // Walk stage: the word read in the clock before.
    reg          w_valid;
    reg [SA:0]   w_rel;      // words below it in the job
    reg          w_first;
    reg          w_final;
    reg [SA:0]   w_nout;
    reg          w_skip;
    reg [SA+1:0] w_len;
    reg          w_last;
    reg [1:0]    w_rgn;
    reg [SB-1:0] w_state;
    reg [SB-1:0]  state_q;

    always @(posedge clk) begin
        if (!rst_n) begin
            iss_left  <= {SA+1{1'b0}};
            iss_addr  <= {SA+1{1'b0}};
            iss_first <= 1'b0;
            iss_nout  <= {SA+1{1'b0}};
            iss_skip  <= 1'b0;
            iss_len   <= {SA+2{1'b0}};
            iss_last  <= 1'b0;
            iss_rgn   <= 2'd0;
            iss_state <= {SB{1'b0}};
            rgn_next  <= 2'd0;
            w_valid   <= 1'b0;
        end else begin
            w_valid <= mem_re;
            if (job_valid && job_ready) begin
                iss_left  <= job_np;
                iss_addr  <= job_ptop;
                iss_first <= 1'b1;
                iss_nout  <= job_nout;
                iss_skip  <= job_skip;
                iss_len   <= job_len;
                iss_last  <= job_last;
                iss_rgn   <= rgn_next;
                iss_state <= job_state;
                rgn_next  <= (rgn_next == 2'd2) ? 2'd0 : rgn_next + 1'b1;
            end else if (iss_left != 0) begin
                iss_left  <= iss_left - 1'b1;
                iss_addr  <= iss_addr - 1'b1;
                iss_first <= 1'b0;
            end
        end
    end

    always @(posedge clk) begin
        w_rel   <= iss_left - 1'b1;
        w_first <= iss_first;
        w_final <= iss_left == 1;
        w_nout  <= iss_nout;
        w_skip  <= iss_skip;
        w_len   <= iss_len;
        w_last  <= iss_last;
        w_rgn   <= iss_rgn;
        w_state <= iss_state;
    end

    wire [NS-1:0] d_lo = mem_rdata[0 +: NS];
    wire [NS-1:0] d_hi = mem_rdata[CW +: NS];
    // without BEST every job starts from state 0: no start state is kept
    wire [SB-1:0]  start = BEST ? w_state : {SB{1'b0}};
    wire [SB-1:0]  s_hi  = w_first ? start : state_q;
    wire          x_hi  = d_hi[s_hi];
    wire [SB-1:0]  s_mid = (w_first && w_skip) ? s_hi : {s_hi[SB-2:0], x_hi};
    // The low step's decision, looked up beside x_hi rather than after it:
    // s_mid differs from {s_hi, x} only in x.
    wire          x_lo0 = d_lo[{s_hi[SB-2:0], 1'b0}];
    wire          x_lo1 = d_lo[{s_hi[SB-2:0], 1'b1}];
    wire          x_lo  = (w_first && w_skip) ? d_lo[s_hi] : (x_hi ? x_lo1 : x_lo0);
    wire [SB-1:0]  s_lo  = {s_mid[SB-2:0], x_lo};

    always @(posedge clk) begin
        if (w_valid)
            state_q <= s_lo;
    end

    wire bit_hi = s_hi[SB-1];
    wire bit_lo = s_mid[SB-1];
    // STREAM: the frame marks are the top bit of each step's column

    // Number of ones in v (at most 3).
    function [1:0] ones;
        input [N-1:0] v;
        integer i;
        begin
            ones = 2'd0;
            for (i = 0; i < N; i = i + 1)
                ones = ones + {1'b0, v[i]};
        end
    endfunction

    generate
        if (BER) begin : monitor
            // Re-encode the path and count the received symbols that disagree.
            wire [N-1:0] code_hi, code_lo;
            viterbi_encoder #(.K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2))
                enc_hi (.shift_reg({s_hi, x_hi}), .code(code_hi));
            viterbi_encoder #(.K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2))
                enc_lo (.shift_reg({s_mid, x_lo}), .code(code_lo));
            wire [N-1:0] miss_hi = (code_hi ^ mem_rdata[CW+NS +: N]) & ~mem_rdata[CW+NS+N +: N];
            wire [N-1:0] miss_lo = (code_lo ^ mem_rdata[NS +: N]) & ~mem_rdata[NS+N +: N];
            if (STREAM) begin : marked
                assign ob_wdata = {mem_rdata[2*CW-1], ones(miss_hi), bit_hi,
                                  mem_rdata[CW-1], ones(miss_lo), bit_lo};
            end else begin : unmarked
                assign ob_wdata = {ones(miss_hi), bit_hi, ones(miss_lo), bit_lo};
            end
        end else if (STREAM) begin : marked_bits
            assign ob_wdata = {mem_rdata[2*CW-1], bit_hi, mem_rdata[CW-1], bit_lo};
        end else begin : bits_only
            assign ob_wdata = {bit_hi, bit_lo};
        end
    endgenerate

    assign ob_we       = w_valid && (w_rel < w_nout);
    assign ob_region   = w_rgn;
    assign ob_addr     = w_rel[SA-1:0];
    assign commit      = w_valid && w_final;
    assign commit_len  = w_len;
    assign commit_last = w_last;
endmodule

`default_nettype wire
