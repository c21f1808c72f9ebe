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
// the commit are combinational from them; job_ready is a register, computed
// from the regions' next state (region_full_next).
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
    parameter R4  = 0,              // words of four steps (two columns of two), four bits out
    parameter NS  = 1 << (K - 1),   // states
    parameter MW  = R4 ? 2 * (2 * (NS + (BER ? 2 * N : 0)) + STREAM)
                       : 2 * (NS + (BER ? 2 * N : 0) + STREAM),    // survivor memory word bits
    parameter OW  = R4 ? 2 * (2 * (1 + (BER ? 2 : 0)) + STREAM)
                       : 2 * (1 + (BER ? 2 : 0) + STREAM)          // region word bits
) (
    input  wire              clk,
    input  wire              rst_n,      // synchronous, active low
    // jobs
    input  wire              job_valid,
    output wire              job_ready,
    output wire              job_ready_next,   // job_ready after this clock
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
    input  wire [2:0]        region_full_next,   // the regions' full flags after this clock
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
    localparam CW = R4 ? 2 * (NS + HS) + STREAM : NS + HS + STREAM;   // bits per column in a word

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
    reg          iss_low;    // iss_left <= 1
    reg          ready_q;    // job_ready: the issue stage ends and the next region is free
    reg [SB-1:0] iss_state;

    assign job_ready      = ready_q;
    assign reading   = iss_left != 0;
    assign mem_re    = iss_left != 0;
    assign mem_raddr = iss_addr;

    // Read stage: the word read in the clock before (mem_rdata).
    reg          r_valid;
    reg [SA:0]   r_rel;      // words below it in the job
    reg          r_first;
    reg          r_final;
    reg [SA:0]   r_nout;
    reg          r_skip;
    reg [SA+1:0] r_len;
    reg          r_last;
    reg [1:0]    r_rgn;
    reg [SB-1:0] r_state;

    // Walk stage: the word of the read stage a clock later.
    reg          w_valid;
    reg [SA:0]   w_rel;
    reg          w_first;
    reg          w_final;
    reg [SA:0]   w_nout;
    reg [SA+1:0] w_len;
    reg          w_last;
    reg [1:0]    w_rgn;
    reg [SB-1:0] w_state;
    reg [SB-1:0] state_q;

    // the issue stage after this clock
    wire         accept    = job_valid && job_ready;
    wire [1:0]   rgn_after = accept ? ((rgn_next == 2'd2) ? 2'd0 : rgn_next + 1'b1) : rgn_next;
    wire         low_after = accept ? (job_np <= 1) : (iss_left != 0) ? (iss_left <= 2) : iss_low;
    assign job_ready_next  = low_after && !region_full_next[rgn_after];

    always @(posedge clk) begin
        if (!rst_n) begin
            iss_left  <= {SA+1{1'b0}};
            iss_low   <= 1'b1;
            ready_q   <= 1'b1;
            iss_addr  <= {SA+1{1'b0}};
            iss_first <= 1'b0;
            iss_nout  <= {SA+1{1'b0}};
            iss_skip  <= 1'b0;
            iss_len   <= {SA+2{1'b0}};
            iss_last  <= 1'b0;
            iss_rgn   <= 2'd0;
            iss_state <= {SB{1'b0}};
            rgn_next  <= 2'd0;
            r_valid   <= 1'b0;
            w_valid   <= 1'b0;
        end else begin
            r_valid  <= mem_re;
            w_valid  <= r_valid;
            iss_low  <= low_after;
            rgn_next <= rgn_after;
            ready_q  <= job_ready_next;
            if (accept) begin
                iss_left  <= job_np;
                iss_addr  <= job_ptop;
                iss_first <= 1'b1;
                iss_nout  <= job_nout;
                iss_skip  <= job_skip;
                iss_len   <= job_len;
                iss_last  <= job_last;
                iss_rgn   <= rgn_next;
                iss_state <= job_state;
            end else if (iss_left != 0) begin
                iss_left  <= iss_left - 1'b1;
                iss_addr  <= iss_addr - 1'b1;
                iss_first <= 1'b0;
            end
        end
    end

    always @(posedge clk) begin
        r_rel   <= iss_left - 1'b1;
        r_first <= iss_first;
        r_final <= iss_left == 1;
        r_nout  <= iss_nout;
        r_skip  <= iss_skip;
        r_len   <= iss_len;
        r_last  <= iss_last;
        r_rgn   <= iss_rgn;
        r_state <= iss_state;
        w_rel   <= r_rel;
        w_first <= r_first;
        w_final <= r_final;
        w_nout  <= r_nout;
        w_len   <= r_len;
        w_last  <= r_last;
        w_rgn   <= r_rgn;
        w_state <= r_state;
    end

    // The walk: from state s_hi after the word's newer step, its decision
    // x_hi gives the state s_mid between the two steps, and the older
    // step's decision x_lo the state s_lo before the word. A job's first
    // word starts in its job_state (0 without BEST: no start state is kept).
    wire [SB-1:0] w_start = BEST ? w_state : {SB{1'b0}};
    wire [SB-1:0] r_start = BEST ? r_state : {SB{1'b0}};
    wire [SB-1:0] s_hi    = w_first ? w_start : state_q;

    // ((b << shift) | j) mod NUM_STATES
    function [SB-1:0] at;
        input [SB-1:0] b;
        input integer  shift;
        input integer  jj;
        reg   [31:0]   shifted;   // only its low SB bits count
        begin
            shifted = ({{(32-SB){1'b0}}, b} << shift) | jj;
            at      = shifted[SB-1:0];
        end
    endfunction

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

    wire [SB-1:0] s_next;   // the state before the word
    genvar gk;
    generate
        if (R4) begin : walk4
            // Four steps per word: d[k] holds step k's decisions, step 3 the
            // newest. The walk finds x3 (step 3's decision from s_hi), then
            // x2, x1, x0; the state before the word is the low SB bits of
            // {s_hi, x3, x2, x1, x0} and step k's bit is bit k + SB of it.
            // As above, the read stage narrows each step's decisions with
            // all but the four bits the walk finds: 16, 32, 64 and 128 of
            // them (fewer distinct ones when the trellis is smaller). A
            // job's skipped high half (its newest column the low one) holds
            // no steps: its decisions read 0.
            wire [SB-1:0] base = r_first ? (r_start >> 4) : s_hi;
            reg  [15:0]   near3;
            reg  [31:0]   near2;
            reg  [63:0]   near1;
            reg  [127:0]  near0;
            wire [NS-1:0] d0 = mem_rdata[0 +: NS];
            wire [NS-1:0] d1 = mem_rdata[NS +: NS];
            wire [NS-1:0] d2 = mem_rdata[CW +: NS];
            wire [NS-1:0] d3 = mem_rdata[CW+NS +: NS];
            integer j;
            always @(posedge clk) begin
                for (j = 0; j < 16; j = j + 1)
                    near3[j] <= !(r_first && r_skip) && d3[at(base, 4, j)];
                for (j = 0; j < 32; j = j + 1)
                    near2[j] <= !(r_first && r_skip) && d2[at(base, 5, j)];
                for (j = 0; j < 64; j = j + 1)
                    near1[j] <= d1[at(base, 6, j)];
                for (j = 0; j < 128; j = j + 1)
                    near0[j] <= d0[at(base, 7, j)];
            end
            // the four newest bits of s_hi (all of it, zero-extended, when smaller)
            wire [3:0] nb;
            if (SB >= 4) begin : wide
                assign nb = s_hi[3:0];
            end else begin : narrow
                assign nb = {{(4-SB){1'b0}}, s_hi};
            end
            // each step's candidates picked by nb first (known at the
            // clock's start), then by the bits found in this clock, the
            // latest last: one gate per step after x3
            wire          x3 = near3[nb];
            wire [1:0]    c2 = {near2[{nb, 1'b1}], near2[{nb, 1'b0}]};
            wire [3:0]    c1 = {near1[{nb, 2'd3}], near1[{nb, 2'd2}], near1[{nb, 2'd1}],
                                near1[{nb, 2'd0}]};
            wire [7:0]    c0 = {near0[{nb, 3'd7}], near0[{nb, 3'd6}], near0[{nb, 3'd5}],
                                near0[{nb, 3'd4}], near0[{nb, 3'd3}], near0[{nb, 3'd2}],
                                near0[{nb, 3'd1}], near0[{nb, 3'd0}]};
            wire          x2 = c2[x3];
            wire [1:0]    h1 = x3 ? c1[3:2] : c1[1:0];
            wire          x1 = h1[x2];
            wire [3:0]    h0 = x3 ? c0[7:4] : c0[3:0];
            wire [1:0]    q0 = x2 ? h0[3:2] : h0[1:0];
            wire          x0 = q0[x1];
            wire [SB+3:0] path  = {s_hi, x3, x2, x1, x0};
            assign s_next   = path[SB-1:0];
            // each column's frame mark (its newer step), taken a clock later
            wire [1:0] mark4;
            if (STREAM) begin : marked4
                reg [1:0] mark_q;
                always @(posedge clk)
                    mark_q <= {mem_rdata[2*CW-1], mem_rdata[CW-1]};
                assign mark4 = mark_q;
            end else begin : unmarked4
                assign mark4 = 2'b00;
            end
            // BER: re-encode the path (step k's shift register: path[SB+k:k])
            // and count the received symbols of each step that disagree; a
            // column holds {erased of both steps, hard of both steps} above
            // its decisions, the older step's first.
            wire [7:0] miss4;
            if (BER) begin : monitor4
                reg [4*N-1:0] hard, era;
                always @(posedge clk) begin
                    hard <= {mem_rdata[CW+2*NS +: 2*N], mem_rdata[2*NS +: 2*N]};
                    era  <= {mem_rdata[CW+2*NS+2*N +: 2*N], mem_rdata[2*NS+2*N +: 2*N]};
                end
                for (gk = 0; gk < 4; gk = gk + 1) begin : step
                    wire [N-1:0] code;
                    viterbi_encoder #(.K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2))
                        enc (.shift_reg(path[SB+gk:gk]), .code(code));
                    assign miss4[2*gk +: 2] = ones((code ^ hard[gk*N +: N]) & ~era[gk*N +: N]);
                end
            end else begin : no_monitor4
                assign miss4 = 8'd0;
            end
            if (BER && STREAM) begin : marked_counted
                assign ob_wdata = {mark4[1], miss4[7:6], path[SB+3], miss4[5:4], path[SB+2],
                                   mark4[0], miss4[3:2], path[SB+1], miss4[1:0], path[SB]};
            end else if (BER) begin : counted
                assign ob_wdata = {miss4[7:6], path[SB+3], miss4[5:4], path[SB+2],
                                   miss4[3:2], path[SB+1], miss4[1:0], path[SB]};
            end else if (STREAM) begin : marked_bits4
                assign ob_wdata = {mark4[1], path[SB+3:SB+2], mark4[0], path[SB+1:SB]};
            end else begin : bits4
                assign ob_wdata = path[SB+3:SB];
            end
        end else begin : walk2
            // The words of a job follow each other in consecutive clocks, so while
            // the walk is at one word the read stage holds the next, and the state
            // the walk will start that word in is ((s_hi << 2) | {x_hi, x_lo}) mod
            // NUM_STATES: all but its two newest bits are known now. The read stage
            // narrows the word to the decisions the walk can still need: 4 of the
            // newer step, at (base << 2) | j, and 8 of the older one, at
            // (base << 3) | j (j: the bits the walk finds). A job's first word
            // starts in job_state: base is that state without its two low bits.
            // When a job's newest step is the low half (job_skip: a block's flush
            // job, which starts in state 0) the high half holds no step: its
            // decision reads 0, so s_mid stays state 0.
            wire [NS-1:0] d_lo = mem_rdata[0 +: NS];
            wire [NS-1:0] d_hi = mem_rdata[CW +: NS];
            wire [SB-1:0] base = r_first ? (r_start >> 2) : s_hi;
            reg  [3:0]    near_hi;
            reg  [7:0]    near_lo;

            integer j;
            always @(posedge clk) begin
                for (j = 0; j < 4; j = j + 1)
                    near_hi[j] <= !(r_first && r_skip) && d_hi[at(base, 2, j)];
                for (j = 0; j < 8; j = j + 1)
                    near_lo[j] <= d_lo[at(base, 3, j)];
            end

            wire [1:0]    nb    = s_hi[1:0];
            wire          x_hi  = near_hi[nb];
            wire          x_lo  = near_lo[{nb, x_hi}];
            wire [SB-1:0] s_mid = {s_hi[SB-2:0], x_hi};
            wire [SB-1:0] s_lo  = {s_mid[SB-2:0], x_lo};

            assign s_next = s_lo;
            wire bit_hi = s_hi[SB-1];
            wire bit_lo = s_mid[SB-1];

            // Beside the decisions: the read word's hard and erased symbols (BER)
            // and frame marks (STREAM) of each step, taken a clock later.
            localparam XW = CW - NS;
            if (XW > 0) begin : beside
                reg [XW-1:0] sym_hi, sym_lo;
                always @(posedge clk) begin
                    sym_hi <= mem_rdata[CW+NS +: XW];
                    sym_lo <= mem_rdata[NS +: XW];
                end
                if (BER) begin : monitor
                    // Re-encode the path and count the received symbols that disagree.
                    wire [N-1:0] code_hi, code_lo;
                    viterbi_encoder #(.K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2))
                        enc_hi (.shift_reg({s_hi, x_hi}), .code(code_hi));
                    viterbi_encoder #(.K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2))
                        enc_lo (.shift_reg({s_mid, x_lo}), .code(code_lo));
                    wire [N-1:0] miss_hi = (code_hi ^ sym_hi[0 +: N]) & ~sym_hi[N +: N];
                    wire [N-1:0] miss_lo = (code_lo ^ sym_lo[0 +: N]) & ~sym_lo[N +: N];
                    if (STREAM) begin : marked
                        assign ob_wdata = {sym_hi[XW-1], ones(miss_hi), bit_hi,
                                          sym_lo[XW-1], ones(miss_lo), bit_lo};
                    end else begin : unmarked
                        assign ob_wdata = {ones(miss_hi), bit_hi, ones(miss_lo), bit_lo};
                    end
                end else begin : marked_bits
                    assign ob_wdata = {sym_hi[XW-1], bit_hi, sym_lo[XW-1], bit_lo};
                end
            end else begin : bits_only
                assign ob_wdata = {bit_hi, bit_lo};
            end
        end
    endgenerate

    always @(posedge clk) begin
        if (w_valid)
            state_q <= s_next;
    end

    assign ob_we       = w_valid && (w_rel < w_nout);
    assign ob_region   = w_rgn;
    assign ob_addr     = w_rel[SA-1:0];
    assign commit      = w_valid && w_final;
    assign commit_len  = w_len;
    assign commit_last = w_last;
endmodule

`default_nettype wire
