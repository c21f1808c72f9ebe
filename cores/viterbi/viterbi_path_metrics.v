`timescale 1ns/1ns
`default_nettype none

// The path metrics of all states and the add-compare-select array that
// updates them once per trellis step.
//
// State s' (K-1 bits) holds the newest input bit in its top bit; its
// predecessors are ((s' << 1) | x) mod NUM_STATES for x = 0, 1, and the
// branch from predecessor x carries the code word of the shift register
// {s', x}. NUM_ACSP units update NUM_ACSP states per clock: fully parallel
// one clock per step, hybrid PROC_CYCLES clocks per step (in clock k the
// units take states k*NUM_ACSP .. k*NUM_ACSP + NUM_ACSP - 1; the new
// metrics collect beside the old ones and replace them at the step's end).
// The decisions (one bit per state: which predecessor survived) leave in
// the step's last clock.
module viterbi_path_metrics #(
    parameter K   = 7,              // constraint length
    parameter N   = 2,              // code symbols per step
    parameter GP0 = 7'o171,         // generator polynomials
    parameter GP1 = 7'o133,
    parameter GP2 = 7'o0,
    parameter DW  = 3,              // bits per symbol
    parameter BW  = 4,              // bits per branch metric
    parameter MW  = (1 << N) * BW,  // metrics bits
    parameter NA  = 64,             // add-compare-select units
    parameter PC  = 1,              // clocks per step: NUM_STATES / NA
    parameter CW  = 1,              // bits of the clock-in-step counter (hybrid index, or 1)
    parameter PM_WIDTH = 8,         // path metric bits asked for
    parameter NS  = 1 << (K - 1),   // states
    parameter BEST = 0              // find the best state (traceback start)
) (
    input  wire           clk,
    input  wire           rst_n,     // synchronous, active low
    // the step being decoded; held while run is high until last_cyc
    input  wire           run,
    input  wire [MW-1:0]  metrics,   // branch metric per code word
    input  wire           force0,    // first K-1 steps of a block
    output wire           last_cyc,  // the step completes this clock
    output wire [NS-1:0]  dec,       // decisions, valid with last_cyc
    // BEST: the state of the smallest metric after the step that completed
    // K clocks before (viterbi_best_state); 0 without BEST
    output wire [K-2:0]   best
);
    localparam SB  = K - 1;          // state bits

    function integer bits_for;  // bits to count values 0 .. v
        input integer v;
        begin
            bits_for = 0;
            while ((1 << bits_for) <= v) bits_for = bits_for + 1;
        end
    endfunction
    // Any two candidates differ by at most K largest branch metrics; the
    // modulo comparison needs that below 2^(PMW-1). PM_WIDTH is enough for
    // nearly every code; the few where it is one bit short get one more.
    localparam BM_MAX = N * ((1 << DW) - 1);
    localparam PMW_MIN = bits_for(K * BM_MAX) + 1;
    localparam PMW = (PM_WIDTH >= PMW_MIN) ? PM_WIDTH : PMW_MIN;

    reg  [CW-1:0]     cyc;          // clock within the step
    reg  [NS*PMW-1:0] pm_q;         // metrics after the last step
    reg  [NS*PMW-1:0] pm_new_q;     // this step's metrics so far (hybrid)
    reg  [NS-1:0]     dec_q;        // this step's decisions so far (hybrid)

    localparam integer LAST_I = PC - 1;
    localparam [CW-1:0] LAST = LAST_I[CW-1:0];
    // Fully parallel, every clock is the step's only one: the counter stays
    // 0 and nothing reads it (no select by a register synthesis cannot
    // prove constant).
    wire [CW-1:0] at = (PC == 1) ? {CW{1'b0}} : cyc;
    assign last_cyc = run && (at == LAST);

    // Per unit: the state it updates this clock, its predecessors' metrics,
    // its two branch metrics.
    wire [NS*PMW-1:0] pm_all;       // each unit's new metric, at every state it serves
    wire [NS-1:0]     dec_all;
    genvar u, k;
    generate
        for (u = 0; u < NA; u = u + 1) begin : unit
            // candidates of every clock of the step, picked by cyc
            wire [PC*SB-1:0] st_k;
            wire [PC*PMW-1:0]   pm0_k, pm1_k;
            for (k = 0; k < PC; k = k + 1) begin : clock
                localparam integer STATE = k * NA + u;
                assign st_k[k*SB +: SB] = STATE[SB-1:0];
                assign pm0_k[k*PMW +: PMW]  = pm_q[(((k * NA + u) * 2) % NS) * PMW +: PMW];
                assign pm1_k[k*PMW +: PMW]  = pm_q[(((k * NA + u) * 2) % NS + 1) * PMW +: PMW];
            end
            wire [SB-1:0]  st  = st_k[at*SB +: SB];
            wire [PMW-1:0] pm0 = pm0_k[at*PMW +: PMW];
            wire [PMW-1:0] pm1 = pm1_k[at*PMW +: PMW];
            // the code word and branch metric of the branch from each
            // predecessor (NUM_BMUP branch units in all)
            wire [N-1:0]  code0, code1;
            viterbi_encoder #(.K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2))
                enc0 (.shift_reg({st, 1'b0}), .code(code0));
            viterbi_encoder #(.K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2))
                enc1 (.shift_reg({st, 1'b1}), .code(code1));
            wire [BW-1:0] bm0 = metrics[code0*BW +: BW];
            wire [BW-1:0] bm1 = metrics[code1*BW +: BW];
            wire [PMW-1:0] pm_out;
            wire           dec_out;
            viterbi_acs #(.PMW(PMW), .BW(BW)) acs (
                .pm0(pm0), .pm1(pm1), .bm0(bm0), .bm1(bm1), .force0(force0),
                .pm_out(pm_out), .dec(dec_out));
            // In clock k this unit updates state k*NUM_ACSP + u. The last
            // clock's decisions go straight out, earlier ones wait in dec_q.
            for (k = 0; k < PC; k = k + 1) begin : merge
                assign pm_all[(k*NA+u)*PMW +: PMW] = pm_out;
                assign dec_all[k*NA+u]             = dec_out;
                if (k == PC - 1) begin : direct
                    assign dec[k*NA+u] = dec_out;
                end else begin : held
                    assign dec[k*NA+u] = dec_q[k*NA+u];
                end
            end
        end
    endgenerate

    generate
        if (BEST) begin : best_state
            viterbi_best_state #(.SB(SB), .PMW(PMW), .NS(NS)) tree (
                .clk(clk), .pm(pm_q), .best(best));
        end else begin : no_best_state
            assign best = {SB{1'b0}};
        end
    endgenerate

    // A state of an earlier clock keeps its new metric in pm_new_q until the
    // step's last clock, when all metrics take their new values at once.
    integer g;
    wire [31:0] cyc32 = {{(32-CW){1'b0}}, at};
    always @(posedge clk) begin
        if (!rst_n) begin
            cyc      <= {CW{1'b0}};
            pm_q     <= {NS*PMW{1'b0}};
            pm_new_q <= {NS*PMW{1'b0}};
            dec_q    <= {NS{1'b0}};
        end else if (run) begin
            for (g = 0; g < NS; g = g + 1) begin
                if (g / NA == PC - 1) begin
                    if (last_cyc)
                        pm_q[g*PMW +: PMW] <= pm_all[g*PMW +: PMW];
                end else begin
                    if (cyc32 == g / NA) begin
                        pm_new_q[g*PMW +: PMW] <= pm_all[g*PMW +: PMW];
                        dec_q[g]               <= dec_all[g];
                    end
                    if (last_cyc)
                        pm_q[g*PMW +: PMW] <= pm_new_q[g*PMW +: PMW];
                end
            end
            if (last_cyc)
                cyc <= {CW{1'b0}};
            else
                cyc <= cyc + 1'b1;
        end
    end
endmodule

`default_nettype wire
