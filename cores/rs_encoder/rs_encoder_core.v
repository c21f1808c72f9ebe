`timescale 1ns/1ns
`default_nettype none

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
// multiplier is fed from a register. OUT_STAGES registers follow the
// select. Latency = REGISTERED_INPUT + OUT_STAGES clocks; with neither the
// output follows the input combinationally.
//
// Every register moves only when `ce` is high: the whole pipeline stalls
// as one (the AXI top drives ce from its output queue's room; the native
// top ties it high). A stage whose valid bit is low holds a bubble.
module rs_encoder_core #(
    parameter W                = 8,     // bits per symbol
    parameter integer N        = 255,   // symbols per codeword
    parameter integer K        = 239,   // data symbols per codeword
    parameter CONTINUOUS       = 1,     // codewords framed by count alone
    parameter CCSDS            = 0,     // symbols at the ports in the CCSDS dual basis (W = 8)
    parameter REGISTERED_INPUT = 0,     // the slot waits one stage before the remainder
    parameter OUT_STAGES       = 1      // registers behind the select: 0, 1 or 2
) (
    input  wire          clk,
    input  wire          rst_n,         // synchronous, active low
    input  wire          ce,
    // input symbols
    input  wire          in_valid,
    input  wire          in_start,
    input  wire [W-1:0]  in_data,
    output wire          in_ready,
    // output symbols
    output wire          out_valid,
    output wire [W-1:0]  out_data,
    output wire          out_first,
    output wire          out_last
);

localparam R = (N - K) * W;             // remainder bits

generate
    if (CCSDS && W != 8) begin : ccsds_needs_8_bit_symbols
        ccsds_representation_is_defined_for_8_bit_symbols_only error ();
    end
endgenerate

// ---- slot source -----------------------------------------------------------
wire slot_valid, slot_parity, slot_first, slot_last;

rs_enc_control #(
    .W          (W),
    .N          (N),
    .K          (K),
    .CONTINUOUS (CONTINUOUS)
) control (
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

// The data symbol in the field's conventional basis, and the parity symbol
// at the remainder's slice 0 in the ports' basis.
wire [W-1:0] in_conventional;
wire [W-1:0] top, top_next;
wire [W-1:0] parity_out;
generate
    if (CCSDS) begin : ccsds
        rs_enc_ccsds_basis #(.TO_DUAL(0)) in_to_conventional (
            .in  (in_data),
            .out (in_conventional)
        );
        rs_enc_ccsds_basis #(.TO_DUAL(1)) parity_to_dual (
            .in  (top),
            .out (parity_out)
        );
    end else begin : conventional
        assign in_conventional = in_data;
        assign parity_out      = top;
    end
endgenerate

// ---- remainder stage -------------------------------------------------------
// The slot at the remainder: valid, kind, flags, symbol as it came in, and
// its feedback symbol.
wire         rem_valid, rem_parity, rem_first, rem_last;
wire [W-1:0] rem_data, rem_feedback;

rs_enc_remainder #(
    .W (W),
    .R (R)
) remainder (
    .clk      (clk),
    .rst_n    (rst_n),
    .shift    (ce & rem_valid),
    .feedback (rem_feedback),
    .top      (top),
    .top_next (top_next)
);

generate
    if (REGISTERED_INPUT) begin : registered_input
        reg         ri_valid;
        reg         ri_parity, ri_first, ri_last;
        reg [W-1:0] ri_data, ri_feedback;
        // Slice 0 of the remainder when the incoming slot reaches it.
        wire [W-1:0] top_then = ri_valid ? top_next : top;

        always @(posedge clk) begin
            if (!rst_n)
                ri_valid <= 1'b0;
            else if (ce)
                ri_valid <= slot_valid;
        end
        // Meaningful only with ri_valid: no reset.
        always @(posedge clk) begin
            if (ce) begin
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
    end else begin : direct_input
        assign rem_valid    = slot_valid;
        assign rem_parity   = slot_parity;
        assign rem_first    = slot_first;
        assign rem_last     = slot_last;
        assign rem_data     = in_data;
        rs_enc_feedback #(.W(W)) feedback_of_slot (
            .parity   (slot_parity),
            .data     (in_conventional),
            .top      (top),
            .feedback (rem_feedback)
        );
        wire unused_top_next = &{1'b0, top_next};
    end
endgenerate

// ---- select ------------------------------------------------------------------
wire [W-1:0] sel_data = rem_parity ? parity_out : rem_data;

// ---- output stages -------------------------------------------------------------
rs_enc_out_stages #(
    .W      (W),
    .STAGES (OUT_STAGES)
) out_stages (
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

`default_nettype wire
