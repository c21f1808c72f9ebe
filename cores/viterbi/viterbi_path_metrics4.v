`timescale 1ns/1ns
`default_nettype none

// The path metrics of all states and the radix-4 add-compare-select array
// that advances them two trellis steps per clock (fully parallel).
//
// State s' after the newer step has the middle states s1(y) = ((s' << 1) |
// y) mod NUM_STATES after the older step and the predecessors ((s' << 2) |
// {y, z}) mod NUM_STATES before it. The older step's branch from
// predecessor {y, z} carries the code word of the shift register
// {s1(y), z}, the newer step's the one of {s', y}. The branch metric sums
// of both steps come precomputed per pair of code words: sums[(wb * NM +
// wa) * SW +: SW] for code word wa in the older step and wb in the newer.
//
// The decisions leave as two radix-2 columns, the ones two radix-2 steps
// would make: dec_b (newer step) of every state, and dec_a (older step) of
// every middle state s1, taken from the unit of state s1 >> 1 (two units
// share each middle state and agree on it). Both columns go to the
// survivor memory like two single steps.
module viterbi_path_metrics4 #(
    parameter K   = 7,              // constraint length
    parameter N   = 2,              // code symbols per step
    parameter GP0 = 7'o171,         // generator polynomials
    parameter GP1 = 7'o133,
    parameter GP2 = 7'o0,
    parameter DW  = 3,              // bits per symbol
    parameter SW  = 5,              // bits of a two-step branch metric sum
    parameter NM  = 1 << N,         // code words
    parameter MW  = NM * NM * SW,   // sums bits
    parameter PM_WIDTH = 8,         // path metric bits asked for
    parameter NS  = 1 << (K - 1),   // states
    parameter BEST = 0              // find the best state (traceback start)
) (
    input  wire             clk,
    input  wire             rst_n,     // synchronous, active low
    input  wire             run,       // advance by the two steps of sums
    input  wire [MW-1:0]    sums,
    input  wire             force_a,   // older step among the block's first K-1
    input  wire             force_b,   // newer step among them, or no step (block end)
    output wire [NS-1:0]    dec_a,     // older step's decisions, valid with run
    output wire [NS-1:0]    dec_b,     // newer step's
    // BEST: the state of the smallest metric after the newer step of the
    // column that completed K clocks before (viterbi_best_state); 0 without
    output wire [K-2:0]     best
);
    localparam SB = K - 1;          // state bits

    function integer bits_for;  // bits to count values 0 .. v
        input integer v;
        begin
            bits_for = 0;
            while ((1 << bits_for) <= v) bits_for = bits_for + 1;
        end
    endfunction
    // Two candidates differ by at most the spread of the metrics (K-1
    // largest branch metrics) and two steps' branch metrics: K+1 in all,
    // below 2^(PMW-1) for the modulo comparison.
    localparam BM_MAX  = N * ((1 << DW) - 1);
    localparam PMW_MIN = bits_for((K + 1) * BM_MAX) + 1;
    localparam PMW     = (PM_WIDTH >= PMW_MIN) ? PM_WIDTH : PMW_MIN;

    reg  [NS*PMW-1:0] pm_q;
    wire [NS*PMW-1:0] pm_next;
    wire [2*NS-1:0]   dec_a_all;    // each unit's two older-step decisions

    genvar u, j;
    generate
        for (u = 0; u < NS; u = u + 1) begin : unit
            wire [4*PMW-1:0] pm;
            wire [4*SW-1:0]  bms;
            for (j = 0; j < 4; j = j + 1) begin : pred
                localparam integer Y     = j / 2;
                localparam integer Z     = j % 2;
                localparam integer MID   = ((u << 1) | Y) % NS;
                localparam integer PRED  = ((u << 2) | j) % NS;
                localparam integer  U_I  = u;
                localparam [SB-1:0] U_S  = U_I[SB-1:0];
                localparam [SB-1:0] MID_S = MID[SB-1:0];
                localparam [0:0]    Y_B  = Y[0:0];
                localparam [0:0]    Z_B  = Z[0:0];
                wire [N-1:0] wa, wb;
                viterbi_encoder #(.K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2))
                    enc_a (.shift_reg({MID_S, Z_B}), .code(wa));
                viterbi_encoder #(.K(K), .N(N), .GP0(GP0), .GP1(GP1), .GP2(GP2))
                    enc_b (.shift_reg({U_S, Y_B}), .code(wb));
                assign pm[j*PMW +: PMW] = pm_q[PRED*PMW +: PMW];
                assign bms[j*SW +: SW]  = sums[({wb, wa} * SW) +: SW];
            end
            viterbi_acs4 #(.PMW(PMW), .SW(SW)) acs (
                .pm(pm), .bms(bms), .force_a(force_a), .force_b(force_b),
                .pm_out(pm_next[u*PMW +: PMW]), .dec_a(dec_a_all[2*u +: 2]),
                .dec_b(dec_b[u]));
        end
        // middle state s1 = (u << 1) | y of the units u < NS/2
        for (u = 0; u < NS / 2; u = u + 1) begin : middle
            assign dec_a[2*u]     = dec_a_all[2*u];
            assign dec_a[2*u + 1] = dec_a_all[2*u + 1];
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

    always @(posedge clk) begin
        if (!rst_n)
            pm_q <= {NS*PMW{1'b0}};
        else if (run)
            pm_q <= pm_next;
    end
endmodule

`default_nettype wire
