`timescale 1ns/1ns
`default_nettype none

// Turns the received symbol stream into trellis steps: one step carries the
// n code symbols of one decoded bit, each as an unsigned confidence that the
// transmitted bit was 1 (0 = a sure 0, all ones = a sure 1), and a flag per
// symbol that marks it as erased (punctured, or flagged in in_era).
//
// Without puncturing every input beat is one step. With puncturing a beat
// carries one symbol; a pair of patterns (leftmost character = first step
// of the block) says which of the first two code symbols each step of a
// period transmits, the third one (rate 1/3) is always sent. The core may
// hold up to 8 pairs (NSET); in_set on the first beat of a block picks the
// pair of the whole block (an index of NSET or more picks pair 0). A step is complete when its last transmitted
// symbol arrives; in_last completes it at once (the rest of it counts as
// erased) and restarts the pattern for the next block. Signed symbols
// become unsigned by inverting their sign bit; the symbol of an inverted
// output (INVERT bit i) is turned round, 2^DW - 1 - u.
// Without puncturing the module is combinational; with it the step goes
// out in the clock its last symbol comes in (valid/ready both ways).

module viterbi_symbol_input #(
    parameter N         = 2,            // code symbols per step, 2 or 3
    parameter DW        = 3,            // bits per symbol
    parameter SIGNED    = 1,            // symbols are signed (two's complement)
    parameter PUNCTURED = 0,            // one transmitted symbol per beat
    parameter NSET      = 1,            // puncture pattern pairs, 1 to 8
    parameter SETW      = 1,            // bits of in_set
    parameter [NSET*4-1:0]  PERIODS = 4'd1,     // steps of pair k at [k*4 +: 4]
    parameter [NSET*14-1:0] PPS0 = 14'h2000,    // pair k at [k*14 +: 14], first
    parameter [NSET*14-1:0] PPS1 = 14'h2000,    //   step at bit 13 of the field
    parameter [2:0]     INVERT    = 3'b000,     // inverted outputs
    parameter DBW       = N * DW,       // in_data bits: N * DW, or DW punctured
    parameter EN        = PUNCTURED ? 1 : N     // symbols (erasure flags) per beat
) (
    input  wire                clk,
    input  wire                rst_n,       // synchronous, active low
    // received symbols
    input  wire [DBW-1:0]      in_data,
    input  wire [EN-1:0]       in_era,      // the beat's symbols are erased
    input  wire [SETW-1:0]     in_set,      // pattern pair, on a block's first beat
    input  wire                in_valid,
    output wire                in_ready,
    input  wire                in_last,
    // trellis steps
    output wire [N*DW-1:0]     step_sym,
    output wire [N-1:0]        step_era,
    output wire                step_last,
    output wire                step_valid,
    input  wire                step_ready
);
    localparam [DW-1:0] SIGN = SIGNED ? 1 << (DW - 1) : 0;

    // A received symbol as an unsigned confidence of a 1 (inv: its output
    // is inverted).
    function [DW-1:0] to_unsigned;
        input [DW-1:0] d;
        input          inv;
        begin
            to_unsigned = d ^ SIGN ^ {DW{inv}};
        end
    endfunction

    localparam NT = 1 << SETW;    // table rows: every value of in_set
    // Puncture tables. Is code symbol i of the step at phase ph of pair k
    // transmitted? (No phase beyond 13 is ever reached.)
    function sent;
        input integer k;
        input integer ph;
        input integer i;
        begin
            if (ph > 13)
                sent = 1'b0;
            else if (i == 0)
                sent = PPS0[k * 14 + 13 - ph];
            else if (i == 1)
                sent = PPS1[k * 14 + 13 - ph];
            else
                sent = 1'b1;
        end
    endfunction

    // The phase after ph in pair k's period.
    function integer phase_on;
        input integer k;
        input integer ph;
        integer per, t;
        begin
            per = 0;
            for (t = 0; t < 4; t = t + 1)
                if (PERIODS[k * 4 + t]) per = per + (1 << t);
            phase_on = ph == per - 1 ? 0 : (ph + 1) % 16;
        end
    endfunction

    // The entry of state (pair k, phase ph, slot sl): {another sent
    // slot after the one filled, a slot to fill, the slot to fill}.
    function [3:0] entry;
        input integer k;
        input integer ph;
        input integer sl;
        integer i;
        begin
            entry = 4'b0000;
            for (i = N - 1; i >= 0; i = i - 1) begin
                if (i >= sl && sent(k, ph, i)) begin
                    if (entry[2]) entry[3] = 1'b1;
                    entry[2]   = 1'b1;
                    entry[0]   = (i % 2) == 1;
                    entry[1]   = (i / 2) == 1;
                end
            end
        end
    endfunction

    // FIRST[v]: a block's first beat with in_set v. STEP[k, ph]: the
    // state after a step at phase ph. FILL[k, ph, f]: after a beat that
    // fills slot f without completing the step. NEXT[k, ph]: the phase
    // after ph.
    function [NT*4-1:0] first_table;
        input integer unused;
        integer v;
        begin
            first_table = {NT*4{1'b0}};
            for (v = 0; v < NT; v = v + 1)
                first_table[v * 4 +: 4] = entry(v < NSET ? v : 0, 0, 0 * unused);
        end
    endfunction
    function [NT*16*4-1:0] step_table;
        input integer next;     // 1: the next phase, 0: the entry at slot 0
        integer k, ph, t;
        begin
            step_table = {NT*16*4{1'b0}};
            for (k = 0; k < NSET; k = k + 1)
                for (ph = 0; ph < 16; ph = ph + 1)
                    if (next == 1) begin
                        for (t = 0; t < 4; t = t + 1)
                            step_table[(k * 16 + ph) * 4 + t] = ((phase_on(k, ph) >> t) & 1) == 1;
                    end else begin
                        step_table[(k * 16 + ph) * 4 +: 4] = entry(k, phase_on(k, ph), 0);
                    end
        end
    endfunction
    function [NT*64*4-1:0] fill_table;
        input integer unused;
        integer k, ph, f;
        begin
            fill_table = {NT*64*4{1'b0}};
            for (k = 0; k < NSET; k = k + 1)
                for (ph = 0; ph < 16; ph = ph + 1)
                    for (f = 0; f < 4; f = f + 1)
                        fill_table[((k * 16 + ph) * 4 + f) * 4 +: 4] =
                            entry(k, ph, f + 1 + 0 * unused);
        end
    endfunction
    localparam [NT*4-1:0]    FIRST = first_table(0);
    localparam [NT*16*4-1:0] STEP  = step_table(0);
    localparam [NT*16*4-1:0] NEXT  = step_table(1);
    localparam [NT*64*4-1:0] FILL  = fill_table(0);

    generate
    if (PUNCTURED) begin : punctured
        // Which slot a beat fills comes from tables of constants: on a
        // block's first beat (phase 0, slot 0) by in_set alone, on the
        // others from a register loaded with the next state's entry when a
        // beat or a step is taken, so no pattern or period logic runs in
        // front of the branch metrics.
        reg [3:0]        phase;   // step of the puncture period
        reg [N*DW-1:0]   sym_q;
        reg [N-1:0]      era_q;
        reg              first;   // the next beat is a block's first
        reg [SETW-1:0]   set_q;   // pattern pair of the block
        reg [3:0]        look_q;  // the state's table entry (not on a first beat)

        // An index beyond the pairs picks pair 0. Phase 0 of every pair
        // sends a symbol, so a stale in_set without in_valid makes no step.
        localparam [SETW:0] PAIRS = NSET;
        wire [SETW-1:0] set = !first ? set_q : ({1'b0, in_set} < PAIRS) ? in_set : {SETW{1'b0}};

        wire [3:0]      look       = first ? FIRST[in_set * 4 +: 4] : look_q;
        wire            more_after = look[3];
        wire            have_slot  = look[2];
        wire [1:0]      fill       = look[1:0];
        wire [SETW+3:0] at         = {set, phase};

        wire completes = !more_after || in_last;

        reg [N*DW-1:0] sym_in;
        reg [N-1:0]    era_in;
        integer j;
        always @* begin
            sym_in = sym_q;
            era_in = era_q;
            for (j = 0; j < N; j = j + 1) begin
                if (have_slot && fill == j[1:0]) begin
                    sym_in[j*DW +: DW] = to_unsigned(in_data[DW-1:0], INVERT[j]);
                    era_in[j]          = in_era[0];
                end
            end
        end

        assign step_sym   = sym_in;
        assign step_era   = era_in;
        assign step_last  = have_slot ? in_last : 1'b0;
        assign step_valid = have_slot ? (in_valid && completes) : 1'b1;
        assign in_ready   = have_slot && (!completes || step_ready);

        wire step_done = step_valid && step_ready;
        wire beat      = in_valid && in_ready;

        always @(posedge clk) begin
            if (!rst_n) begin
                phase  <= 4'd0;
                sym_q  <= {N*DW{1'b0}};
                era_q  <= {N{1'b1}};
                first  <= 1'b1;
                set_q  <= {SETW{1'b0}};
                look_q <= 4'd0;
            end else begin
                if (beat) begin
                    first <= 1'b0;
                    set_q <= set;
                end
                if (step_done) begin
                    sym_q  <= {N*DW{1'b0}};
                    era_q  <= {N{1'b1}};
                    look_q <= STEP[at * 4 +: 4];
                    if (step_last) begin
                        phase <= 4'd0;
                        first <= 1'b1;
                    end else begin
                        phase <= NEXT[at * 4 +: 4];
                    end
                end else if (beat) begin
                    sym_q  <= sym_in;
                    era_q  <= era_in;
                    look_q <= FILL[{at, fill} * 4 +: 4];
                end
            end
        end
    end else begin : every_beat_a_step
        genvar g;
        for (g = 0; g < N; g = g + 1) begin : conv
            assign step_sym[g*DW +: DW] = to_unsigned(in_data[g*DW +: DW], INVERT[g]);
        end
        assign step_era   = in_era;
        assign step_last  = in_last;
        assign step_valid = in_valid;
        assign in_ready   = step_ready;
    end
    endgenerate
endmodule

`default_nettype wire
