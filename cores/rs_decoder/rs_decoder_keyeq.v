`timescale 1ns/1ns
`default_nettype none
// Key-equation solver: from the syndromes held in synd (read one at a time
// through sel_synd / synd_j) and the locators of the erased positions, the
// errata locator sigma(x) and the evaluator omega(x) = S(x) sigma(x) mod x^T.
//
// Inversionless Berlekamp-Massey started from the erasure locator:
//   sigma = B = prod (1 + X_j x) over the erasures, L = rho, gamma = 1
//   for j = rho+1 .. r:
//      delta = sum_i sigma_i S_(j-1-i)
//      if delta != 0: sigma <= gamma sigma + delta x B
//         if 2L <= j + rho - 1: B <= sigma (old), L <= j + rho - L, gamma <= delta
//         else B <= x B
//      else B <= x B
// The result is the classic locator times a non-zero constant, which
// leaves its roots and the error values omega/sigma' unchanged.
//
// Serial form, three general multipliers. sigma and B sit in rotating
// registers, coefficient 0 at the head; a pass rotates them once (T + 1
// clocks) and one tail clock. Each clock of a pass updates one coefficient,
//   sigma_i <= gamma sigma_i + delta B_(i-1)      (multipliers 1 and 2)
// and the coefficient updated the clock before, now at the top, adds its
// term of the next step's discrepancy, sigma_i S_(J-i) (multiplier 3), with
// the syndromes read in descending order; the tail hands the sum on as the
// next delta. An erasure pass is the same with gamma = 1 and delta = X,
// B = sigma: sigma <= sigma (1 + X x). omega then takes passes of T + 4
// clocks, three coefficients each (one per multiplier, the syndromes
// streamed through gamma/delta), and two closing clocks.
//
// Cycles from start to done: 4 + r (T + 2) + ceil(T / 3) (T + 4), whatever
// the erasures; done holds the result until take. The locator is usable
// when L <= T and sigma_L != 0 (its degree is then exactly L); lfail says it
// is not.
module rs_decoder_keyeq #(
   parameter M       = 8,    // symbol bits
   parameter R       = 16,   // check symbols, r
   parameter T       = 8,    // locator terms: (r + erasures) / 2
   parameter CNTW    = 5,    // count width: clog2(r) + 1
   parameter SW      = 4,    // syndrome select bits
   parameter ERASURE = 0,    // erasure decoding
   parameter EMAX    = 0     // most erasures per word (ERASURE)
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

localparam CW = CNTW + 1;         // pass, step and length counters, up to 2r
localparam EXW = ((EMAX > 0) ? EMAX : 1) * M;

localparam ST_IDLE  = 3'd0;
localparam ST_PRE   = 3'd1;       // S_0 fetched (delta of the first step without erasures)
localparam ST_ERS   = 3'd2;       // erasure passes
localparam ST_BM    = 3'd3;       // one pass per step
localparam ST_OMEGA = 3'd4;       // passes of three omega coefficients
localparam ST_DONE  = 3'd5;

reg  [2:0]           state;
reg                  idle_r;       // state == ST_IDLE, as a register (it gates the next word's start)
reg  [CW-1:0]        cnt;          // clock within a pass
reg  [CW-1:0]        step;         // J: the pass reads S_J, S_(J-1), ... from its first clock
reg  [CW:0]          sidx;         // step - cnt, kept as a register: the syndrome select
reg  [CW-1:0]        len;          // L
reg  [(T+1)*M-1:0]   lam;          // sigma, rotating, coefficient 0 in the low bits between passes
reg  [(T+1)*M-1:0]   bb;           // B, rotating with sigma
reg  [M-1:0]         bprev;        // B_(i-1) beside sigma_i at the head
reg  [T*M-1:0]       om;
reg  [M-1:0]         gam;
reg  [M-1:0]         dlt;
reg  [M-1:0]         acc;          // discrepancy (omega: coefficient K-1)
reg  [M-1:0]         acc1;         // omega coefficient K+1
reg  [M-1:0]         acc2;         // omega coefficient K
reg                  sv;           // synd_j is a syndrome (index 0 .. r-1)
reg                  nz;
reg                  omlast;       // omega: the last group has been summed
reg                  first;        // first pass: sigma and B read as 1, whatever they hold
reg  [CNTW:0]        rho_q;        // erasures of the word (ERASURE)
reg  [CNTW:0]        epass;        // erasure passes still to run
reg  [EXW-1:0]       ersq;         // erasure locators still to multiply in
wire [CNTW:0]        rho = (ERASURE != 0) ? rho_q : {CNTW+1{1'b0}};
wire                 unused_ers = (ERASURE == 0) & ((|ers_num) ^ (|ers_x) ^ (|epass) ^ (|ersq));

wire [M-1:0]         one_at = (cnt == 0) ? {{M-1{1'b0}}, 1'b1} : {M{1'b0}};
wire [M-1:0]         lam_head = first ? one_at : lam[M-1:0];
wire [M-1:0]         lam_top  = lam[T*M +: M];
wire [M-1:0]         bb_head  = first ? one_at : bb[M-1:0];
wire [M-1:0]         sdat     = sv ? synd_j : {M{1'b0}};
wire                 om_st    = (state == ST_OMEGA);
wire [M-1:0]         p1, p2, p3;
wire [M-1:0]         upd      = p1 ^ p2;
reg  [M-1:0]         lam_at_len;
integer              i;

mastrovito u_m1(.mult_out(p1), .mult_in1(lam_head), .mult_in2(gam));
mastrovito u_m2(.mult_out(p2), .mult_in1(bprev), .mult_in2(dlt));
mastrovito u_m3(.mult_out(p3), .mult_in1(lam_top), .mult_in2(sdat));

always @(lam or len) begin
   lam_at_len = {M{1'b0}};
   for (i = 0; i <= T; i = i + 1)
      if ({{32-CW{1'b0}}, len} == i)
         lam_at_len = lam[i*M +: M];
   lfail = (len > T) || (lam_at_len == {M{1'b0}});
end

// the length test of a step, in the counters' own width
wire [CW:0]   len2 = {len, 1'b0};
reg           grow;         // 2L <= j + rho - 1 for the step of this pass
wire [CW:0]   jr = {1'b0, step} + {1'b0, rho};
wire [CW:0]   len_next2 = {len_next, 1'b0};
wire [CW-1:0] len_next = step + rho - len;
wire          change = (state == ST_ERS) || (state == ST_BM && dlt != {M{1'b0}});
wire [CW:0]   idx = sidx;                         // syndrome fetched on this clock
wire          idx_ok = !idx[CW] && (idx[CW-1:0] < R);
wire          unused_idx = |idx[CW:SW];
wire          rot = (cnt <= T);                   // passes of sigma: rotation clocks
wire          om_rot = (cnt >= 2) && (cnt <= T + 2);
wire          shift = ((state == ST_ERS || state == ST_BM) && rot) || (om_st && om_rot);
wire [M-1:0]  lam_in = change ? upd : lam_head;
wire [M-1:0]  bb_in = (state == ST_ERS) ? upd : (change && grow) ? lam_head : bprev;
wire [M-1:0]  dsum = acc ^ p3;
assign sel_synd = idx[SW-1:0];
assign idle     = idle_r;
assign done     = (state == ST_DONE);
assign sigma    = lam;
assign omega    = om;
assign nonzero  = nz;
assign lsize    = len;

// sigma and B: plain shift registers, the new coefficient entering at the top.
// No reset and no clear: the first pass of a word reads them as 1, whatever
// they hold, and the search stage loads sigma only with done. Their enable
// is then ce & shift alone (a reset in it is one more LUT level before the
// enable of the whole rotating pair on iCE40).
always @(posedge clk) begin
   if (ce && shift) begin
      lam <= {lam_in, lam[(T+1)*M-1:M]};
      bb <= {bb_in, bb[(T+1)*M-1:M]};
   end
end

// Only state and idle_r are reset (and cleared by clr): every other
// register is loaded by start or by the pass that first reads it. The
// erasure registers are reset too (the faster placement on iCE40).
always @(posedge clk) begin
   if (!rst_n) begin
      rho_q <= 0; epass <= 0; ersq <= 0;
   end else if (ce && clr) begin
      rho_q <= 0; epass <= 0; ersq <= 0;
   end
   if (ce) begin
      if (clr) begin
         state <= ST_IDLE; idle_r <= 1'b1;
      end else begin
      sv <= idx_ok;
      if (state != ST_IDLE && state != ST_DONE)
         nz <= nz | (|sdat);
      case (state)
      ST_IDLE:
         if (start) begin
            state <= ST_PRE;
            idle_r <= 1'b0;
            cnt <= 0; step <= 0; sidx <= 0; len <= 0; nz <= 1'b0;
            first <= 1'b1;
            omlast <= 1'b0;
            gam <= {{M-1{1'b0}}, 1'b1};
            bprev <= 0; acc <= 0; acc1 <= 0; acc2 <= 0;
            if (ERASURE != 0) begin
               rho_q <= ers_num; epass <= ers_num; ersq <= ers_x;
            end
         end
      ST_PRE:
         // clock 0 fetches S_0, clock 1 has it
         if (cnt == 0) begin
            cnt <= 1;
            sidx <= sidx - 1'b1;
         end else begin
            cnt <= 0;
            if (ERASURE != 0 && rho != 0) begin
               dlt <= ersq[M-1:0];
               ersq <= ersq >> M;
               step <= rho;
               sidx <= {1'b0, rho};
               state <= ST_ERS;
            end else begin
               dlt <= sdat;
               step <= 1;
               sidx <= 1;
               grow <= 1'b1;
               state <= ST_BM;
            end
         end
      ST_ERS, ST_BM: begin
         if (rot) begin
            bprev <= bb_head;
            if (cnt != 0)
               acc <= dsum;
            cnt <= cnt + 1'b1;
            sidx <= sidx - 1'b1;
         end else begin
            // tail: the coefficients are back in place, delta of the next step
            bprev <= 0;
            first <= 1'b0;
            acc <= 0;
            cnt <= 0;
            sidx <= {1'b0, step};
            dlt <= dsum;
            if (state == ST_ERS) begin
               if (ERASURE == 0) begin
                  // no erasure pass without erasure decoding
               end else if (epass != 1) begin
                  epass <= epass - 1'b1;
                  dlt <= ersq[M-1:0];
                  ersq <= ersq >> M;
               end else begin
                  len <= rho;
                  step <= rho + 1'b1;
                  sidx <= {1'b0, rho} + 1'b1;
                  grow <= 1'b1;
                  if (rho >= R) begin
                     step <= 2;
                     sidx <= 2;
                     state <= ST_OMEGA;
                  end else
                     state <= ST_BM;
               end
            end else begin
               if (change && grow) begin
                  len <= len_next;
                  gam <= dlt;
                  grow <= (len_next2 <= jr);
               end else
                  grow <= (len2 <= jr);
               if (step == R) begin
                  step <= 2;
                  sidx <= 2;
                  state <= ST_OMEGA;
               end else begin
                  step <= step + 1'b1;
                  sidx <= {1'b0, step} + 1'b1;
               end
            end
         end
      end
      ST_OMEGA: begin
         // K = step - 1; clock c = cnt - 2 has sigma_c at the head and
         // sigma_(c-1) at the top and in bprev, sdat = S_(K-c),
         // gam = dlt = S_(K+1-c). Clock 1 of the next group (or of the
         // closing one) stores the sums of the group before.
         gam <= sdat;
         dlt <= sdat;
         bprev <= lam_head;
         if (om_rot)
            acc1 <= acc1 ^ p1;
         if (cnt >= 3) begin
            acc2 <= acc2 ^ p2;
            acc <= dsum;
         end
         if (cnt == 1) begin
            // coefficient i comes from multiplier 3, 2, 1 as i mod 3 is 0, 1, 2
            for (i = 0; i < T; i = i + 1) begin
               if (i % 3 == 0 && {{32-CW{1'b0}}, step} == i + 5)
                  om[i*M +: M] <= acc;
               if (i % 3 == 1 && {{32-CW{1'b0}}, step} == i + 4)
                  om[i*M +: M] <= acc2;
               if (i % 3 == 2 && {{32-CW{1'b0}}, step} == i + 3)
                  om[i*M +: M] <= acc1;
            end
            acc <= 0; acc1 <= 0; acc2 <= 0;
            if (omlast)
               state <= ST_DONE;
         end
         if ({{32-CW{1'b0}}, cnt} == T + 3) begin
            cnt <= 0;
            step <= step + {{CW-2{1'b0}}, 2'd3};
            sidx <= {1'b0, step} + {{CW-1{1'b0}}, 2'd3};
            if ({{32-CW{1'b0}}, step} + 1 >= T)
               omlast <= 1'b1;
         end else begin
            cnt <= cnt + 1'b1;
            sidx <= sidx - 1'b1;
         end
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
   end
   if (!rst_n) begin
      state <= ST_IDLE; idle_r <= 1'b1;
   end
end

endmodule

`default_nettype wire
