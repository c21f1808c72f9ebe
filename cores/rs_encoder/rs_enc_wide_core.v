`timescale 1ns/1ns
`default_nettype none

// The Reed-Solomon encoder taking P symbols per clock: the codeword's n
// symbols as one sequence packed P per beat from its first symbol, symbol 0
// of a beat in the low bits. The data word is ceil(k/P) beats (its last beat
// holds B = k - (ceil(k/P) - 1) * P symbols in the low lanes); the codeword
// is ceil(n/P) beats. Where B < P, the codeword's beat of the last data
// symbols carries the first P - B parity symbols in its upper lanes.
//
// The generated rs_enc_step gives the remainder after P symbols in one
// clock. The message enters it aligned to its end: the first beat feeds
// P - B zero symbols (which leave the remainder zero) and its first B
// symbols, the next beats the P - B symbols carried from the beat before
// and the first B of their own, so the last data beat completes a step.
//
// One slot per clock: ceil(k/P) data slots (a data beat is taken), then
// parity slots (the next P slices of the remainder go out: a window of the
// register, which holds still; it is cleared with the last slot, no
// clearing clock). With OUT_REG = 1 the output register follows the slot
// (latency 1); with OUT_REG = 0 the beat of the slot goes out
// combinationally (latency 0: the AXI top's output queue registers it).
// Every register moves only with `ce` (the AXI top's queue has room). With ce and data
// always there, one beat out per clock: ceil(n/P) clocks per codeword,
// codewords back to back.
module rs_enc_wide_core #(
    parameter W         = 8,    // bits per symbol
    parameter integer N = 255,  // symbols per codeword
    parameter integer K = 239,  // data symbols per codeword
    parameter integer P = 4,    // symbols per beat, 2 to 32
    parameter CCSDS     = 0,    // symbols at the ports in the CCSDS dual basis (W = 8)
    parameter OUT_REG   = 1     // 1: the output beat from a register; 0: combinational
) (
    input  wire            clk,
    input  wire            rst_n,      // synchronous, active low
    input  wire            ce,
    input  wire            in_valid,
    input  wire [P*W-1:0]  in_data,
    output wire            in_ready,   // a data slot: a beat offered is taken with ce
    output wire            out_valid,
    output wire [P*W-1:0]  out_data,
    output wire [P-1:0]    out_keep,
    output wire            out_last
);

localparam integer R  = N - K;                  // parity symbols
localparam integer BK = (K + P - 1) / P;        // data beats
localparam integer BN = (N + P - 1) / P;        // codeword beats
localparam integer B  = K - (BK - 1) * P;       // data symbols of the last data beat
localparam integer Z  = P - B;                  // symbols carried between data beats
localparam integer NL = N - (BN - 1) * P;       // symbols of the codeword's last beat
localparam integer CW = $clog2(BN + 1);         // slot counter bits
// The flags of the next slot are set from the counts one before (modulo
// 2^CW: never reached where the flag is set at slot 0).
localparam [31:0]   BK_PRE = BK - 2;
localparam [31:0]   BN_PRE = BN - 2;
localparam [CW-1:0] PRE_LAST_DATA = BK_PRE[CW-1:0];
localparam [CW-1:0] PRE_LAST_SLOT = BN_PRE[CW-1:0];
localparam          LAST_DATA_AT_0 = BK == 1;
localparam          LAST_SLOT_AT_0 = BN == 1;
localparam [P-1:0]  KEEP_LAST = {P{1'b1}} >> (P - NL);

generate
    if (CCSDS && W != 8) begin : ccsds_needs_8_bit_symbols
        ccsds_representation_is_defined_for_8_bit_symbols_only error ();
    end
endgenerate

// ---- slots -------------------------------------------------------------------
// The counter and the flags of the slot now, in registers: no comparator in
// front of the datapath.
reg  [CW-1:0] slot;
reg           data_slot;    // slot < ceil(k/P)
reg           last_data;    // slot == ceil(k/P) - 1
reg           final_slot;   // slot == ceil(n/P) - 1
wire          advance = ce & (~data_slot | in_valid);

assign in_ready = data_slot;

always @(posedge clk) begin
    if (!rst_n || (advance && final_slot)) begin
        slot       <= {CW{1'b0}};
        data_slot  <= 1'b1;
        last_data  <= LAST_DATA_AT_0;
        final_slot <= LAST_SLOT_AT_0;
    end else if (advance) begin
        slot       <= slot + 1'b1;
        data_slot  <= data_slot & ~last_data;
        last_data  <= slot == PRE_LAST_DATA;
        final_slot <= slot == PRE_LAST_SLOT;
    end
end

// ---- the data in the field's basis -------------------------------------------
wire [P*W-1:0] in_conventional;
genvar lane;
generate
    for (lane = 0; lane < P; lane = lane + 1) begin : in_lanes
        if (CCSDS) begin : ccsds
            rs_enc_ccsds_basis #(.TO_DUAL(0)) to_conventional (
                .in  (in_data[lane*W +: W]),
                .out (in_conventional[lane*W +: W])
            );
        end else begin : conventional
            assign in_conventional[lane*W +: W] = in_data[lane*W +: W];
        end
    end
endgenerate

// ---- step input: Z carried (or leading zero) symbols, then B of this beat ----
wire [P*W-1:0] step_symbols;
generate
    if (Z > 0) begin : aligned
        // Zero at a word's first beat: cleared by reset and with the last
        // data beat.
        reg [Z*W-1:0] carry;
        always @(posedge clk) begin
            if (!rst_n || (advance && last_data))
                carry <= {Z*W{1'b0}};
            else if (advance && data_slot)
                carry <= in_conventional[P*W-1 -: Z*W];
        end
        assign step_symbols = {in_conventional[B*W-1:0], carry};
    end else begin : whole
        assign step_symbols = in_conventional;
    end
endgenerate

// ---- remainder -------------------------------------------------------------------
reg  [R*W-1:0] rem;
wire [R*W-1:0] step_out;

rs_enc_step step (
    .rem_in  (rem),
    .sym_in  (step_symbols),
    .rem_out (step_out)
);

// The last data beat loads the step's result, and the register holds it
// through the parity slots: its first Z slices go out with that beat,
// parity slot j gives the P slices from slice Z + j*P on (a window chosen
// by a small counter: no shifting of the register). It is cleared with the
// last slot, so the next codeword starts from zero.
localparam integer NPB = BN - BK;               // parity slots
localparam integer PW  = NPB > 1 ? $clog2(NPB) : 1;
localparam integer EXT = Z + (NPB + 1) * P;     // slices of the windows' span
wire [EXT*W-1:0]     rem_ext  = {{(EXT-R)*W{1'b0}}, rem};
wire [(R+P)*W-1:0]   step_ext = {{P*W{1'b0}}, step_out};
wire unused_ext = &{1'b0, step_ext[(R+P)*W-1:P*W], rem_ext};   // the windows take some of it

always @(posedge clk) begin
    if (!rst_n || (advance && final_slot))
        rem <= {R*W{1'b0}};
    else if (advance && data_slot)
        rem <= step_out;
end

// The window of the parity slot now.
wire [P*W-1:0] window;
generate
    if (NPB > 1) begin : windows
        reg  [PW-1:0]  parity_slot;
        wire [P*W-1:0] span [0:NPB-1];
        genvar j;
        for (j = 0; j < NPB; j = j + 1) begin : spans
            assign span[j] = rem_ext[(Z + j*P)*W +: P*W];
        end
        always @(posedge clk) begin
            if (!rst_n)
                parity_slot <= {PW{1'b0}};
            else if (advance)
                parity_slot <= data_slot ? {PW{1'b0}} : parity_slot + 1'b1;
        end
        assign window = span[parity_slot];
    end else begin : one_window
        assign window = rem_ext[Z*W +: P*W];
    end
endgenerate

// ---- the beat out ----------------------------------------------------------------
// The parity lanes: the window (parity slot) or the step's result (the last
// data beat, lanes B and up).
wire [P*W-1:0] parity_conventional = data_slot ? step_ext[P*W-1:0] << (B*W) : window;
wire [P*W-1:0] parity_lanes;
generate
    for (lane = 0; lane < P; lane = lane + 1) begin : out_lanes
        if (CCSDS) begin : ccsds
            rs_enc_ccsds_basis #(.TO_DUAL(1)) to_dual (
                .in  (parity_conventional[lane*W +: W]),
                .out (parity_lanes[lane*W +: W])
            );
        end else begin : conventional
            assign parity_lanes[lane*W +: W] = parity_conventional[lane*W +: W];
        end
    end
endgenerate

wire [P*W-1:0] data_mask = ~data_slot ? {P*W{1'b0}}
                         : last_data  ? {P*W{1'b1}} >> (Z*W)
                         :              {P*W{1'b1}};

wire [P*W-1:0] beat_data = (in_data & data_mask) | (parity_lanes & ~data_mask);
wire [P-1:0]   beat_keep = final_slot ? KEEP_LAST : {P{1'b1}};

generate
    if (OUT_REG != 0) begin : registered
        reg           valid_q;
        reg [P*W-1:0] data_q;
        reg [P-1:0]   keep_q;
        reg           last_q;

        always @(posedge clk) begin
            if (!rst_n)
                valid_q <= 1'b0;
            else if (ce)
                valid_q <= advance;
        end

        // Meaningful only with out_valid: no reset.
        always @(posedge clk) begin
            if (advance) begin
                data_q <= beat_data;
                keep_q <= beat_keep;
                last_q <= final_slot;
            end
        end

        assign out_valid = valid_q;
        assign out_data  = data_q;
        assign out_keep  = keep_q;
        assign out_last  = last_q;
    end else begin : combinational
        // The beat of the slot: the AXI top's output queue registers it.
        assign out_valid = advance;
        assign out_data  = beat_data;
        assign out_keep  = beat_keep;
        assign out_last  = final_slot;
    end
endgenerate

endmodule

`default_nettype wire
