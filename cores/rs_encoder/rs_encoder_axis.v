`timescale 1ns/1ns
`default_nettype none

// Reed-Solomon encoder, AXI4-Stream interface.
//
// Slave side: the k data symbols of each codeword, one per beat. Framing is
// by count: the k-th beat after the previous codeword closes the message,
// s_axis_tlast is not looked at (early or late tlast changes nothing).
// Master side: the n symbols of the codeword, the data unchanged and then
// the n-k parity symbols, m_axis_tlast on the n-th.
//
// The encoder's output goes through the two-beat stream queue (one clock
// more latency than the native top). The whole encoder pipeline advances on
// a clock when the queue is not full, a registered decision, so neither the
// enable nor s_axis_tready depends on m_axis_tready through logic;
// s_axis_tready is high when the pipeline advances and a data symbol is
// due. With both sides always ready a codeword takes n clocks: n output
// beats for k input beats, codewords back to back.
//
// This top reads the generated rsenc_params.v and passes its values down.

`include "rsenc_params.v"

module rs_encoder_axis #(
    parameter W = `INPUT_DATA_WIDTH     // bits per symbol
) (
    input  wire          aclk,
    input  wire          aresetn,       // synchronous, active low
    // data symbols in
    input  wire [W-1:0]  s_axis_tdata,
    input  wire          s_axis_tvalid,
    output wire          s_axis_tready,
    input  wire          s_axis_tlast,
    // codeword symbols out
    output wire [W-1:0]  m_axis_tdata,
    output wire          m_axis_tvalid,
    input  wire          m_axis_tready,
    output wire          m_axis_tlast
);

// n and k as W-bit numbers in the parameter file, passed down as integers
localparam [W-1:0] N_BITS = `NUM_TOTAL_SYMBOLS;
localparam [W-1:0] K_BITS = `NUM_DATA_SYMBOLS;
localparam integer N = {{(32-W){1'b0}}, N_BITS};
localparam integer K = {{(32-W){1'b0}}, K_BITS};
`ifdef CONTINUOUS
localparam CONTINUOUS = 1;
`else
localparam CONTINUOUS = 0;
`endif
`ifdef CCSDS
localparam CCSDS = 1;
`else
localparam CCSDS = 0;
`endif
`ifdef REGISTERED_INPUT
localparam REGISTERED_INPUT = 1;
`else
localparam REGISTERED_INPUT = 0;
`endif
`ifdef PIPE1
localparam OUT_STAGES = 1;
`elsif PIPE2
localparam OUT_STAGES = 2;
`else
localparam OUT_STAGES = 0;
`endif

wire          ce;
wire          full;
wire          in_ready;
wire          enc_valid, enc_last;
wire [W-1:0]  enc_data;
wire          unused_first;
wire          unused_tlast = s_axis_tlast;   // framing is by count

assign ce            = ~full;
assign s_axis_tready = ce & in_ready;

rs_encoder_core #(
    .W                (W),
    .N                (N),
    .K                (K),
    .CONTINUOUS       (CONTINUOUS),
    .CCSDS            (CCSDS),
    .REGISTERED_INPUT (REGISTERED_INPUT),
    .OUT_STAGES       (OUT_STAGES)
) core (
    .clk       (aclk),
    .rst_n     (aresetn),
    .ce        (ce),
    .in_valid  (s_axis_tvalid),
    // every codeword begins with the first beat after the previous one
    .in_start  (1'b1),
    .in_data   (s_axis_tdata),
    .in_ready  (in_ready),
    .out_valid (enc_valid),
    .out_data  (enc_data),
    .out_first (unused_first),
    .out_last  (enc_last)
);

// A symbol is pushed in the clock the pipeline advances (not full, which is
// also the queue's s_ready).
wire       unused_s_ready;
wire [1:0] unused_level;
axis_queue #(
    .WIDTH (W + 1),
    .DEPTH (2)
) out_queue (
    .aclk      (aclk),
    .aresetn   (aresetn),
    .s_payload ({enc_last, enc_data}),
    .s_valid   (enc_valid),
    .s_ready   (unused_s_ready),
    .m_payload ({m_axis_tlast, m_axis_tdata}),
    .m_valid   (m_axis_tvalid),
    .m_ready   (m_axis_tready),
    .level     (unused_level),
    .full      (full)
);

endmodule

`default_nettype wire
