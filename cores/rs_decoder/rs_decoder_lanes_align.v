`timescale 1ns/1ns
`default_nettype none
// Between the solver and the search stage of the decoder at P symbols per
// beat with a variable length: the locator and evaluator of a word whose
// last beat has z = P - Q empty lanes, shifted for the search's start,
//   sigma_i <= sigma_i beta^(iz),  omega_i <= omega_i beta^((i + FCR)z),
// z clocks of one step each (constant multipliers), so the search stage
// finds them as a fixed-length word's (see rs_decoder_lanes_search).
//
// take holds the solver's result (done) when the stage is empty; done2
// offers the shifted result with the word's flags until take2. The stage
// holds one word, so the solver goes on with the next meanwhile.
module rs_decoder_lanes_align #(
   parameter M    = 8,    // symbol bits
   parameter P    = 4,    // symbols per beat
   parameter QW   = 3,    // bits of a lane count 0 .. P
   parameter T    = 8,    // locator terms
   parameter CNTW = 5,    // count width: clog2(r) + 1
   parameter POLY = 285,  // field polynomial
   parameter FCR  = 0,    // first root: beta^FCR
   parameter PRIM = 1     // beta = alpha^PRIM
) (
   input  wire                 clk,
   input  wire                 rst_n,      // synchronous reset, active low
   input  wire                 clr,        // synchronous clear on an enabled clock
   input  wire                 ce,         // clock enable
   // from the solve stage
   input  wire                 done,
   output wire                 take,
   input  wire [(T+1)*M-1:0]   sigma,
   input  wire [T*M-1:0]       omega,
   input  wire                 nonzero,
   input  wire                 lfail,
   input  wire [CNTW:0]        lsize,
   input  wire [1:0]           slot,
   input  wire [CNTW:0]        ers,
   input  wire [QW-1:0]        q,          // symbols in the word's last beat (by its slot)
   // to the search stage
   output wire                 done2,
   input  wire                 take2,
   output reg  [(T+1)*M-1:0]   sigma2,
   output reg  [T*M-1:0]       omega2,
   output reg                  nonzero2,
   output reg                  lfail2,
   output reg  [CNTW:0]        lsize2,
   output reg  [1:0]           slot2,
   output reg  [CNTW:0]        ers2
);

localparam NL = (1 << M) - 1;
localparam PR = PRIM % NL;
localparam integer PI = P;

reg            full;
reg  [QW-1:0]  zc;             // steps still to do
wire [(T+1)*M-1:0] sigma_step;
wire [T*M-1:0] omega_step;
assign take = done & ~full;
assign done2 = full & (zc == 0);

genvar t;
generate
   assign sigma_step[M-1:0] = sigma2[M-1:0];
   for (t = 1; t <= T; t = t + 1) begin : cstep
      rs_decoder_cmul #(.M(M), .POLY(POLY), .E((PR * t) % NL)) u_c(
         .x(sigma2[t*M +: M]), .y(sigma_step[t*M +: M]));
   end
   for (t = 0; t < T; t = t + 1) begin : ostep
      rs_decoder_cmul #(.M(M), .POLY(POLY), .E((PR * ((t + FCR) % NL)) % NL)) u_o(
         .x(omega2[t*M +: M]), .y(omega_step[t*M +: M]));
   end
endgenerate

always @(posedge clk) begin
   if (ce) begin
      if (clr)
         full <= 1'b0;
      else if (take) begin
         full <= 1'b1;
         zc <= PI[QW-1:0] - q;
         sigma2 <= sigma; omega2 <= omega;
         nonzero2 <= nonzero; lfail2 <= lfail; lsize2 <= lsize; slot2 <= slot; ers2 <= ers;
      end else if (full && zc != 0) begin
         zc <= zc - 1'b1;
         sigma2 <= sigma_step;
         omega2 <= omega_step;
      end else if (take2)
         full <= 1'b0;
   end
   if (!rst_n)
      full <= 1'b0;
end

endmodule

`default_nettype wire
