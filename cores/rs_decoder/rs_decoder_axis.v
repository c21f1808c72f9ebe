`timescale 1ns/1ns
`default_nettype none
// Reed-Solomon decoder, AXI4-Stream top.
//
// s_axis: one received symbol per beat, tuser high when it is erased
// (ignored without erasure decoding), tlast expected with the n-th symbol
// of a word (words are counted, n beats each; tlast is not checked).
// m_axis: one decoded symbol per beat, tlast with the n-th; tuser bit 0 is
// the word's decoding failure (the beats are then the received symbols),
// tuser bits CNTJWIDTH..1 the number of symbols the decoder changed in the
// word, the same on every beat of the word.
//
// The core runs while the two-beat output queue (axis_queue) has room: its
// registered full is the clock enable of the whole core, input included,
// so a sink holding m_axis_tready low stops everything and nothing is
// lost. aresetn: active low, synchronous (corrgen's modules clear at once);
// hold it low for at least one rising edge of aclk.
//
// This top and rs_decoder are the only modules that read the defines;
// they pass them down as parameters.
module rs_decoder_axis (
   input  wire                          aclk,
   input  wire                          aresetn,
   // received symbols
   input  wire [`INPUT_DATA_WIDTH-1:0]  s_axis_tdata,
   input  wire                          s_axis_tuser,
   input  wire                          s_axis_tvalid,
   output wire                          s_axis_tready,
   input  wire                          s_axis_tlast,
   // decoded symbols
   output wire [`INPUT_DATA_WIDTH-1:0]  m_axis_tdata,
   output wire                          m_axis_tvalid,
   input  wire                          m_axis_tready,
   output wire                          m_axis_tlast,
   output wire [`CNTJWIDTH:0]           m_axis_tuser
);

// The core's parameters from corrgen's defines (corrgen_params.v) and the
// solver chosen by ipgen (rs_decoder_solver.v: RS_DECODER_PARALLEL_SOLVER,
// with RS_DECODER_TWO_CLOCK_STEPS where a word leaves room for two clocks
// per step; without it the serial solver, which decodes every code, its
// words waiting where the code is shorter than the solver's time).
localparam M    = `INPUT_DATA_WIDTH;
localparam N    = `NUM_TOTAL_SYMBOLS;
localparam R    = `NUM_CHKSYMBS;
localparam T    = `TPLUSMAXROBY2;
localparam CNTW = `CNTJWIDTH;
localparam SW   = `SYNDSELWIDTH;
localparam EMAX = `MAX_NUM_ERSRS;
`ifdef ERASURE
localparam ERASURE = 1;
`else
localparam ERASURE = 0;
`endif
`ifdef CCSDS
localparam CCSDS = 1;
`else
localparam CCSDS = 0;
`endif
`ifdef RS_DECODER_PARALLEL_SOLVER
localparam PARALLEL = 1;
`else
localparam PARALLEL = 0;
`endif
`ifdef RS_DECODER_TWO_CLOCK_STEPS
localparam TWO = 1;
`else
localparam TWO = 0;
`endif

localparam BW = M + 1 + CNTW + 1;         // a queued beat: tuser, tlast, tdata

wire            unused_tlast = s_axis_tlast;
wire            full;                     // the queue's, registered: ce reaches every register
wire            ce = ~full;
wire            in_ready;
wire            in_mid;
wire            out_valid;
wire            out_first;
wire            out_last;
wire [M-1:0]    dout;
wire [M-1:0]    dout_rx;
wire            out_fail;
wire [CNTW-1:0] out_cnt;
wire [CNTW:0]   out_ers;
wire [BW-1:0]   beat = {out_cnt, out_fail, out_last, dout};
wire [BW-1:0]   head;
wire            q_ready;
wire [1:0]      q_level;

assign s_axis_tready = ce & in_ready;

rs_decoder_core #(
   .M(M), .N(N), .R(R), .T(T), .CNTW(CNTW), .SW(SW), .ERASURE(ERASURE), .EMAX(EMAX),
   .CCSDS(CCSDS), .PARALLEL(PARALLEL), .TWO(TWO)
) u_core(
   .clk(aclk), .rst_n(aresetn), .clr(1'b0), .ce(ce),
   .in_valid(s_axis_tvalid), .in_ready(in_ready), .in_mid(in_mid),
   .din(s_axis_tdata), .din_ers(s_axis_tuser),
   .out_valid(out_valid), .out_first(out_first), .out_last(out_last), .dout(dout),
   .dout_rx(dout_rx), .out_fail(out_fail), .out_cnt(out_cnt), .out_ers(out_ers));

wire unused_core = in_mid ^ out_first ^ (|dout_rx) ^ (|out_ers) ^ q_ready ^ (|q_level);

// a beat goes in on every enabled clock with out_valid (ce = ~full)
axis_queue #(.WIDTH(BW), .DEPTH(2)) u_queue(
   .aclk(aclk), .aresetn(aresetn),
   .s_payload(beat), .s_valid(out_valid), .s_ready(q_ready),
   .m_payload(head), .m_valid(m_axis_tvalid), .m_ready(m_axis_tready),
   .level(q_level), .full(full));

assign m_axis_tdata = head[M-1:0];
assign m_axis_tlast = head[M];
assign m_axis_tuser = head[BW-1:M+1];

endmodule

`default_nettype wire
