`timescale 1ns/1ns
`default_nettype none

// Bookkeeping of the trellis steps of a block: writes each step's
// decisions into the survivor memory (two steps per word) and hands the
// traceback its jobs.
//
// Steps are grouped in chunks of C = 2 * ceil(TB_LENGTH / 2) steps. When
// chunk c >= 1 is complete, one job traces back from state 0 at its last
// step over chunks c and c-1 and delivers the bits of chunk c-1 (chunk c
// only lets the survivors converge). The last step of a block (terminated,
// so it ends in state 0) starts a flush job from there down to the oldest
// undelivered step; the next block waits until that job has read the
// memory. Every block starts in state 0: its first K-1 steps keep
// predecessor 0 in every state. One job may wait here while another runs;
// a step that would start a third waits.
//
// A continuous stream (STREAM) has no blocks: step_last only marks the
// last step of a frame, stored beside the step's decisions and delivered
// with its bit; nothing is flushed, and only the first K-1 steps after
// reset keep predecessor 0. With BEST a chunk's job starts from the state
// of the smallest path metric at its newest step instead of state 0: the
// path metrics find it K clocks after the step (best), and the job waits
// for it (the chunk, C >= 2K steps, leaves the time). A block's flush job
// starts from state 0, where the terminated block ends.
// go is combinational from registers (two LUT levels: it enables the whole
// add-compare-select array), force0 is a register; jobs come from
// registers or from done, the memory port from registers.
module viterbi_scheduler #(
    parameter K   = 7,              // constraint length
    parameter N   = 2,              // code symbols per step
    parameter NS  = 64,             // states
    parameter TB  = 64,             // traceback length (steps)
    parameter SA  = 6,              // survivor memory: 2^(SA+1) words
    parameter BER = 0,              // store the hard-sliced and erased symbols
    parameter STREAM = 0,           // continuous stream: step_last marks a frame
    parameter BEST = 0,             // chunk jobs start from the best state
    parameter R4  = 0,              // a step is a column of two trellis steps (radix 4)
    parameter MW  = 2 * (NS + (BER ? 2 * N : 0) + STREAM)  // survivor memory word bits
) (
    input  wire              clk,
    input  wire              rst_n,      // synchronous, active low
    // the step offered to the path metrics
    input  wire              step_last,
    input  wire              step_one,   // (R4) the column holds its older step only
    input  wire [N-1:0]      step_hard,  // hard-sliced symbols
    input  wire [N-1:0]      step_era,   // erased symbols
    output wire              go,         // the step may proceed
    output wire              force0,     // among the block's first K-1 steps
    output wire              force1,     // (R4) the column's newer step among them
    // decisions of the completed step
    input  wire              done,       // step completes this clock
    input  wire [NS-1:0]     dec,
    input  wire [K-2:0]      best,       // best state of the step done K clocks before
    // survivor memory write port
    output wire              mem_we,
    output wire [SA:0]       mem_waddr,
    output wire [MW-1:0]     mem_wdata,
    // traceback jobs
    output reg               job_valid,
    input  wire              job_ready,
    input  wire              job_ready_next,  // job_ready after this clock
    output reg  [SA:0]       job_ptop,   // word of the newest step
    output reg  [SA:0]       job_np,     // words to read
    output reg  [SA:0]       job_nout,   // lowest words that deliver bits
    output reg               job_skip,   // newest step is the low half
    output reg  [SA+1:0]     job_len,    // bits delivered
    output reg               job_last,   // ends a block
    output wire [K-2:0]      job_state,  // state at the newest step (0 without BEST)
    input  wire              tb_reading  // traceback still reads memory
);
    localparam P  = (TB + 1) / 2;            // words per chunk
    localparam C  = 2 * P;                   // steps per chunk
    localparam CW = MW / 2;                  // bits per step in a word
    // the same, sized for the registers they go to
    localparam integer  C_I   = C;
    localparam integer  P_I   = P;
    localparam integer  LEN_I = R4 ? 2 * C : C;
    localparam integer  C2_I  = C - 2;
    localparam [SA:0]   C_W   = C_I[SA:0];
    localparam [SA:0]   P_W   = P_I[SA:0];
    localparam [SA:0]   C2_W  = C2_I[SA:0];
    localparam [SA+1:0] C_L   = C_I[SA+1:0];
    localparam [SA+1:0] LEN_L = LEN_I[SA+1:0];
    localparam [3:0] K_1 = K - 1;
    // steps that keep predecessor 0: the first K-1 of a block; with R4 the
    // columns whose older (FA) and newer (FB) step is among them
    localparam integer FA_I = R4 ? K / 2 : K - 1;
    localparam integer FB_I = R4 ? (K - 1) / 2 : K - 1;
    localparam [3:0] FA = FA_I[3:0];
    localparam [3:0] FB = FB_I[3:0];

    reg          odd;        // the next step is the high half of a word
    reg [SA:0]   wp;         // word of the next step
    reg [SA:0]   cic;        // step within its chunk
    reg          cic_end;    // cic == C - 1
    reg          chunk1;     // a whole chunk is behind us
    reg          trig_q;     // cic_end && chunk1: the step ends a chunk that starts a job
    reg          force_q;    // fcnt < FA
    reg          force1_q;   // fcnt < FB
    reg [SA+1:0] ucnt;       // steps since the oldest undelivered one
    reg [3:0]    fcnt;       // steps of the block, saturating at K-1
    reg          flushing;   // block ended; wait for its flush job's reads
    reg [CW-1:0] low_q;      // the low half of the word being filled
    reg          waiting;    // a chunk job waits for its best state
    reg [3:0]    bcnt;       // clocks until it is there
    reg [K-2:0]  state_q;    // the job's start state
    assign job_state = BEST ? state_q : {K-1{1'b0}};

    // the end of a terminated block
    wire blk_last   = STREAM ? 1'b0 : step_last;
    wire trig_chunk = trig_q;
    // go = !flushing && !(trig && busy), busy: a job waits that is not taken
    // this clock, or one waits for its best state. Both parts that do not
    // depend on the step at hand are registers, computed from the next
    // values of the registers they stand for, so go is one gate on four
    // flip-flops (it enables the whole add-compare-select array).
    reg  busy_q;    // (job_valid && !job_ready) || waiting
    reg  stop_q;    // flushing || (trig_chunk && busy)
    wire trig_next = !done ? trig_q : blk_last || cic_end ? 1'b0 : (cic == C2_W) && chunk1;
    wire jv_next   = (done && (blk_last || (trig_chunk && !BEST))) ||
                     (waiting && bcnt == 4'd0) || (job_valid && !job_ready);
    wire wait_next = (done && !blk_last && trig_chunk && BEST) || (waiting && bcnt != 4'd0);
    wire fl_next   = (done && blk_last) || (flushing && (job_valid || tb_reading));
    wire busy_next = (jv_next && !job_ready_next) || wait_next;
    always @(posedge clk) begin
        if (!rst_n) begin
            busy_q <= 1'b0;
            stop_q <= 1'b0;
        end else begin
            busy_q <= busy_next;
            stop_q <= fl_next || (trig_next && busy_next);
        end
    end
    assign go     = !stop_q && !(blk_last && busy_q);
    assign force0 = force_q;
    assign force1 = force1_q;

    wire [CW-1:0] col;
    generate
        if (BER && STREAM) begin : with_symbols_frame
            assign col = {step_last, step_era, step_hard, dec};
        end else if (BER) begin : with_symbols
            assign col = {step_era, step_hard, dec};
        end else if (STREAM) begin : with_frame
            assign col = {step_last, dec};
        end else begin : decisions_only
            assign col = dec;
        end
    endgenerate

    // The memory write runs a clock behind the step: the decisions go from
    // the add-compare-select array into registers first (w_*), so no logic
    // follows the long route to the memory. A job starts its reads two
    // clocks after its last step at the earliest, after that write.
    reg          w_go;       // the step of the clock before to store
    reg          w_odd;
    reg          w_last;
    reg [SA:0]   w_wp;
    reg [CW-1:0] w_col;
    always @(posedge clk) begin
        if (!rst_n)
            w_go <= 1'b0;
        else
            w_go <= done;
        w_odd  <= odd;
        w_last <= blk_last;
        w_wp   <= wp;
        w_col  <= col;
        if (w_go && !w_odd)
            low_q <= w_col;
    end

    assign mem_we    = w_go && (w_odd || w_last);
    assign mem_waddr = w_wp;
    assign mem_wdata = w_odd ? {w_col, low_q} : {w_col, w_col};

    always @(posedge clk) begin
        if (!rst_n) begin
            odd       <= 1'b0;
            wp        <= {SA+1{1'b0}};
            cic       <= {SA+1{1'b0}};
            cic_end   <= 1'b0;
            trig_q    <= 1'b0;
            force_q   <= 1'b1;
            force1_q  <= 1'b1;
            chunk1    <= 1'b0;
            ucnt      <= {SA+2{1'b0}};
            fcnt      <= 4'd0;
            flushing  <= 1'b0;
            job_valid <= 1'b0;
            job_ptop  <= {SA+1{1'b0}};
            job_np    <= {SA+1{1'b0}};
            job_nout  <= {SA+1{1'b0}};
            job_skip  <= 1'b0;
            job_len   <= {SA+2{1'b0}};
            job_last  <= 1'b0;
            state_q   <= {K-1{1'b0}};
            waiting   <= 1'b0;
            bcnt      <= 4'd0;
        end else begin
            if (job_valid && job_ready)
                job_valid <= 1'b0;
            if (waiting) begin
                if (bcnt == 4'd0) begin
                    waiting   <= 1'b0;
                    job_valid <= 1'b1;
                    state_q   <= best;
                end else begin
                    bcnt <= bcnt - 1'b1;
                end
            end
            if (flushing && !job_valid && !tb_reading)
                flushing <= 1'b0;
            if (done) begin
                if (blk_last) begin
                    job_valid <= 1'b1;
                    state_q   <= {K-1{1'b0}};
                    job_ptop  <= wp;
                    job_np    <= ucnt[SA+1:1] + 1'b1;
                    job_nout  <= ucnt[SA+1:1] + 1'b1;
                    job_skip  <= !odd;
                    // bits: with R4 two per column, one in a lone column
                    job_len   <= !R4 ? ucnt + 1'b1
                               : step_one ? {ucnt[SA:0], 1'b1} : {ucnt[SA:0] + 1'b1, 1'b0};
                    job_last  <= 1'b1;
                    flushing  <= 1'b1;
                    odd       <= 1'b0;
                    wp        <= {SA+1{1'b0}};
                    cic       <= {SA+1{1'b0}};
                    cic_end   <= 1'b0;
                    trig_q    <= 1'b0;
                    force_q   <= 1'b1;
                    force1_q  <= 1'b1;
                    chunk1    <= 1'b0;
                    ucnt      <= {SA+2{1'b0}};
                    fcnt      <= 4'd0;
                end else begin
                    if (trig_chunk) begin
                        if (BEST) begin
                            waiting <= 1'b1;
                            bcnt    <= K_1;
                        end else begin
                            job_valid <= 1'b1;
                            state_q   <= {K-1{1'b0}};
                        end
                        job_ptop  <= wp;
                        job_np    <= C_W;
                        job_nout  <= P_W;
                        job_skip  <= 1'b0;
                        job_len   <= LEN_L;
                        job_last  <= 1'b0;
                        ucnt      <= ucnt + 1'b1 - C_L;
                    end else begin
                        ucnt <= ucnt + 1'b1;
                    end
                    odd    <= !odd;
                    if (odd)
                        wp <= wp + 1'b1;
                    if (cic_end) begin
                        cic     <= {SA+1{1'b0}};
                        cic_end <= 1'b0;
                        trig_q  <= 1'b0;
                        chunk1  <= 1'b1;
                    end else begin
                        cic     <= cic + 1'b1;
                        cic_end <= (cic == C2_W);
                        trig_q  <= (cic == C2_W) && chunk1;
                    end
                    if (force0) begin
                        fcnt    <= fcnt + 1'b1;
                        force_q  <= fcnt + 1'b1 < FA;
                        force1_q <= fcnt + 1'b1 < FB;
                    end
                end
            end
        end
    end
endmodule

`default_nettype wire
