`timescale 1ns/1ns
`default_nettype none
// A sum of products by constants of GF(2^M): y = sum_i x_i alpha^(E_i),
// i = 0 .. K-1, x_i in bits i*M up of x, E_i in bits i*32 up of E (an
// exponent of alpha, 0 .. 2^M - 2; all ones: the term is left out). alpha
// is the root of the field polynomial POLY (its x^M term included). The
// constants are taken apart at elaboration: output bit b is the parity of
// the input bits whose column alpha^(E_i + c) has bit b set, one XOR tree
// per output bit. No clock, no state.
module rs_decoder_cdot #(
   parameter M    = 8,                  // symbol bits
   parameter POLY = 285,                // field polynomial
   parameter K    = 1,                  // terms
   parameter [32*K-1:0] E = {32*K{1'b0}}  // their exponents
) (
   input  wire [K*M-1:0] x,
   output wire [M-1:0]   y
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

// the input bits of each output bit: bit i*M + c of row b is bit b of
// alpha^(E_i + c); row b in bits b*K*M up
function [M*K*M-1:0] rows;
   input [32*K-1:0] exps;
   integer i, c, b;
   reg [M-1:0] a;
   begin
      rows = {M*K*M{1'b0}};
      for (i = 0; i < K; i = i + 1) begin
         if (exps[i*32 +: 32] != {32{1'b1}}) begin
            a = apow(exps[i*32 +: 32]);
            for (c = 0; c < M; c = c + 1) begin
               for (b = 0; b < M; b = b + 1)
                  rows[b*K*M + i*M + c] = a[b];
               a = times_alpha(a);
            end
         end
      end
   end
endfunction

localparam [M*K*M-1:0] ROWS = rows(E);

genvar b;
generate
   for (b = 0; b < M; b = b + 1) begin : bits
      assign y[b] = ^(x & ROWS[b*K*M +: K*M]);
   end
endgenerate

endmodule

`default_nettype wire
