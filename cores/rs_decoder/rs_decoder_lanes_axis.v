`timescale 1ns/1ns
`default_nettype none
// Reed-Solomon decoder at P symbols per clock, AXI4-Stream top.
//
// s_axis: P received symbols per beat, symbol 0 in the low bits; tuser bit l
// high when symbol l is erased (ignored without erasure decoding). A word's
// last beat holds the rest of it, the next word starts in a new beat.
// Fixed length: words are counted, ceil(n / P) beats each, n - (W - 1) P
// symbols in the last (tlast and tkeep are not looked at). Variable length
// (RS_DECODER_VARIABLE_LENGTH): a word ends with tlast, or at its n-th
// symbol; tkeep marks the symbols of its last beat (the low lanes), so
// a word may have any n' from 1 to n symbols; one shorter than n - k + 1
// passes unchanged with the failure flag.
// m_axis: P decoded symbols per beat, tkeep the lanes that hold symbols
// (all but in a word's last beat; the others are zero), tlast with a word's
// last beat; tuser bit 0 the word's decoding failure (the beats are then
// the received symbols), tuser bits CNTJWIDTH..1 the number of symbols the
// decoder changed in the word, the same on every beat of the word.
//
// The core runs while the two-beat output queue (axis_queue) has room: its
// registered full is the clock enable of the whole core, input included,
// so a sink holding m_axis_tready low stops everything and nothing is lost.
// aresetn: active low, synchronous; hold it low for at least one rising
// edge of aclk.
//
// RS_DECODER_STATISTICS: the link counters and the symbol-error flag of
// rs_decoder_lanes_stats on the stat_* ports. RS_DECODER_DETECT_ONLY: the
// words are flagged and counted but pass unchanged.
//
// This top is the only module of the P-symbol decoder that reads the
// defines (corrgen_params.v, ipgen's rs_decoder_solver.v); it passes them
// down as parameters.
module rs_decoder_lanes_axis (
   input  wire                                              aclk,
   input  wire                                              aresetn,
`ifdef RS_DECODER_STATISTICS
   // link statistics (rs_decoder_lanes_stats)
   output wire [31:0]                                       stat_corrected_symbols,
   output wire [31:0]                                       stat_corrected_words,
   output wire [31:0]                                       stat_uncorrectable_words,
   output wire                                              stat_ser_high,
`endif
   // received symbols
   input  wire [`RS_DECODER_SYMBOLS_PER_CLOCK*`INPUT_DATA_WIDTH-1:0] s_axis_tdata,
   input  wire [`RS_DECODER_SYMBOLS_PER_CLOCK-1:0]          s_axis_tuser,
   input  wire [`RS_DECODER_SYMBOLS_PER_CLOCK-1:0]          s_axis_tkeep,
   input  wire                                              s_axis_tvalid,
   output wire                                              s_axis_tready,
   input  wire                                              s_axis_tlast,
   // decoded symbols
   output wire [`RS_DECODER_SYMBOLS_PER_CLOCK*`INPUT_DATA_WIDTH-1:0] m_axis_tdata,
   output wire [`CNTJWIDTH:0]                               m_axis_tuser,
   output wire [`RS_DECODER_SYMBOLS_PER_CLOCK-1:0]          m_axis_tkeep,
   output wire                                              m_axis_tvalid,
   input  wire                                              m_axis_tready,
   output wire                                              m_axis_tlast
);

localparam M    = `INPUT_DATA_WIDTH;
localparam P    = `RS_DECODER_SYMBOLS_PER_CLOCK;
localparam N    = `NUM_TOTAL_SYMBOLS;
localparam R    = `NUM_CHKSYMBS;
localparam T    = `TPLUSMAXROBY2;
localparam CNTW = `CNTJWIDTH;
localparam SW   = `SYNDSELWIDTH;
localparam EMAX = `MAX_NUM_ERSRS;
localparam POLY = `RS_DECODER_FIELD_POLY;
localparam FCR  = `RS_DECODER_FIRST_ROOT;
localparam PRIM = `RS_DECODER_ROOT_SPACING;
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
`ifdef RS_DECODER_THREE_CLOCK_STEPS
localparam THREE = 1;
`else
localparam THREE = 0;
`endif
`ifdef RS_DECODER_VARIABLE_LENGTH
localparam VARLEN = 1;
`else
localparam VARLEN = 0;
`endif
`ifdef RS_DECODER_DETECT_ONLY
localparam DETECT = 1;
`else
localparam DETECT = 0;
`endif

// bits of v - 1 (at least one)
function integer index_bits;
   input integer v;
   integer b;
   begin
      index_bits = 1;
      for (b = 1; b < 16; b = b + 1)
         if ((v - 1) >> b != 0)
            index_bits = b + 1;
   end
endfunction

localparam W  = (N + P - 1) / P;
localparam WB = index_bits(W);
localparam QW = index_bits(P + 1);
localparam BW = P * M + P + 1 + CNTW + 1;   // a queued beat: tuser, tlast, tkeep, tdata

wire            full;                       // the queue's, registered: ce reaches every register
wire            ce = ~full;
wire            in_ready;
wire            out_valid;
wire            out_last;
wire [P-1:0]    out_keep;
wire [P*M-1:0]  dout;
wire            out_fail;
wire [CNTW-1:0] out_cnt;
wire [CNTW:0]   out_ers;
wire [BW-1:0]   beat = {out_cnt, out_fail, out_last, out_keep, dout};
wire [BW-1:0]   head;
wire            q_ready;
wire [1:0]      q_level;

assign s_axis_tready = ce & in_ready;

rs_decoder_lanes_core #(
   .M(M), .P(P), .N(N), .WB(WB), .QW(QW), .R(R), .T(T), .CNTW(CNTW), .SW(SW),
   .ERASURE(ERASURE), .EMAX(EMAX), .CCSDS(CCSDS), .PARALLEL(PARALLEL), .TWO(TWO),
   .THREE(THREE), .VARLEN(VARLEN), .DETECT(DETECT), .POLY(POLY), .FCR(FCR), .PRIM(PRIM)
) u_core(
   .clk(aclk), .rst_n(aresetn), .clr(1'b0), .ce(ce),
   .in_valid(s_axis_tvalid), .in_ready(in_ready), .din(s_axis_tdata), .din_ers(s_axis_tuser),
   .din_keep(s_axis_tkeep), .din_last(s_axis_tlast),
   .out_valid(out_valid), .out_last(out_last), .out_keep(out_keep), .dout(dout),
   .out_fail(out_fail), .out_cnt(out_cnt), .out_ers(out_ers));

wire unused_core = (|out_ers) ^ q_ready ^ (|q_level);

`ifdef RS_DECODER_STATISTICS
rs_decoder_lanes_stats #(
   .CNTW(CNTW), .WINDOW(`RS_DECODER_SER_WINDOW), .THRESHOLD(`RS_DECODER_SER_THRESHOLD)
) u_stats(
   .clk(aclk), .rst_n(aresetn), .ce(ce), .word_end(out_valid & out_last),
   .fail(out_fail), .cnt(out_cnt),
   .symbols(stat_corrected_symbols), .words(stat_corrected_words),
   .failed(stat_uncorrectable_words), .ser_high(stat_ser_high));
`endif

axis_queue #(.WIDTH(BW), .DEPTH(2)) u_queue(
   .aclk(aclk), .aresetn(aresetn),
   .s_payload(beat), .s_valid(out_valid), .s_ready(q_ready),
   .m_payload(head), .m_valid(m_axis_tvalid), .m_ready(m_axis_tready),
   .level(q_level), .full(full));

assign m_axis_tdata = head[P*M-1:0];
assign m_axis_tkeep = head[P*M +: P];
assign m_axis_tlast = head[P*M+P];
assign m_axis_tuser = head[BW-1:P*M+P+1];

endmodule

`default_nettype wire
