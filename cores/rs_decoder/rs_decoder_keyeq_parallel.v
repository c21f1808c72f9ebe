`timescale 1ns/1ns
`default_nettype none
// Key-equation solver, parallel form: a Berlekamp-Massey step per one or
// two clocks. Same ports, recurrence and result as the serial
// rs_decoder_keyeq (see there): inversionless Berlekamp-Massey started from
// the erasure locator, then omega(x) = S(x) sigma(x) mod x^T. It serves
// codes whose words are shorter than the serial solver's cycle count, so
// that words still follow one another without a gap.
//
// Three banks of general multipliers, 3T + 2 in all: D forms sigma_i times
// the syndrome window (the discrepancy, and at the end the omega
// coefficients), A forms gamma sigma_i, B forms delta B_(i-1). synd is read
// one syndrome per step, just as the steps need them: in step c (1 .. r)
// synd_j holds S_(c-1) and the window w holds S_(c-2), S_(c-3), ... (zero
// below S_0), and step c is
//    c <= rho:  erasure c,  sigma = B <= sigma (1 + X_c x)
//    c >  rho:  BM step j = c, delta = sigma_0 S_(j-1) + sum sigma_i w_(i-1),
//               sigma <= gamma sigma + delta x B, B, L and gamma as usual.
// The window is then cleared and the syndromes read again from S_0; clock
// k = 0 .. T-1 of omega forms omega_k with the same sum.
//
// With TWO a step takes two clocks: the discrepancy is registered, so one
// multiplier and a sum lie between registers (ipgen sets it where the word
// leaves room for them, 2r + T + 3 <= n). Without (short words of small
// fields) a step takes one clock and the discrepancy feeds the update
// directly.
// Cycles from start to done: 1 + r + T, or 1 + 2r + T with two clocks per
// step, whatever the erasures; done holds the result until take.
module rs_decoder_keyeq_parallel #(
   parameter M       = 8,    // symbol bits
   parameter R       = 16,   // check symbols, r
   parameter T       = 8,    // locator terms: (r + erasures) / 2
   parameter CNTW    = 5,    // count width: clog2(r) + 1
   parameter SW      = 4,    // syndrome select bits
   parameter ERASURE = 0,    // erasure decoding
   parameter EMAX    = 0,    // most erasures per word (ERASURE)
   parameter TWO     = 0     // two clocks per step (the discrepancy registered)
) (
   input  wire                 clk,
   input  wire                 rst_n,     // synchronous reset, active low
   input  wire                 clr,       // synchronous clear on an enabled clock
   input  wire                 ce,        // clock enable
   // start of a word: synd captured its syndromes on this edge
   input  wire                 start,
   output wire                 idle,
   input  wire [CNTW:0]        ers_num,   // erasures of the word, at most EMAX (ERASURE)
   input  wire [((EMAX > 0) ? EMAX : 1)*M-1:0] ers_x, // their locators, the first in the low bits
   // syndrome read port of synd
   output wire [SW-1:0]        sel_synd,
   input  wire [M-1:0]         synd_j,
   // result, held while done is high, released by take
   output wire                 done,
   input  wire                 take,
   output wire [(T+1)*M-1:0]   sigma,     // coefficient i in bits (i+1)*m-1 .. i*m
   output wire [T*M-1:0]       omega,
   output wire                 nonzero,   // some syndrome is not zero
   output wire [CNTW:0]        lsize,     // L, the locator's length
   output reg                  lfail      // L > T or sigma_L == 0
);

localparam CW = CNTW + 1;         // clock, step and length counters, up to 2r
localparam EXW = ((EMAX > 0) ? EMAX : 1) * M;

localparam ST_IDLE  = 2'd0;
localparam ST_RUN   = 2'd1;       // clock 0 fetches S_0, then erasures and steps 1 .. r
localparam ST_OMEGA = 2'd2;
localparam ST_DONE  = 2'd3;

reg  [1:0]           state;
reg                  idle_r;       // state == ST_IDLE, as a register (it gates the next word's start)
reg  [CW-1:0]        cnt;          // c in the run, k in omega
reg  [CW-1:0]        sel;          // syndrome fetched on this clock
reg  [CW-1:0]        len;          // L
reg  [(T+1)*M-1:0]   lam;          // sigma
reg  [T*M-1:0]       bb;           // B, coefficients 0 .. T-1 (x B is added)
reg  [T*M-1:0]       w;            // syndrome window behind synd_j
reg  [T*M-1:0]       om;
reg  [M-1:0]         gam;
reg                  nz;
reg  [CNTW:0]        rho_q;        // erasures of the word (ERASURE)
reg  [EXW-1:0]       ersq;         // erasure locators still to multiply in
wire [CNTW:0]        rho = (ERASURE != 0) ? rho_q : {CNTW+1{1'b0}};
wire                 ers_clk = (ERASURE != 0) && ({1'b0, cnt} <= {1'b0, rho});
wire [M-1:0]         ers_head = (ERASURE != 0) ? ersq[M-1:0] : {M{1'b0}};
wire                 unused_ers = (ERASURE == 0) & ((|ers_num) ^ (|ersq));

wire [(T+1)*M-1:0]   win = {w, synd_j};   // S_(c-1-i) beside sigma_i
wire [(T+1)*M-1:0]   prod_d;
wire [(T+1)*M-1:0]   prod_a;
wire [(T+1)*M-1:0]   prod_b;
wire [(T+1)*M-1:0]   upd = prod_a ^ prod_b;
wire [T*M-1:0]       bb_shift;             // x B
wire [T*M-1:0]       w_next;               // the window one syndrome on
wire [T*M-1:0]       om_next;              // omega shifts down, the newest on top
reg  [M-1:0]         dsum;                 // xor of bank D
reg  [M-1:0]         lam_at_len;
integer              i;

// TWO: two clocks per step (the discrepancy registered, one multiplier
// between registers); the top sets it where a word leaves room for them.
reg                  ph;           // two stages: the update clock of a step
reg  [M-1:0]         dreg;         // two stages: the discrepancy of the step
wire [M-1:0]         delta = TWO ? dreg : dsum;
wire                 upd_clk = (cnt != 0) && (!TWO || ph);
wire                 last = upd_clk && ({{32-CW{1'b0}}, cnt} == R);
// erasure clocks multiply by X; a step by its discrepancy
wire [M-1:0]         dlt = ers_clk ? ers_head : delta;

genvar g;
generate
   if (T == 1) begin : w1
      assign w_next = synd_j;
      assign bb_shift = {M{1'b0}};
      assign om_next = dsum;
   end else begin : wn
      assign w_next = {w[(T-1)*M-1:0], synd_j};
      assign bb_shift = {bb[(T-1)*M-1:0], {M{1'b0}}};
      assign om_next = {dsum, om[T*M-1:M]};
   end
   for (g = 0; g <= T; g = g + 1) begin : bank
      mastrovito u_d(.mult_out(prod_d[g*M +: M]), .mult_in1(lam[g*M +: M]),
                     .mult_in2(win[g*M +: M]));
      mastrovito u_a(.mult_out(prod_a[g*M +: M]), .mult_in1(lam[g*M +: M]), .mult_in2(gam));
      if (g == 0) begin : none
         assign prod_b[M-1:0] = {M{1'b0}};
      end else begin : mul
         mastrovito u_b(.mult_out(prod_b[g*M +: M]), .mult_in1(dlt),
                        .mult_in2(bb[(g-1)*M +: M]));
      end
   end
endgenerate

always @(prod_d) begin
   dsum = {M{1'b0}};
   for (i = 0; i <= T; i = i + 1)
      dsum = dsum ^ prod_d[i*M +: M];
end

always @(lam or len) begin
   lam_at_len = {M{1'b0}};
   for (i = 0; i <= T; i = i + 1)
      if ({{32-CW{1'b0}}, len} == i)
         lam_at_len = lam[i*M +: M];
   lfail = (len > T) || (lam_at_len == {M{1'b0}});
end

// the length test of step j = cnt: 2L <= j + rho - 1, in the counters' width
wire [CW:0]   len2 = {len, 1'b0};
wire [CW:0]   jr = {1'b0, cnt} + {1'b0, rho};
wire          grow = (len2 < jr);
wire [CW-1:0] len_next = cnt + rho - len;
wire          unused_sel = |sel[CW-1:SW];
assign sel_synd = sel[SW-1:0];
assign idle     = idle_r;
assign done     = (state == ST_DONE);
assign sigma    = lam;
assign omega    = om;
assign nonzero  = nz;
assign lsize    = len;

// Only state and idle_r are reset (and cleared by clr): every other
// register is loaded by start or before it is first read.
always @(posedge clk) begin
   if (ce) begin
      if (clr) begin
         state <= ST_IDLE; idle_r <= 1'b1;
      end else
      case (state)
      ST_IDLE:
         if (start) begin
            state <= ST_RUN;
            idle_r <= 1'b0;
            cnt <= 0; sel <= 0; ph <= 1'b0;
            lam <= {{(T+1)*M-1{1'b0}}, 1'b1};
            bb <= {{T*M-1{1'b0}}, 1'b1};
            gam <= {{M-1{1'b0}}, 1'b1};
            w <= 0; nz <= 1'b0;
            if (ERASURE != 0) begin
               len <= ers_num; rho_q <= ers_num; ersq <= ers_x;
            end else
               len <= 0;
         end
      ST_RUN: begin
         // two stages: the discrepancy clock (ph low) holds S_(c-1) in
         // synd_j for the update clock after it
         if (!TWO || (cnt != 0 && (!ph || last)))
            sel <= ({{32-CW{1'b0}}, sel} == R - 1) ? {CW{1'b0}} : sel + 1'b1;
         if (TWO && cnt != 0)
            ph <= ~ph;
         if (TWO && cnt != 0 && !ph)
            dreg <= dsum;
         if (cnt == 0)
            cnt <= 1;
         if (upd_clk) begin
            cnt <= cnt + 1'b1;
            nz <= nz | (|synd_j);
            w <= w_next;
            if (ers_clk) begin
               lam <= upd;
               bb <= upd[T*M-1:0];
               if (ERASURE != 0)
                  ersq <= ersq >> M;
            end else if (delta != {M{1'b0}}) begin
               lam <= upd;
               if (grow) begin
                  bb <= lam[T*M-1:0];
                  len <= len_next;
                  gam <= delta;
               end else
                  bb <= bb_shift;
            end else
               bb <= bb_shift;
            if (last) begin
               // the window starts again from S_0 (fetched on this clock)
               w <= 0;
               cnt <= 0;
               state <= ST_OMEGA;
            end
         end
      end
      ST_OMEGA: begin
         // omega_k = sum sigma_i S_(k-i)
         sel <= sel + 1'b1;
         w <= w_next;
         om <= om_next;
         cnt <= cnt + 1'b1;
         if ({{32-CW{1'b0}}, cnt} == T - 1)
            state <= ST_DONE;
      end
      ST_DONE:
         if (take) begin
            state <= ST_IDLE;
            idle_r <= 1'b1;
         end
      default: begin
         state <= ST_IDLE;
         idle_r <= 1'b1;
      end
      endcase
   end
   if (!rst_n) begin
      state <= ST_IDLE; idle_r <= 1'b1;
   end
end

endmodule

`default_nettype wire
