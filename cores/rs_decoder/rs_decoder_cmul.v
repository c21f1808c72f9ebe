`timescale 1ns/1ns
`default_nettype none
// Multiplication by a constant of GF(2^M): y = x * alpha^E, alpha the root
// of the field polynomial POLY (its x^M term included). The constant's
// columns alpha^(E + c) are computed at elaboration, so the module is XOR
// gates alone: y is the sum of the columns of the bits set in x.
// No clock, no state.
module rs_decoder_cmul #(
   parameter M    = 8,      // symbol bits
   parameter POLY = 285,    // field polynomial
   parameter E    = 0       // exponent of alpha; reduced modulo 2^M - 1
) (
   input  wire [M-1:0] x,
   output wire [M-1:0] y
);

localparam [M:0] PV = POLY;
localparam       NL = (1 << M) - 1;

// a * alpha
function [M-1:0] times_alpha;
   input [M-1:0] a;
   begin
      times_alpha = {a[M-2:0], 1'b0} ^ (a[M-1] ? PV[M-1:0] : {M{1'b0}});
   end
endfunction

// a * b
function [M-1:0] gmul;
   input [M-1:0] a;
   input [M-1:0] b;
   integer i;
   reg [M-1:0] p;
   reg [M-1:0] s;
   begin
      p = {M{1'b0}};
      s = a;
      for (i = 0; i < M; i = i + 1) begin
         if (b[i])
            p = p ^ s;
         s = times_alpha(s);
      end
      gmul = p;
   end
endfunction

// alpha^e, e >= 0, by squaring
function [M-1:0] apow;
   input integer e;
   integer i;
   integer k;
   reg [M-1:0] p;
   reg [M-1:0] s;
   begin
      k = e % NL;
      p = {{M-1{1'b0}}, 1'b1};
      s = {{M-2{1'b0}}, 2'b10};
      for (i = 0; i < 16; i = i + 1) begin
         if (k % 2 == 1)
            p = gmul(p, s);
         s = gmul(s, s);
         k = k / 2;
      end
      apow = p;
   end
endfunction

// the columns alpha^(e + c), c = 0 .. M-1, column c in bits c*M up
function [M*M-1:0] columns;
   input integer e;
   integer c;
   begin
      for (c = 0; c < M; c = c + 1)
         columns[c*M +: M] = apow(e % NL + c);
   end
endfunction

localparam [M*M-1:0] COLS = columns(E);

wire [M*M-1:0] parts;          // x_c times column c
reg  [M-1:0]   sum;
integer        i;
genvar         c;
generate
   for (c = 0; c < M; c = c + 1) begin : col
      assign parts[c*M +: M] = {M{x[c]}} & COLS[c*M +: M];
   end
endgenerate

always @* begin
   sum = {M{1'b0}};
   for (i = 0; i < M; i = i + 1)
      sum = sum ^ parts[i*M +: M];
end
assign y = sum;

endmodule

`default_nettype wire
