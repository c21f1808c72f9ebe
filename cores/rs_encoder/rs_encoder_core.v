// The Reed-Solomon encoder's datapath and pipeline, shared by both tops.
//
//   in_data --> [to conventional] --+--> fb --> rs_enc_remainder --> top
//      |      (CCSDS)               |     (REGISTERED_INPUT:  |
//      |                            |      fb in a register)  v
//      +------------------------------------------------> [select] --> out stages
//                                                   data / [to dual] parity
//
// rs_enc_control says which slot enters on this clock: a data symbol (it
// passes unchanged and feeds the remainder) or a parity slot (slice 0 of the
// remainder goes out, the register shifts). With REGISTERED_INPUT the slot
// waits one stage in a register that also holds its feedback symbol,
// data ^ the remainder's slice 0 as it will be when the slot moves on, so the
// multiplier is fed from a register. PIPE1 puts one register behind the
// select, PIPE2 two. Latency = REGISTERED_INPUT + (PIPE1: 1, PIPE2: 2, none: 0)
// clocks; without any of them the output follows the input combinationally.
//
// Every register moves only when `ce` is high: the whole pipeline stalls
// as one (the AXI top drives ce from its output buffer's space; the native
// top ties it high). A stage whose valid bit is low holds a bubble.
`timescale 1ns/1ns

`include "rsenc_params.v"

module rs_encoder_core (
    input  wire                          clk,
    input  wire                          rst_n,
    input  wire                          ce,
    // input symbols
    input  wire                          in_valid,
    input  wire                          in_start,
    input  wire [`INPUT_DATA_WIDTH-1:0]  in_data,
    output wire                          in_ready,
    // output symbols
    output wire                          out_valid,
    output wire [`INPUT_DATA_WIDTH-1:0]  out_data,
    output wire                          out_first,
    output wire                          out_last
);

localparam W = `INPUT_DATA_WIDTH;

`ifdef CCSDS
generate
    if (W != 8) begin : ccsds_needs_8_bit_symbols
        ccsds_representation_is_defined_for_8_bit_symbols_only error ();
    end
endgenerate
`endif

// ---- slot source -----------------------------------------------------------
wire slot_valid, slot_parity, slot_first, slot_last;

rs_enc_control control (
    .clk         (clk),
    .rst_n       (rst_n),
    .ce          (ce),
    .in_valid    (in_valid),
    .in_start    (in_start),
    .in_ready    (in_ready),
    .slot_valid  (slot_valid),
    .slot_parity (slot_parity),
    .slot_first  (slot_first),
    .slot_last   (slot_last)
);

// The data symbol in the field's conventional basis.
wire [W-1:0] in_conventional;
`ifdef CCSDS
rs_enc_ccsds_basis #(.TO_DUAL(0)) in_to_conventional (
    .in  (in_data),
    .out (in_conventional)
);
`else
assign in_conventional = in_data;
`endif

// ---- remainder stage -------------------------------------------------------
// The slot at the remainder: valid, kind, flags, symbol as it came in, and
// its feedback symbol.
wire         rem_valid, rem_parity, rem_first, rem_last;
wire [W-1:0] rem_data, rem_feedback;
wire [W-1:0] top, top_next;

rs_enc_remainder remainder (
    .clk      (clk),
    .rst_n    (rst_n),
    .shift    (ce & rem_valid),
    .feedback (rem_feedback),
    .top      (top),
    .top_next (top_next)
);

`ifdef REGISTERED_INPUT
reg         ri_valid, ri_parity, ri_first, ri_last;
reg [W-1:0] ri_data, ri_feedback;
// Slice 0 of the remainder when the incoming slot reaches it.
wire [W-1:0] top_then = ri_valid ? top_next : top;

always @(posedge clk or negedge rst_n) begin
    if (!rst_n) begin
        ri_valid    <= 1'b0;
        ri_parity   <= 1'b0;
        ri_first    <= 1'b0;
        ri_last     <= 1'b0;
        ri_data     <= {W{1'b0}};
        ri_feedback <= {W{1'b0}};
    end else if (ce) begin
        ri_valid    <= slot_valid;
        ri_parity   <= slot_parity;
        ri_first    <= slot_first;
        ri_last     <= slot_last;
        ri_data     <= in_data;
        ri_feedback <= slot_parity ? {W{1'b0}} : in_conventional ^ top_then;
    end
end

assign rem_valid    = ri_valid;
assign rem_parity   = ri_parity;
assign rem_first    = ri_first;
assign rem_last     = ri_last;
assign rem_data     = ri_data;
assign rem_feedback = ri_feedback;
`else
assign rem_valid    = slot_valid;
assign rem_parity   = slot_parity;
assign rem_first    = slot_first;
assign rem_last     = slot_last;
assign rem_data     = in_data;
rs_enc_feedback feedback_of_slot (
    .parity   (slot_parity),
    .data     (in_conventional),
    .top      (top),
    .feedback (rem_feedback)
);
wire unused_top_next = &{1'b0, top_next};
`endif

// ---- select ------------------------------------------------------------------
wire [W-1:0] parity_out;
`ifdef CCSDS
rs_enc_ccsds_basis #(.TO_DUAL(1)) parity_to_dual (
    .in  (top),
    .out (parity_out)
);
`else
assign parity_out = top;
`endif

wire [W-1:0] sel_data = rem_parity ? parity_out : rem_data;

// ---- output stages -------------------------------------------------------------
`ifdef PIPE1
localparam OUT_STAGES = 1;
`elsif PIPE2
localparam OUT_STAGES = 2;
`else
localparam OUT_STAGES = 0;
`endif

rs_enc_out_stages #(.STAGES(OUT_STAGES)) out_stages (
    .clk       (clk),
    .rst_n     (rst_n),
    .ce        (ce),
    .in_valid  (rem_valid),
    .in_data   (sel_data),
    .in_first  (rem_first),
    .in_last   (rem_last),
    .out_valid (out_valid),
    .out_data  (out_data),
    .out_first (out_first),
    .out_last  (out_last)
);

endmodule
