`timescale 1ns/1ns
`default_nettype none
// Search stage of the decoder at P symbols per beat: the Chien search and
// the error evaluation of P positions a clock, from the word's last beat
// back to its first. Position p of a word of n' symbols has the locator
// X_p = beta^(n' - 1 - p) (see rs_decoder_lanes_input); with z = P - Q the
// empty lanes of the last beat, lane l of the k-th beat scanned (beat
// W - 1 - k) evaluates at X_p^(-1) = beta^(z - (P - 1 - l) - kP):
//   registers c_i = sigma_i beta^(-ikP), o_i = omega_i beta^(-(i + FCR)kP),
//   loaded with sigma_i, omega_i and multiplied by their constant each
//   clock; lane l adds, with d = P - 1 - l - ZF,
//   sigma = sum c_i beta^(-id), its even and odd terms apart,
//   X^(-FCR) omega = sum o_i beta^(-(i + FCR)d)
//   (ZF = z for a fixed length; a variable length has sigma and omega
//   shifted by z from rs_decoder_lanes_align, ZF = 0);
// a root where sigma(z) = 0, its error value z^FCR omega(z) / sigma_odd(z)
// (Forney; sigma_odd(z) = z sigma'(z)). Three pipeline clocks: the sums,
// the inverse (gfinvrom), the product (mastrovito). The error values go
// into the error buffer (four words of 2^WB beats of P symbols, by the
// word's buffer slot: the scan runs downwards while the output stage reads
// upwards, so the word two ahead must not share the word's place); the roots
// among the word's symbols are counted (a root in the lanes after the
// word's end counts as missing), and the word is decided as in the
// one-symbol stage, a word shorter than R + 1 symbols (s_short) failing.
//
// load takes the solver's result while done is high (see load below).
// Resets are synchronous.
module rs_decoder_lanes_search #(
   parameter M    = 8,    // symbol bits
   parameter P    = 4,    // symbols per beat
   parameter WB   = 6,    // beat index bits
   parameter QW   = 3,    // bits of a lane count 0 .. P
   parameter T    = 8,    // locator terms
   parameter CNTW = 5,    // count width: clog2(r) + 1
   parameter EMAX = 0,    // most erasures per word (0: none)
   parameter POLY = 285,  // field polynomial
   parameter FCR  = 0,    // first root: beta^FCR
   parameter PRIM = 1,    // beta = alpha^PRIM
   parameter ZF   = 0,    // the locator's shift at load: empty lanes of a fixed-length word's last beat
   parameter VARLEN = 0   // words of different lengths (see load)
) (
   input  wire                 clk,
   input  wire                 rst_n,      // synchronous reset, active low
   input  wire                 clr,        // synchronous clear on an enabled clock
   input  wire                 ce,         // clock enable
   // from the solve stage
   input  wire                 kq_done,
   output wire                 load,       // the solver's result is taken
   input  wire [(T+1)*M-1:0]   sigma,
   input  wire [T*M-1:0]       omega,
   input  wire                 kq_nz,      // some syndrome is not zero
   input  wire                 kq_lfail,
   input  wire [CNTW:0]        kq_len,
   input  wire [1:0]           s_slot,
   input  wire [CNTW:0]        s_ers,
   input  wire [WB-1:0]        s_last,     // the word's last beat (by its slot)
   input  wire [QW-1:0]        s_q,        // symbols in that beat
   input  wire                 s_short,    // shorter than R + 1 symbols
   // to the output stage: a decided word, held while out_pend, taken by ostart
   input  wire                 ostart,
   output reg                  out_pend,
   output reg  [1:0]           o_slot,
   output reg                  o_ok,       // decoded: apply the error values
   output reg                  o_fail,
   output reg  [CNTW-1:0]      o_cnt,      // symbols changed
   output reg  [CNTW:0]        o_ers,      // erasure flags
   // error buffer read port: ev_q one enabled clock after err_raddr
   input  wire [WB+1:0]        err_raddr,
   output wire [P*M-1:0]       ev_q
);

localparam NL = (1 << M) - 1;
localparam PR = PRIM % NL;
localparam CW = CNTW;
localparam KW = 16;                        // root and change counts
localparam [CNTW:0] EMAXC = EMAX;

reg            scanning;
reg  [WB-1:0]  sb;             // beat evaluated on this clock
reg            sb_zero;        // sb == 0 while scanning, as a register (it gates load)
reg            at_end;         // the word's last beat (the first scanned)
reg  [QW-1:0]  c_q;
reg  [1:0]     c_slot;
reg  [CW:0]    c_ers;
reg            c_nz, c_lfail, c_short;
reg  [CW:0]    c_len;
reg  [CW:0]    t_ers;          // the same, for the pipeline tail after the scan
reg            t_nz, t_lfail, t_short;
reg  [CW:0]    t_len;
reg  [(T+1)*M-1:0] cr;         // c_i
reg  [T*M-1:0] orr;            // o_i
wire [(T+1)*M-1:0] cr_next;
wire [T*M-1:0] or_next;
// pipeline: d1 the sums, d2 the inverse, d3 the error values
reg            d1_v, d2_v, d3_v;
reg            d1_s0, d2_s0, d3_s0;       // the word's first beat scanned
reg            d1_e, d2_e, d3_e;          // beat 0: the scan's end
reg  [WB-1:0]  d1_b, d2_b, d3_b;
reg  [1:0]     d1_sl, d2_sl, d3_sl;
reg  [P-1:0]   d1_root, d2_root;
reg  [P*M-1:0] d1_odd, d1_om, d2_om, d2_inv;
reg  [P*M-1:0] d3_ev;
reg  [KW-1:0]  roots, roots_fin, changed;
wire [P*M-1:0] sum_even, sum_odd, sum_om, inv, prod;
reg  [P-1:0]   valid;          // lanes of this beat inside the word
integer        i;

// Words of one length: the next word is loaded on the last beat of the
// scan, as the output stage goes through the words at the same pace.
// Different lengths: only once the word before is decided and the output
// stage has taken it (a short word cannot overtake a long one being output).
generate
   if (VARLEN != 0) begin : wait_out
      assign load = kq_done & ~scanning & ~d1_v & ~d2_v & ~d3_v & ~out_pend;
   end else begin : back_to_back
      assign load = kq_done & (~scanning | sb_zero) & ~out_pend;
   end
endgenerate

// The exponents of lane l's sum as rs_decoder_cdot's: term i times
// beta^(-(i + f)(P - 1 - l - ZF)) (the registers are loaded with sigma_i and
// omega_i as they are: the lanes' constants take in the shift by ZF); part
// 1: the odd terms alone, 2: the even terms alone, 0: all. T + 1 terms (the
// last is not used for omega, T terms).
function [32*(T+1)-1:0] lane_exps;
   input integer l;
   input integer f;
   input integer part;
   integer h;
   integer d;
   begin
      d = (P - 1 - l - ZF + 64 * NL) % NL;   // P - 1 - l - ZF > -P, P <= 32
      for (h = 0; h <= T; h = h + 1)
         lane_exps[h*32 +: 32] = (part != 0 && h % 2 != part % 2) ? {32{1'b1}} :
            (NL - (PR * ((((h + f) % NL) * d) % NL)) % NL) % NL;
   end
endfunction

genvar l, t;
generate
   // the registers' load and steps
   assign cr_next[M-1:0] = cr[M-1:0];
   for (t = 1; t <= T; t = t + 1) begin : cstep
      rs_decoder_cmul #(.M(M), .POLY(POLY), .E((NL - (PR * ((t * P) % NL)) % NL) % NL)) u_c(
         .x(cr[t*M +: M]), .y(cr_next[t*M +: M]));
   end
   for (t = 0; t < T; t = t + 1) begin : ostep
      rs_decoder_cmul #(.M(M), .POLY(POLY),
                        .E((NL - (PR * ((((t + FCR) % NL) * P) % NL)) % NL) % NL)) u_o(
         .x(orr[t*M +: M]), .y(or_next[t*M +: M]));
   end
   for (l = 0; l < P; l = l + 1) begin : lane
      localparam [32*(T+1)-1:0] EEVEN = lane_exps(l, 0, 2);
      localparam [32*(T+1)-1:0] EODD  = lane_exps(l, 0, 1);
      localparam [32*(T+1)-1:0] EOM   = lane_exps(l, FCR % NL, 0);
      rs_decoder_cdot #(.M(M), .POLY(POLY), .K(T + 1), .E(EEVEN)) u_even(
         .x(cr), .y(sum_even[l*M +: M]));
      rs_decoder_cdot #(.M(M), .POLY(POLY), .K(T + 1), .E(EODD)) u_odd(
         .x(cr), .y(sum_odd[l*M +: M]));
      rs_decoder_cdot #(.M(M), .POLY(POLY), .K(T), .E(EOM[32*T-1:0])) u_om(
         .x(orr), .y(sum_om[l*M +: M]));
      gfinvrom u_inv(.address(d1_odd[l*M +: M]), .romout(inv[l*M +: M]));
      mastrovito u_ev(.mult_out(prod[l*M +: M]), .mult_in1(d2_om[l*M +: M]),
                      .mult_in2(d2_inv[l*M +: M]));
   end
endgenerate

always @* begin
   for (i = 0; i < P; i = i + 1)
      valid[i] = ~at_end | (i < c_q);
end

// lanes set
function [KW-1:0] count_of;
   input [P-1:0] v;
   integer k;
   begin
      count_of = 0;
      for (k = 0; k < P; k = k + 1)
         count_of = count_of + {{KW-1{1'b0}}, v[k]};
   end
endfunction

function [P-1:0] nonzero_lanes;
   input [P*M-1:0] v;
   integer k;
   begin
      for (k = 0; k < P; k = k + 1)
         nonzero_lanes[k] = |v[k*M +: M];
   end
endfunction

wire [P-1:0]   root_now;
wire [KW-1:0]  roots_now = (d1_s0 ? {KW{1'b0}} : roots) + count_of(d1_root);
wire [KW-1:0]  changed_now = (d3_s0 ? {KW{1'b0}} : changed) + count_of(nonzero_lanes(d3_ev));
wire           w_fail = t_short | (t_ers > EMAXC) |
                        (t_nz & (t_lfail | roots_fin != {{KW-CW-1{1'b0}}, t_len}));
wire           w_ok = ~w_fail & t_nz;
generate
   for (l = 0; l < P; l = l + 1) begin : found
      // sigma = its even part + its odd part
      assign root_now[l] = valid[l] & (sum_even[l*M +: M] == sum_odd[l*M +: M]);
   end
endgenerate

// scanning, the valid flags and out_pend are reset (and cleared by clr);
// the rest is loaded before it is read.
always @(posedge clk) begin
   if (ce) begin
      if (clr) begin
         scanning <= 1'b0; d1_v <= 1'b0; d2_v <= 1'b0; d3_v <= 1'b0; out_pend <= 1'b0;
      end else begin
         if (load) begin
            scanning <= 1'b1;
            sb <= s_last;
            sb_zero <= (s_last == 0);
            at_end <= 1'b1;
            cr <= sigma;
            orr <= omega;
            c_q <= s_q; c_slot <= s_slot; c_ers <= s_ers; c_nz <= kq_nz;
            c_lfail <= kq_lfail; c_len <= kq_len; c_short <= s_short;
         end else if (scanning) begin
            if (sb_zero)
               scanning <= 1'b0;
            else begin
               sb <= sb - 1'b1;
               sb_zero <= (sb == 1);
               at_end <= 1'b0;
               cr <= cr_next;
               orr <= or_next;
            end
         end
         if (scanning && sb_zero) begin
            t_ers <= c_ers; t_nz <= c_nz; t_lfail <= c_lfail; t_len <= c_len;
            t_short <= c_short;
         end
         d1_v <= scanning; d1_s0 <= at_end; d1_e <= sb_zero; d1_b <= sb; d1_sl <= c_slot;
         d1_root <= root_now; d1_odd <= sum_odd; d1_om <= sum_om;
         d2_v <= d1_v; d2_s0 <= d1_s0; d2_e <= d1_e; d2_b <= d1_b; d2_sl <= d1_sl;
         d2_root <= d1_root; d2_om <= d1_om; d2_inv <= inv;
         d3_v <= d2_v; d3_s0 <= d2_s0; d3_e <= d2_e; d3_b <= d2_b; d3_sl <= d2_sl;
         for (i = 0; i < P; i = i + 1)
            d3_ev[i*M +: M] <= d2_root[i] ? prod[i*M +: M] : {M{1'b0}};
         if (d1_v) begin
            roots <= roots_now;
            if (d1_e)
               roots_fin <= roots_now;
         end
         if (d3_v)
            changed <= changed_now;
         if (d3_v && d3_e) begin
            out_pend <= 1'b1;
            o_slot <= d3_sl;
            o_ok <= w_ok;
            o_fail <= w_fail;
            o_cnt <= w_ok ? changed_now[CW-1:0] : {CW{1'b0}};
            o_ers <= t_ers;
         end else if (ostart)
            out_pend <= 1'b0;
      end
   end
   if (!rst_n) begin
      scanning <= 1'b0; d1_v <= 1'b0; d2_v <= 1'b0; d3_v <= 1'b0; out_pend <= 1'b0;
   end
end

rs_decoder_ram #(.AW(WB + 2), .DW(P * M)) u_errors(
   .clk(clk), .ce(ce),
   .we(d3_v), .waddr({d3_sl, d3_b}), .wdata(d3_ev),
   .raddr(err_raddr), .rdata(ev_q));

endmodule

`default_nettype wire
