`timescale 1ns/1ns
`default_nettype none
// Input stage of the decoder at P symbols per beat: each beat into the
// codeword buffer (four words of 2^WB beats of P symbols, block RAM), into
// the r syndrome accumulators and, under ERASURE, the locators of its
// erased symbols into a list of EMAX, the flags counted up to EMAX + 1.
//
// Symbol l of a beat is lane l (bits l*M up). A word is W beats; in its
// last beat only the first Q lanes hold symbols: fixed length (VARLEN 0),
// W = ceil(N / P) and Q = N - (W - 1) P; variable length, the word ends
// with in_last (or at N symbols) and its last beat's lanes are those of
// in_keep (the low ones, contiguous), so n' = (W - 1) P + Q.
//
// Position p of a word of n' symbols has the locator X_p = beta^(n' - 1 - p),
// beta = alpha^PRIM, as in libfec's decoder of the code shortened to n'.
// The syndromes S_j = sum_p r_p beta_j^(n' - 1 - p), beta_j the code's
// roots alpha^(PRIM (FCR + j)), are taken by Horner a beat at a time,
//   S_j <= S_j beta_j^P + sum_l r_l beta_j^(P - 1 - l),
// lanes after the word's end as zeros: that gives S_j beta_j^z, z = P - Q
// the empty lanes of the last beat, which the stage takes out: with a fixed
// length in the lanes' constants (lane l times beta_j^(P - 1 - l - z));
// with a variable length by z clocks of S_j <= S_j beta_j^(-1) once the word
// is complete. The erasure locator
// of position p is X_p: with a fixed length a constant start times
// beta^(-P) a beat; with a variable length the list holds beta^(-p) and
// each entry is multiplied by beta^(n' - 1), one a clock, after those z
// clocks. The solver may take the word once they are done (in_ready low
// meanwhile before the next word).
//
// Hand-over as in the one-symbol stage: cap is high on the enabled clock
// where the word is complete and the solver idle; the syndromes are then
// captured (read through sel_synd / synd_j, registered) and the next
// word's first beat may be taken on the same clock. wl_* describe each
// word at its last beat. Resets are synchronous.
module rs_decoder_lanes_input #(
   parameter M       = 8,    // symbol bits
   parameter P       = 4,    // symbols per beat
   parameter N       = 255,  // symbols per word (variable length: the most)
   parameter WB      = 6,    // beat index bits
   parameter QW      = 3,    // bits of a lane count 0 .. P
   parameter R       = 16,   // check symbols
   parameter CNTW    = 5,    // count width: clog2(r) + 1
   parameter SW      = 4,    // syndrome select bits
   parameter ERASURE = 0,    // erasure decoding
   parameter EMAX    = 0,    // most erasures per word (ERASURE)
   parameter CCSDS   = 0,    // dual-basis symbols at din
   parameter VARLEN  = 0,    // the word ends with in_last
   parameter POLY    = 285,  // field polynomial
   parameter FCR     = 0,    // first root: beta^FCR
   parameter PRIM    = 1     // beta = alpha^PRIM
) (
   input  wire                 clk,
   input  wire                 rst_n,      // synchronous reset, active low
   input  wire                 clr,        // synchronous clear on an enabled clock
   input  wire                 ce,         // clock enable
   // received beats
   input  wire                 in_valid,
   output wire                 in_ready,
   output wire                 in_mid,     // a word is partly received
   input  wire [P*M-1:0]       din,
   input  wire [P-1:0]         din_ers,    // lane l is erased (ERASURE)
   input  wire [P-1:0]         din_keep,   // VARLEN: lanes of the last beat
   input  wire                 din_last,   // VARLEN: the word's last beat
   // hand-over to the solve stage
   input  wire                 solver_idle,
   output wire                 cap,
   output reg  [1:0]           wslot,      // buffer slot of the word being received
   output reg  [CNTW:0]        ecnt,       // erasure flags of the word, up to EMAX + 1
   output wire [((EMAX > 0) ? EMAX : 1)*M-1:0] elist, // their locators, the first in the low bits
   input  wire [SW-1:0]        sel_synd,
   output reg  [M-1:0]         synd_j,
   // the word just completed (on the clock of its last beat)
   output wire                 wl_we,
   output wire [WB-1:0]        wl_last,    // index of its last beat, W - 1
   output wire [QW-1:0]        wl_q,       // symbols in its last beat, 1 .. P
   output wire                 wl_short,   // VARLEN: fewer than R + 1 symbols
   // codeword buffer read port: rx_q one enabled clock after raddr
   input  wire [WB+1:0]        buf_raddr,
   output wire [P*M-1:0]       rx_q        // in the polynomial basis
);

localparam NL   = (1 << M) - 1;
localparam W    = (N + P - 1) / P;
localparam Q    = N - (W - 1) * P;
localparam ZF   = P - Q;              // fixed length: empty lanes of the last beat
localparam EXW  = ((EMAX > 0) ? EMAX : 1) * M;
localparam PR   = PRIM % NL;
localparam integer WLASTI = W - 1;
localparam integer QI = Q;
localparam integer PI = P;
localparam [WB-1:0] WLAST = WLASTI[WB-1:0];
localparam [CNTW:0] EMAXC = EMAX;
localparam XW   = CNTW + 8;             // a flag count before saturation

reg  [WB-1:0]  bp;             // beat of the next symbol
reg            first;          // bp == 0, as a register
reg            last;           // fixed length: bp == W - 1, as a register
reg            cap_pend;       // a word is complete, its syndromes not yet captured
wire           scaling;        // VARLEN: the syndromes or the erasure list are being corrected
wire           post_synd;      // VARLEN: this clock multiplies the syndromes by beta_j^(-1)
wire [M-1:0]   hv;             // VARLEN: beta^(n' - 1) once the syndromes are corrected
wire           accept = in_valid & in_ready;
wire           end_beat;       // this beat ends the word
wire [P-1:0]   lanes;          // the lanes of this beat that hold symbols
wire [P*M-1:0] rxsym;          // the received symbols in the polynomial basis, others zero
wire [P*M-1:0] rxraw;
wire [P-1:0]   ers = (ERASURE != 0) ? (din_ers & lanes) : {P{1'b0}};
assign cap = cap_pend & solver_idle & ~scaling;
assign in_ready = ~cap_pend | (solver_idle & ~scaling);
assign in_mid   = ~first;

// lane counts
function [QW-1:0] count_of;
   input [P-1:0] v;
   integer i;
   begin
      count_of = 0;
      for (i = 0; i < P; i = i + 1)
         count_of = count_of + {{QW-1{1'b0}}, v[i]};
   end
endfunction

generate
   if (VARLEN != 0) begin : var_end
      // the word ends with in_last or at its N-th symbol
      assign end_beat = din_last | (bp == WLAST);
      assign lanes = din_last ? din_keep : ((bp == WLAST) ? {P{1'b1}} >> (P - Q) : {P{1'b1}});
      assign wl_q = count_of(lanes);
      assign wl_short = ({{32-WB{1'b0}}, bp} * P + {{32-QW{1'b0}}, count_of(lanes)}) < R + 1;
      wire unused_last = last;
   end else begin : fixed_end
      assign end_beat = last;
      assign lanes = last ? ({P{1'b1}} >> (P - Q)) : {P{1'b1}};
      assign wl_q = QI[QW-1:0];
      assign wl_short = 1'b0;
      wire unused_end = din_last ^ (|din_keep);
   end
endgenerate
assign wl_we = ce & ~clr & accept & end_beat;
assign wl_last = bp;

genvar l, j;
generate
   for (l = 0; l < P; l = l + 1) begin : lane
      if (CCSDS != 0) begin : dual
         rs_decoder_ccsds_basis #(.TO_DUAL(0)) u_from_dual(.din(din[l*M +: M]), .dout(rxraw[l*M +: M]));
      end else begin : poly
         assign rxraw[l*M +: M] = din[l*M +: M];
      end
      assign rxsym[l*M +: M] = lanes[l] ? rxraw[l*M +: M] : {M{1'b0}};
   end
endgenerate

always @(posedge clk) begin
   if (ce) begin
      if (clr) begin
         bp <= 0; first <= 1'b1; last <= (W == 1); wslot <= 0; cap_pend <= 1'b0;
      end else begin
         if (accept) begin
            first <= end_beat;
            if (end_beat) begin
               bp <= 0;
               last <= (W == 1);
               wslot <= wslot + 1'b1;
            end else begin
               bp <= bp + 1'b1;
               last <= (bp == WLAST - 1'b1);
            end
         end
         if (accept && end_beat)
            cap_pend <= 1'b1;
         else if (cap)
            cap_pend <= 1'b0;
      end
   end
   if (!rst_n) begin
      bp <= 0; first <= 1'b1; last <= (W == 1); wslot <= 0; cap_pend <= 1'b0;
   end
end

// ---------------------------------------------------------------- syndromes
// Horner's step of a root alpha^rj as rs_decoder_cdot's exponents: the
// accumulator times alpha^(rj P), lane l times alpha^(rj (P - 1 - l - zs)).
// A fixed length takes out the empty lanes of its last beat here (zs = ZF):
// beat b then adds sum_l r_l beta_j^(P (W - 1 - b) + P - 1 - l - ZF), and
// P W - ZF = N, so the accumulator ends on S_j itself.
function [32*(P+1)-1:0] horner_exps;
   input integer rj;
   input integer zs;
   integer h;
   begin
      horner_exps[31:0] = (rj * (P % NL)) % NL;
      for (h = 0; h < P; h = h + 1)
         horner_exps[(h+1)*32 +: 32] = (rj * ((P - 1 - h - zs + 64 * NL) % NL)) % NL;  // > -P, P <= 32
   end
endfunction

reg  [R*M-1:0] acc;
reg  [R*M-1:0] sreg;
wire [R*M-1:0] acc_next;       // after this beat
wire [R*M-1:0] acc_back;       // times beta_j^(-1)
generate
   for (j = 0; j < R; j = j + 1) begin : synd
      localparam RJ = (PR * ((FCR + j) % NL)) % NL;   // beta_j = alpha^RJ
      rs_decoder_cdot #(.M(M), .POLY(POLY), .K(P + 1),
                        .E(horner_exps(RJ, (VARLEN != 0) ? 0 : ZF))) u_sum(
         .x({rxsym, first ? {M{1'b0}} : acc[j*M +: M]}), .y(acc_next[j*M +: M]));
      if (VARLEN != 0) begin : back
         rs_decoder_cmul #(.M(M), .POLY(POLY), .E((NL - RJ) % NL)) u_back(
            .x(acc[j*M +: M]), .y(acc_back[j*M +: M]));
      end else begin : fix
         assign acc_back[j*M +: M] = acc[j*M +: M];
      end
   end
endgenerate

always @(posedge clk) begin
   if (ce) begin
      if (accept)
         acc <= acc_next;
      else if (post_synd)
         acc <= acc_back;
      if (cap)
         sreg <= acc;
      synd_j <= ({{32-SW{1'b0}}, sel_synd} < R) ? sreg[sel_synd*M +: M] : sreg[M-1:0];
   end
end

// ---------------------------------------------------------------- variable length
// After the word's last beat: z clocks of syndrome correction (hv, beta^(n_v - 1)
// at the last beat, follows down to beta^(n' - 1)), then, under ERASURE, one
// clock an entry of the erasure list.
wire           ers_busy;
generate
   if (VARLEN != 0) begin : post
      localparam [M-1:0] ONE = 1;
      reg  [QW-1:0]  zc;           // syndrome corrections still to do
      reg  [M-1:0]   hr;
      wire [M-1:0]   hstart, hnext, hback;
      rs_decoder_cmul #(.M(M), .POLY(POLY), .E((PR * ((P - 1) % NL)) % NL)) u_h0(
         .x(ONE), .y(hstart));
      rs_decoder_cmul #(.M(M), .POLY(POLY), .E((PR * (P % NL)) % NL)) u_h1(
         .x(hr), .y(hnext));
      rs_decoder_cmul #(.M(M), .POLY(POLY), .E((NL - PR) % NL)) u_h2(
         .x(hr), .y(hback));
      always @(posedge clk) begin
         if (ce) begin
            if (accept)
               hr <= first ? hstart : hnext;
            else if (post_synd)
               hr <= hback;
            if (clr)
               zc <= 0;
            else if (accept && end_beat)
               zc <= PI[QW-1:0] - wl_q;
            else if (zc != 0)
               zc <= zc - 1'b1;
         end
         if (!rst_n)
            zc <= 0;
      end
      assign post_synd = (zc != 0);
      assign hv = hr;
      assign scaling = post_synd | ers_busy;
   end else begin : no_post
      assign post_synd = 1'b0;
      assign hv = {M{1'b0}};
      assign scaling = 1'b0;
      wire unused_busy = ers_busy;
   end
endgenerate

// ---------------------------------------------------------------- erasures
generate
   if (ERASURE != 0) begin : erasure
      // fixed length: X of the beat's lane 0, beta^(n - 1 - bP);
      // variable length: beta^(-bP)
      localparam XINIT = (VARLEN != 0) ? 0 : (PR * ((N - 1) % NL)) % NL;
      localparam [M-1:0] ONE = 1;
      wire [M-1:0]   xstart;
      wire [M-1:0]   xnext;
      wire [P*M-1:0] xloc;
      reg  [M-1:0]   xb;
      reg  [EXW-1:0] list;
      reg  [P*XW-1:0] rank;     // flags in the lanes below each lane, plus the count so far
      reg  [XW-1:0]  total;
      wire [M-1:0]   scale_out;    // variable length: an entry times beta^(n_v - 1)
      wire           scale_we;
      wire [CNTW:0]  scale_at;
      integer        i, k;
      rs_decoder_cmul #(.M(M), .POLY(POLY), .E(XINIT)) u_start(.x(ONE), .y(xstart));
      rs_decoder_cmul #(.M(M), .POLY(POLY), .E((NL - (PR * (P % NL)) % NL) % NL)) u_next(
         .x(xb), .y(xnext));
      for (l = 0; l < P; l = l + 1) begin : loc
         rs_decoder_cmul #(.M(M), .POLY(POLY), .E((NL - (PR * l) % NL) % NL)) u_l(
            .x(xb), .y(xloc[l*M +: M]));
      end

      always @* begin
         total = first ? {XW{1'b0}} : {{XW-CNTW-1{1'b0}}, ecnt};
         for (i = 0; i < P; i = i + 1) begin
            rank[i*XW +: XW] = total;
            total = total + {{XW-1{1'b0}}, ers[i]};
         end
      end

      always @(posedge clk) begin
         if (!rst_n)
            xb <= xstart;
         else if (ce) begin
            if (clr || (accept && end_beat))
               xb <= xstart;
            else if (accept)
               xb <= xnext;
         end
      end

      always @(posedge clk) begin
         if (ce && accept) begin
            ecnt <= (total > {{XW-CNTW-1{1'b0}}, EMAXC}) ? EMAXC + 1'b1 : total[CNTW:0];
            for (k = 0; k < EMAX; k = k + 1)
               for (i = 0; i < P; i = i + 1)
                  if (ers[i] && {{32-XW{1'b0}}, rank[i*XW +: XW]} == k)
                     list[k*M +: M] <= xloc[i*M +: M];
         end
         if (scale_we)
            list[scale_at*M +: M] <= scale_out;
      end

      // variable length: each entry times beta^(n_v - 1), one a clock
      if (VARLEN != 0) begin : varscale
         reg  [CNTW:0]  sidx;
         reg            sbusy;
         mastrovito u_scale(.mult_out(scale_out), .mult_in1(list[sidx*M +: M]), .mult_in2(hv));
         always @(posedge clk) begin
            if (ce) begin
               if (clr)
                  sbusy <= 1'b0;
               else if (accept && end_beat) begin
                  sbusy <= 1'b1;
                  sidx <= 0;
               end else if (sbusy && !post_synd) begin
                  if (sidx + 1'b1 >= ecnt || sidx + 1'b1 >= EMAXC)
                     sbusy <= 1'b0;
                  sidx <= sidx + 1'b1;
               end
            end
            if (!rst_n)
               sbusy <= 1'b0;
         end
         assign scale_we = ce & sbusy & ~post_synd & (sidx < ecnt) & (sidx < EMAXC);
         assign scale_at = sidx;
         assign ers_busy = sbusy;
      end else begin : noscale
         assign scale_out = {M{1'b0}};
         assign scale_we = 1'b0;
         assign scale_at = 0;
         assign ers_busy = 1'b0;
         wire unused_hv = |hv;
      end
      assign elist = list;
   end else begin : no_erasure
      assign elist = {EXW{1'b0}};
      assign ers_busy = 1'b0;
      wire unused_hv = |hv;
      wire unused_ers = (|din_ers) ^ (|ers);
      always @(posedge clk)
         if (ce && accept)
            ecnt <= 0;
   end
endgenerate

rs_decoder_ram #(.AW(WB + 2), .DW(P * M)) u_buffer(
   .clk(clk), .ce(ce),
   .we(accept), .waddr({wslot, bp}), .wdata(rxsym),
   .raddr(buf_raddr), .rdata(rx_q));

endmodule

`default_nettype wire
