`timescale 1ns/1ns
`default_nettype none
// Reed-Solomon decoder, native top: the ports the generated defines ask for.
//
// Received words: with SYNC_START_PULSE, sync is high with the first symbol
// and the other n-1 follow on the next n-1 enabled clocks (a sync inside a
// word is ignored); with SYNC_DAT_SYMB_EN, din_en is high with every symbol
// and words are counted from reset, n symbols each. rdy low: the core takes
// no symbol on this clock (it only goes low before the first symbol of a
// word, while the solver is still busy with the word before).
// Decoded words come out n symbols on consecutive enabled clocks, dout_valid
// high, dout_start with the first, dout_end with the last; the word's
// failure flag and counts are steady over all n.
//
// rst_n: hold it low for at least one rising edge of clk (corrgen's modules
// clear at once, the rest of the core on the edge). sr (SYNC_RST_ENABLED)
// clears the whole core on an enabled clock: the word being received and
// every word inside are dropped.
//
// This top and rs_decoder_axis are the only modules that read the defines;
// they pass them down as parameters.
module rs_decoder (
   // clock, resets, enable
   input  wire                          clk,
   input  wire                          rst_n,       // reset, active low
`ifdef SYNC_RST_ENABLED
   input  wire                          sr,          // synchronous reset, active high
`endif
`ifdef CLK_ENABLED
   input  wire                          clk_en,      // nothing moves while low
`endif
   // received symbols
`ifdef SYNC_START_PULSE
   input  wire                          sync,        // first symbol of a word
`else
   input  wire                          din_en,      // a symbol on din
`endif
`ifdef ERASURE
   input  wire                          din_ers,     // din is erased
`endif
   input  wire [`INPUT_DATA_WIDTH-1:0]  din,
   output wire                          rdy,
   // decoded symbols
`ifdef DATA_DELAYED
   output wire [`INPUT_DATA_WIDTH-1:0]  din_dly,     // the received symbol of dout
`endif
`ifdef FAILPIN
   output wire                          fail,        // the word was not decodable: dout = received
`endif
`ifdef ERR_CNT_ENABLED
   output wire [`ERRCNTWIDTH-1:0]       err_cnt,     // symbols changed in the word
`endif
`ifdef ERS_CNT_ENABLED
   output wire [`CNTJWIDTH:0]           ers_cnt,     // erasure flags in the word (MAX_NUM_ERSRS + 1: more)
`endif
   output wire                          dout_valid,
   output wire                          dout_start,
   output wire                          dout_end,
   output wire [`INPUT_DATA_WIDTH-1:0]  dout
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

`ifdef CLK_ENABLED
wire ce = clk_en;
`else
wire ce = 1'b1;
`endif
`ifdef SYNC_RST_ENABLED
wire clr = sr;
`else
wire clr = 1'b0;
`endif
`ifdef ERASURE
wire ers = din_ers;
`else
wire ers = 1'b0;
`endif
wire in_mid;
`ifdef SYNC_START_PULSE
wire in_valid = sync | in_mid;
`else
wire in_valid = din_en;
wire unused_mid = in_mid;
`endif
wire [M-1:0]    rx;
wire            w_fail;
wire [CNTW-1:0] w_cnt;
wire [CNTW:0]   w_ers;

rs_decoder_core #(
   .M(M), .N(N), .R(R), .T(T), .CNTW(CNTW), .SW(SW), .ERASURE(ERASURE), .EMAX(EMAX),
   .CCSDS(CCSDS), .PARALLEL(PARALLEL), .TWO(TWO)
) u_core(
   .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce),
   .in_valid(in_valid), .in_ready(rdy), .in_mid(in_mid), .din(din), .din_ers(ers),
   .out_valid(dout_valid), .out_first(dout_start), .out_last(dout_end), .dout(dout),
   .dout_rx(rx), .out_fail(w_fail), .out_cnt(w_cnt), .out_ers(w_ers));

// what the defines leave without a port
wire unused_outputs = w_fail ^ (|w_cnt) ^ (|w_ers) ^ (|rx);

`ifdef DATA_DELAYED
assign din_dly = rx;
`endif
`ifdef FAILPIN
assign fail = w_fail;
`endif
`ifdef ERR_CNT_ENABLED
assign err_cnt = w_cnt[`ERRCNTWIDTH-1:0];
`endif
`ifdef ERS_CNT_ENABLED
assign ers_cnt = w_ers;
`endif

endmodule

`default_nettype wire
