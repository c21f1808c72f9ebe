`timescale 1ns/1ns
`default_nettype none

// Reed-Solomon encoder, AXI4-Stream interface, P symbols per beat (symbol 0
// in the low bits of tdata).
//
// Slave side: the k data symbols of each codeword in ceil(k/P) beats, the
// last holding the rest in its low lanes. Framing is by count:
// s_axis_tlast and s_axis_tkeep are not looked at (the lanes above the last
// data symbol are ignored), and the next message starts in a new beat.
// Master side: the n symbols of the codeword as one sequence packed P per
// beat from its first symbol, ceil(n/P) beats; m_axis_tkeep marks the valid
// lanes of the last beat (all ones on the others), m_axis_tlast the last.
//
// The encoder's output goes through the two-beat stream queue. The encoder
// advances on a clock when the queue is not full, a registered decision, so
// neither the enable nor s_axis_tready depends on m_axis_tready through
// logic. With both sides always ready a codeword takes ceil(n/P) clocks,
// codewords back to back; s_axis_tready is low on the ceil(n/P) - ceil(k/P)
// clocks of each codeword that give parity beats only. Latency from a beat
// taken to it at m_axis: 2 clocks with PIPE1 (ipgen --pipeline 1: the
// encoder's output register, the queue), 1 clock without (--pipeline 0: the
// queue registers the encoder's beat).
//
// This top reads the generated rsenc_params.v and rsenc_wide_params.v and
// passes their values down.

`include "rsenc_params.v"
`include "rsenc_wide_params.v"

module rs_encoder_wide_axis #(
    parameter W = `INPUT_DATA_WIDTH,    // bits per symbol
    parameter P = `SYMBOLS_PER_CLOCK    // symbols per beat
) (
    input  wire            aclk,
    input  wire            aresetn,     // synchronous, active low
    // data symbols in
    input  wire [P*W-1:0]  s_axis_tdata,
    input  wire [P-1:0]    s_axis_tkeep,
    input  wire            s_axis_tvalid,
    output wire            s_axis_tready,
    input  wire            s_axis_tlast,
    // codeword symbols out
    output wire [P*W-1:0]  m_axis_tdata,
    output wire [P-1:0]    m_axis_tkeep,
    output wire            m_axis_tvalid,
    input  wire            m_axis_tready,
    output wire            m_axis_tlast
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
`ifdef PIPE1
localparam OUT_REG = 1;
`else
localparam OUT_REG = 0;
`endif

wire            ce;
wire            full;
wire            in_ready;
wire            enc_valid, enc_last;
wire [P*W-1:0]  enc_data;
wire [P-1:0]    enc_keep;
wire            unused_framing = &{1'b0, s_axis_tlast, s_axis_tkeep};   // framing is by count

assign ce            = ~full;
assign s_axis_tready = ce & in_ready;

rs_enc_wide_core #(
    .W       (W),
    .N       (N),
    .K       (K),
    .P       (P),
    .CCSDS   (CCSDS),
    .OUT_REG (OUT_REG)
) core (
    .clk       (aclk),
    .rst_n     (aresetn),
    .ce        (ce),
    .in_valid  (s_axis_tvalid),
    .in_data   (s_axis_tdata),
    .in_ready  (in_ready),
    .out_valid (enc_valid),
    .out_data  (enc_data),
    .out_keep  (enc_keep),
    .out_last  (enc_last)
);

wire       unused_s_ready;
wire [1:0] unused_level;
axis_queue #(
    .WIDTH (P*W + P + 1),
    .DEPTH (2)
) out_queue (
    .aclk      (aclk),
    .aresetn   (aresetn),
    .s_payload ({enc_last, enc_keep, enc_data}),
    .s_valid   (enc_valid),
    .s_ready   (unused_s_ready),
    .m_payload ({m_axis_tlast, m_axis_tkeep, m_axis_tdata}),
    .m_valid   (m_axis_tvalid),
    .m_ready   (m_axis_tready),
    .level     (unused_level),
    .full      (full)
);

endmodule

`default_nettype wire
