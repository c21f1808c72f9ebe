`timescale 1ns/1ns
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
module rs_decoder (
   // clock, resets, enable
   input                          clk,
   input                          rst_n,       // asynchronous reset, active low
`ifdef SYNC_RST_ENABLED
   input                          sr,          // synchronous reset, active high
`endif
`ifdef CLK_ENABLED
   input                          clk_en,      // nothing moves while low
`endif
   // received symbols
`ifdef SYNC_START_PULSE
   input                          sync,        // first symbol of a word
`else
   input                          din_en,      // a symbol on din
`endif
`ifdef ERASURE
   input                          din_ers,     // din is erased
`endif
   input  [`INPUT_DATA_WIDTH-1:0] din,
   output                         rdy,
   // decoded symbols
`ifdef DATA_DELAYED
   output [`INPUT_DATA_WIDTH-1:0] din_dly,     // the received symbol of dout
`endif
`ifdef FAILPIN
   output                         fail,        // the word was not decodable: dout = received
`endif
`ifdef ERR_CNT_ENABLED
   output [`ERRCNTWIDTH-1:0]      err_cnt,     // symbols changed in the word
`endif
`ifdef ERS_CNT_ENABLED
   output [`CNTJWIDTH:0]          ers_cnt,     // erasure flags in the word (MAX_NUM_ERSRS + 1: more)
`endif
   output                         dout_valid,
   output                         dout_start,
   output                         dout_end,
   output [`INPUT_DATA_WIDTH-1:0] dout
);

`ifdef CLK_ENABLED
wire ce = clk_en;
`else
wire ce = 1'b1;
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
wire [`INPUT_DATA_WIDTH-1:0] rx;
wire                         w_fail;
wire [`CNTJWIDTH-1:0]        w_cnt;
wire [`CNTJWIDTH:0]          w_ers;

rs_decoder_core u_core(
   .clk(clk), .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(sr),
`endif
   .ce(ce),
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
