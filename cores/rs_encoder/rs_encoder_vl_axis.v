`timescale 1ns/1ns
`default_nettype none

// Reed-Solomon encoder, AXI4-Stream interface, a code length per word: P
// symbols per beat (P = 1 to 32, symbol 0 in the low bits of tdata).
//
// Slave side: a data word of k' symbols, 1 <= k' <= k, ends at the beat with
// s_axis_tlast. Its beats before the last carry P symbols each (tkeep is
// not looked at there); the last carries its symbols in lanes 0 up to the
// highest lane with s_axis_tkeep set (lane 0 when none is set). The next
// word starts in a new beat.
// Master side: the k' data symbols unchanged, then the n-k check symbols of
// the code shortened to k' + n - k symbols, as one sequence packed P per
// beat from its first symbol; m_axis_tkeep marks the valid lanes of the
// codeword's last beat (all ones on the others; the lanes off are 0),
// m_axis_tlast the last beat.
//
// A word longer than k (no tlast by its k-th symbol, that is on its
// ceil(k/P)-th beat, or a tlast beat there with lanes past the k-th symbol)
// is closed at k symbols as a full codeword, and m_axis_tuser is high on
// that codeword's last beat (low on every other beat). The lanes of that
// beat past the k-th symbol are dropped; the beats after it, up to the next
// tlast, are the next word. Nothing else is dropped.
//
// Datapath: the word enters the P-symbol step (the generated rs_enc_step)
// from its first symbol, P per clock. A last beat of B' < P symbols is
// taken into a tail register and finished one lane per clock over P clocks
// (each a one-symbol update around the generated multiplier, or a check
// symbol out of the remainder into the lanes after the data), so such a
// word costs P - 1 clocks more than its beats; the check symbols left after
// that go out P per beat. All registers move only when the output queue has
// room (a registered decision): no combinational path from m_axis_tready to
// an output. Latency: 2 clocks from a beat taken to it at m_axis (the
// output register and the queue) when the beat is not a tail.
//
// This top reads the generated rsenc_params.v and rsenc_wide_params.v.

`include "rsenc_params.v"
`include "rsenc_wide_params.v"

module rs_encoder_vl_axis #(
    parameter W = `INPUT_DATA_WIDTH,    // bits per symbol
    parameter P = `SYMBOLS_PER_CLOCK    // symbols per beat
) (
    input  wire            aclk,
    input  wire            aresetn,     // synchronous, active low
    // data words in
    input  wire [P*W-1:0]  s_axis_tdata,
    input  wire [P-1:0]    s_axis_tkeep,
    input  wire            s_axis_tvalid,
    output wire            s_axis_tready,
    input  wire            s_axis_tlast,
    // codewords out
    output wire [P*W-1:0]  m_axis_tdata,
    output wire [P-1:0]    m_axis_tkeep,
    output wire            m_axis_tvalid,
    input  wire            m_axis_tready,
    output wire            m_axis_tlast,
    output wire            m_axis_tuser // the word was longer than k: closed at k
);

// n and k as W-bit numbers in the parameter file, passed down as integers
localparam [W-1:0] N_BITS = `NUM_TOTAL_SYMBOLS;
localparam [W-1:0] K_BITS = `NUM_DATA_SYMBOLS;
localparam integer N = {{(32-W){1'b0}}, N_BITS};
localparam integer K = {{(32-W){1'b0}}, K_BITS};
`ifdef CCSDS
localparam CCSDS = 1;
`else
localparam CCSDS = 0;
`endif
localparam integer R  = N - K;                  // check symbols
localparam integer BK = (K + P - 1) / P;        // beats of a word of k symbols
localparam integer B  = K - (BK - 1) * P;       // symbols of its last beat
localparam integer CW = 13;                     // counter bits (k, n-k < 4096)
localparam [31:0]   BK_PRE = BK - 2;
// at_limit is set from the beat count one before (modulo 2^CW: never
// reached where it is set at the first beat)
localparam [CW-1:0] PRE_LAST_BEAT = BK_PRE[CW-1:0];
localparam          LIMIT_AT_0 = BK == 1;
localparam [31:0]   R_32 = R;
localparam [CW-1:0] R_COUNT = R_32[CW-1:0];
localparam [31:0]   P_32 = P;
localparam [CW-1:0] P_COUNT = P_32[CW-1:0];
localparam [P-1:0]  B_LANES = {P{1'b1}} >> (P - B);
localparam [P-1:0]  LANE_0  = 1;

generate
    if (CCSDS && W != 8) begin : ccsds_needs_8_bit_symbols
        ccsds_representation_is_defined_for_8_bit_symbols_only error ();
    end
endgenerate

wire ce;
wire full;
assign ce = ~full;

// ---- phases ------------------------------------------------------------------
reg           tail_phase;       // finishing a last beat of fewer than P symbols
reg           parity_phase;     // check symbols out, P per beat
reg  [CW-1:0] beat;             // data beats taken of the word
reg  [CW-1:0] left;             // check symbols not yet given out
reg           over;             // the word was closed at k symbols
wire          data_phase = ~tail_phase & ~parity_phase;
wire          take = ce & data_phase & s_axis_tvalid;

assign s_axis_tready = ce & data_phase;

// The lanes of the beat taken: all P but on a closing beat, there lanes 0 up
// to the highest with tkeep, and at most the B of a word of k symbols.
reg           at_limit;         // this beat holds the k-th symbol of a word
wire [P-1:0]  keep_span;
wire          unused_keep_0 = s_axis_tkeep[0];     // lane 0 is always taken
genvar lane;
generate
    for (lane = 0; lane < P; lane = lane + 1) begin : spans
        if (lane == 0) begin : first
            assign keep_span[lane] = 1'b1;
        end else begin : upper
            assign keep_span[lane] = |s_axis_tkeep[P-1:lane];
        end
    end
endgenerate
wire [P-1:0]  tlast_lanes = s_axis_tlast ? keep_span : {P{1'b1}};
wire [P-1:0]  lanes = at_limit ? tlast_lanes & B_LANES : tlast_lanes;
wire          closing = s_axis_tlast | at_limit;
wire          overlong = at_limit & (~s_axis_tlast | |(tlast_lanes & ~B_LANES));
wire          whole = lanes[P-1];   // every lane a data symbol

// ---- the data in the field's basis -------------------------------------------
wire [P*W-1:0] in_conventional;
generate
    for (lane = 0; lane < P; lane = lane + 1) begin : in_lanes
        if (CCSDS) begin : ccsds
            rs_enc_ccsds_basis #(.TO_DUAL(0)) to_conventional (
                .in  (s_axis_tdata[lane*W +: W]),
                .out (in_conventional[lane*W +: W])
            );
        end else begin : conventional
            assign in_conventional[lane*W +: W] = s_axis_tdata[lane*W +: W];
        end
    end
endgenerate

// ---- remainder -----------------------------------------------------------------
reg  [R*W-1:0] rem;
wire [R*W-1:0] step_out;        // after the P symbols of a whole beat
wire [R*W-1:0] one_out;         // after one symbol of the tail (or a check symbol out)

rs_enc_step step (
    .rem_in  (rem),
    .sym_in  (in_conventional),
    .rem_out (step_out)
);

// The tail: its symbols still to enter (lane 0 next, conventional basis) and
// which of them are data; the output lane it fills next (one-hot).
reg  [P*W-1:0] tail;
reg  [P-1:0]   tail_data;
reg  [P-1:0]   tail_lane;
wire           tail_check = ~tail_data[0] & (left != {CW{1'b0}});

generate
    if (P > 1) begin : tail_update
        wire [W-1:0] feedback = tail_data[0] ? tail[W-1:0] ^ rem[W-1:0] : {W{1'b0}};
        wire [R*W-1:0] products;
        multiplier products_of_feedback (
            .mult_out (products),
            .mult_in  (feedback)
        );
        assign one_out = (rem >> W) ^ products;
    end else begin : no_tail
        assign one_out = {R*W{1'b0}};
        wire unused_tail = &{1'b0, one_out, tail, tail_lane};
    end
endgenerate

// The check symbols left start at slice 0 when the parity beats begin, and
// the register holds still through them: parity beat j takes the window of
// P slices from slice j*P (slices beyond the remainder read as zero). In the
// tail the window is the first (lane 0: slice 0).
localparam integer NW  = (R + P - 1) / P;       // parity beats at most
localparam integer PW  = NW > 1 ? $clog2(NW) : 1;
localparam integer EXT = (NW + 1) * P;          // slices of the windows' span
wire [EXT*W-1:0] rem_ext = {{(EXT-R)*W{1'b0}}, rem};
wire [P*W-1:0]   window;
reg  [PW-1:0]    parity_beat;   // parity beats given of the codeword
generate
    if (NW > 1) begin : windows
        wire [P*W-1:0] span [0:NW-1];
        genvar j;
        for (j = 0; j < NW; j = j + 1) begin : spans
            assign span[j] = rem_ext[j*P*W +: P*W];
        end
        assign window = span[parity_beat];
    end else begin : one_window
        assign window = rem_ext[P*W-1:0];
    end
endgenerate
wire unused_ext = &{1'b0, rem_ext};   // the windows take some of it

// The P slices of the window in the ports' basis: a parity beat's lanes;
// lane 0 is also the check symbol a tail lane takes.
wire [P*W-1:0] parity_lanes;
generate
    for (lane = 0; lane < P; lane = lane + 1) begin : out_lanes
        if (CCSDS) begin : ccsds
            rs_enc_ccsds_basis #(.TO_DUAL(1)) to_dual (
                .in  (window[lane*W +: W]),
                .out (parity_lanes[lane*W +: W])
            );
        end else begin : conventional
            assign parity_lanes[lane*W +: W] = window[lane*W +: W];
        end
    end
endgenerate

// The valid lanes of a parity beat: lane i while more than i check symbols
// are left.
wire [P-1:0] left_lanes;
generate
    for (lane = 0; lane < P; lane = lane + 1) begin : left_spans
        localparam [CW-1:0] LANE = lane;
        assign left_lanes[lane] = left > LANE;
    end
endgenerate
wire          parity_final = left <= P_COUNT;
wire [CW-1:0] left_after_beat = parity_final ? {CW{1'b0}} : left - P_COUNT;
wire [CW-1:0] left_after_lane = tail_check ? left - 1'b1 : left;
wire          tail_final = tail_lane[P-1];

// The data lanes of a tail beat as a bit mask.
wire [P*W-1:0] lane_bits;
generate
    for (lane = 0; lane < P; lane = lane + 1) begin : lane_masks
        assign lane_bits[lane*W +: W] = {W{lanes[lane]}};
    end
endgenerate

// ---- state and the beat out ------------------------------------------------------
reg            out_valid;
reg  [P*W-1:0] out_data;
reg  [P-1:0]   out_keep;
reg            out_last;
reg            out_user;
integer        i;

always @(posedge aclk) begin
    if (!aresetn) begin
        tail_phase   <= 1'b0;
        parity_phase <= 1'b0;
        beat         <= {CW{1'b0}};
        at_limit     <= LIMIT_AT_0;
        parity_beat  <= {PW{1'b0}};
        rem          <= {R*W{1'b0}};
        out_valid    <= 1'b0;
    end else if (ce) begin
        out_valid   <= 1'b0;
        parity_beat <= parity_phase ? parity_beat + 1'b1 : {PW{1'b0}};
        if (take) begin
            beat     <= closing ? {CW{1'b0}} : beat + 1'b1;
            at_limit <= closing ? LIMIT_AT_0 : beat == PRE_LAST_BEAT;
            if (!closing || whole) begin
                rem          <= step_out;
                parity_phase <= closing;
                out_valid    <= 1'b1;
            end else begin
                tail_phase <= 1'b1;
            end
        end else if (tail_phase) begin
            rem <= one_out;
            if (tail_final) begin
                tail_phase   <= 1'b0;
                parity_phase <= left_after_lane != {CW{1'b0}};
                out_valid    <= 1'b1;
            end
        end else if (parity_phase) begin
            if (parity_final)
                rem <= {R*W{1'b0}};
            parity_phase <= ~parity_final;
            out_valid    <= 1'b1;
        end
    end
end

// Meaningful only with their phase or out_valid: no reset.
always @(posedge aclk) begin
    if (ce) begin
        if (take) begin
            out_data <= whole ? s_axis_tdata : s_axis_tdata & lane_bits;
            out_keep <= lanes;
            out_last <= 1'b0;
            out_user <= 1'b0;
            if (closing) begin
                left <= R_COUNT;
                over <= overlong;
            end
            tail      <= in_conventional;
            tail_data <= lanes;
            tail_lane <= LANE_0;
        end else if (tail_phase) begin
            for (i = 0; i < P; i = i + 1) begin
                if (tail_lane[i] && tail_check) begin
                    out_data[i*W +: W] <= parity_lanes[W-1:0];
                    out_keep[i]        <= 1'b1;
                end
            end
            tail      <= tail >> W;
            tail_data <= tail_data >> 1;
            tail_lane <= tail_lane << 1;
            left      <= left_after_lane;
            out_last  <= left_after_lane == {CW{1'b0}};
            out_user  <= left_after_lane == {CW{1'b0}} && over;
        end else if (parity_phase) begin
            out_data <= parity_lanes;
            out_keep <= left_lanes;
            out_last <= parity_final;
            out_user <= parity_final & over;
            left     <= left_after_beat;
        end
    end
end

// ---- output queue ----------------------------------------------------------------
wire       unused_s_ready;
wire [1:0] unused_level;
axis_queue #(
    .WIDTH (P*W + P + 2),
    .DEPTH (2)
) out_queue (
    .aclk      (aclk),
    .aresetn   (aresetn),
    .s_payload ({out_user, out_last, out_keep, out_data}),
    .s_valid   (out_valid),
    .s_ready   (unused_s_ready),
    .m_payload ({m_axis_tuser, m_axis_tlast, m_axis_tkeep, m_axis_tdata}),
    .m_valid   (m_axis_tvalid),
    .m_ready   (m_axis_tready),
    .level     (unused_level),
    .full      (full)
);

endmodule

`default_nettype wire
