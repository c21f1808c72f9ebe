// Reed-Solomon encoder, AXI4-Stream interface.
//
// Slave side: the k data symbols of each codeword, one per beat. Framing is
// by count: the k-th beat after the previous codeword closes the message,
// s_axis_tlast is not looked at (early or late tlast changes nothing).
// Master side: the n symbols of the codeword, the data unchanged and then
// the n-k parity symbols, m_axis_tlast on the n-th.
//
// The encoder's output goes through a two-entry buffer (one clock more
// latency than the native top). The whole encoder pipeline advances on a
// clock when the buffer has space, a registered decision; s_axis_tready is
// high when it advances and a data symbol is due. With both sides always
// ready a codeword takes n clocks: n output beats for k input beats,
// codewords back to back.
`timescale 1ns/1ns

`include "rsenc_params.v"

module rs_encoder_axis (
    input  wire                          aclk,
    input  wire                          aresetn,
    // data symbols in
    input  wire [`INPUT_DATA_WIDTH-1:0]  s_axis_tdata,
    input  wire                          s_axis_tvalid,
    output wire                          s_axis_tready,
    input  wire                          s_axis_tlast,
    // codeword symbols out
    output wire [`INPUT_DATA_WIDTH-1:0]  m_axis_tdata,
    output wire                          m_axis_tvalid,
    input  wire                          m_axis_tready,
    output wire                          m_axis_tlast
);

wire                          ce;
wire                          in_ready;
wire                          enc_valid, enc_last;
wire [`INPUT_DATA_WIDTH-1:0]  enc_data;
wire                          unused_first;
wire                          unused_tlast = s_axis_tlast;   // framing is by count

assign s_axis_tready = ce & in_ready;

rs_encoder_core core (
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

rs_enc_out_buffer out_buffer (
    .clk       (aclk),
    .rst_n     (aresetn),
    .space     (ce),
    .in_valid  (enc_valid),
    .in_data   ({enc_last, enc_data}),
    .out_valid (m_axis_tvalid),
    .out_ready (m_axis_tready),
    .out_data  ({m_axis_tlast, m_axis_tdata})
);

endmodule
