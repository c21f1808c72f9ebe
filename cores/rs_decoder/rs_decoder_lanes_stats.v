`timescale 1ns/1ns
`default_nettype none
// The decoder's link statistics, as Ethernet and OTN links read them: from
// the word's outcome on the clock its last beat leaves the core (word_end),
//   symbols  the symbols corrected (under detect-only: found in error) in
//            the words decoded,
//   words    the words decoded with at least one symbol corrected,
//   failed   the words that could not be decoded,
// each 32 bits, held at all ones once there; and ser_high, the symbol-error
// flag: the symbols corrected over each window of WINDOW words compared with
// THRESHOLD at the window's end, high for the next window while they were
// more. Resets are synchronous; rst_n clears the counters and the flag.
module rs_decoder_lanes_stats #(
   parameter CNTW      = 5,     // count width of a word's symbols
   parameter WINDOW    = 8192,  // words per window of the flag
   parameter THRESHOLD = 417    // most symbol errors per window with the flag low
) (
   input  wire                 clk,
   input  wire                 rst_n,
   input  wire                 ce,
   input  wire                 word_end,   // a word's last beat, on an enabled clock
   input  wire                 fail,
   input  wire [CNTW-1:0]      cnt,
   output reg  [31:0]          symbols,
   output reg  [31:0]          words,
   output reg  [31:0]          failed,
   output reg                  ser_high
);

localparam [31:0] LAST = WINDOW - 1;
localparam [31:0] LIMIT = THRESHOLD;

reg  [31:0]   in_window;       // words of the window so far
reg  [31:0]   errors;          // symbols corrected in the window so far
wire [32:0]   sym_sum = {1'b0, symbols} + {{33-CNTW{1'b0}}, cnt};
wire [32:0]   err_sum = {1'b0, errors} + {{33-CNTW{1'b0}}, (fail ? {CNTW{1'b0}} : cnt)};
wire [31:0]   err_now = err_sum[32] ? {32{1'b1}} : err_sum[31:0];

always @(posedge clk) begin
   if (!rst_n) begin
      symbols <= 0; words <= 0; failed <= 0; ser_high <= 1'b0; in_window <= 0; errors <= 0;
   end else if (ce && word_end) begin
      if (fail) begin
         if (failed != {32{1'b1}})
            failed <= failed + 1'b1;
      end else if (cnt != 0) begin
         symbols <= sym_sum[32] ? {32{1'b1}} : sym_sum[31:0];
         if (words != {32{1'b1}})
            words <= words + 1'b1;
      end
      if (in_window == LAST) begin
         in_window <= 0;
         errors <= 0;
         ser_high <= err_now > LIMIT;
      end else begin
         in_window <= in_window + 1'b1;
         errors <= err_now;
      end
   end
end

endmodule

`default_nettype wire
