`timescale 1ns/1ns
`default_nettype none
// Key-equation solver of the decoder at P symbols per beat, a step per three
// clocks on one bank of T + 1 general multipliers. Same ports, recurrence
// and result as rs_decoder_keyeq_parallel (see there): inversionless
// Berlekamp-Massey started from the erasure locator, then
// omega(x) = S(x) sigma(x) mod x^T. It serves words of ceil(n / P) beats
// that are too short for the serial solver but leave the three clocks a
// step takes.
//
// The parallel solver's three banks (sigma_i times the syndrome window,
// gamma sigma_i, delta B_(i-1)) are used on different clocks here, so one
// bank does all three: multiplier i takes (x_i, y_i) =
//    clock 0 of a step:  (sigma_i, S_(c-1-i))   products registered as p_i
//    clock 1:            (sigma_i, gamma)       registered as p_i; the
//                        discrepancy is the sum of the p_i of clock 0
//    clock 2:            (B_(i-1), delta)       sigma_i <= p_i + delta B_(i-1)
// with erasure steps as in the parallel solver (gamma = 1, delta = X_c,
// B = sigma). The selects of the operands are registers, and so is the
// scalar operand (gamma, then delta): a multiplexer and a multiplier lie
// between registers, or a sum of T + 1 terms. omega is then formed with
// clock-0 operands, one coefficient a clock, each summed a clock after its
// products (T + 1 clocks). synd_j follows sel_synd one clock later;
// sel_synd moves on clock 1, so synd_j holds S_(c-1) from clock 0 to
// clock 2 of step c.
// Cycles from start to done: 2 + 3r + T, whatever the erasures; done holds
// the result until take.
module rs_decoder_lanes_keyeq #(
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
   // start of a word: the syndromes were captured on this edge
   input  wire                 start,
   output wire                 idle,
   input  wire [CNTW:0]        ers_num,   // erasures of the word, at most EMAX (ERASURE)
   input  wire [((EMAX > 0) ? EMAX : 1)*M-1:0] ers_x, // their locators, the first in the low bits
   // syndrome read port
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
reg  [1:0]           ph;           // clock of the step: 0, 1, 2
reg                  on_win;       // operands: (sigma_i, the syndrome window)
reg                  on_b;         // operands: (B_(i-1), delta)
reg  [M-1:0]         ysc;          // the scalar operand: gamma on clock 1, delta on clock 2
reg  [(T+1)*M-1:0]   lam;          // sigma
reg  [T*M-1:0]       bb;           // B, coefficients 0 .. T-1 (x B is added)
reg  [(T+1)*M-1:0]   pr;           // the products of the clock before
reg  [T*M-1:0]       w;            // syndrome window behind synd_j
reg  [T*M-1:0]       om;
reg  [M-1:0]         gam;
reg  [M-1:0]         dreg;         // the step's discrepancy
reg                  nz;
reg  [CNTW:0]        rho_q;        // erasures of the word (ERASURE)
reg  [EXW-1:0]       ersq;         // erasure locators still to multiply in
wire [CNTW:0]        rho = (ERASURE != 0) ? rho_q : {CNTW+1{1'b0}};
wire                 ers_clk = (ERASURE != 0) && ({1'b0, cnt} <= {1'b0, rho});
wire [M-1:0]         ers_head = (ERASURE != 0) ? ersq[M-1:0] : {M{1'b0}};
wire                 unused_ers = (ERASURE == 0) & ((|ers_num) ^ (|ersq));

wire [(T+1)*M-1:0]   win = {w, synd_j};   // S_(c-1-i) beside sigma_i
wire [(T+1)*M-1:0]   opx;
wire [(T+1)*M-1:0]   opy;
wire [(T+1)*M-1:0]   prod;
wire [(T+1)*M-1:0]   upd = {pr[(T+1)*M-1:M] ^ prod[(T+1)*M-1:M], pr[M-1:0]};
wire [T*M-1:0]       bb_shift;             // x B
wire [T*M-1:0]       w_next;               // the window one syndrome on
wire [T*M-1:0]       om_next;              // omega shifts down, the newest on top
reg  [M-1:0]         dsum;                 // xor of the registered products
reg  [M-1:0]         lam_at_len;
integer              i;

wire                 step = (cnt != 0);
wire                 upd_clk = step && (ph == 2'd2);
wire                 last = upd_clk && ({{32-CW{1'b0}}, cnt} == R);
// erasure steps multiply by X; BM steps by their discrepancy (clock 1)
wire [M-1:0]         dlt = ers_clk ? ers_head : dsum;

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
   assign opx[M-1:0] = lam[M-1:0];
   assign opy[M-1:0] = on_win ? win[M-1:0] : gam;
   for (g = 1; g <= T; g = g + 1) begin : ops
      assign opx[g*M +: M] = on_b ? bb[(g-1)*M +: M] : lam[g*M +: M];
      assign opy[g*M +: M] = on_win ? win[g*M +: M] : ysc;
   end
   // kept apart in synthesis: flattened into the operand multiplexers and
   // the sums around them, the multipliers map to more LUTs (Yosys, ABC)
   for (g = 0; g <= T; g = g + 1) begin : bank
      (* keep_hierarchy *)
      mastrovito u_m(.mult_out(prod[g*M +: M]), .mult_in1(opx[g*M +: M]),
                     .mult_in2(opy[g*M +: M]));
   end
endgenerate

always @(pr) begin
   dsum = {M{1'b0}};
   for (i = 0; i <= T; i = i + 1)
      dsum = dsum ^ pr[i*M +: M];
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
            cnt <= 0; sel <= 0; ph <= 2'd0; on_win <= 1'b1; on_b <= 1'b0;
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
         if (!step)
            cnt <= 1;
         else
         case (ph)
         2'd0: begin
            ph <= 2'd1;
            on_win <= 1'b0;
            pr <= prod;
            ysc <= gam;
         end
         2'd1: begin
            // the discrepancy (an erasure step has its X instead)
            ph <= 2'd2;
            on_b <= 1'b1;
            dreg <= dsum;
            ysc <= dlt;
            pr <= prod;
            sel <= ({{32-CW{1'b0}}, sel} == R - 1) ? {CW{1'b0}} : sel + 1'b1;
         end
         default: begin
            ph <= 2'd0;
            on_win <= 1'b1;
            on_b <= 1'b0;
            cnt <= cnt + 1'b1;
            nz <= nz | (|synd_j);
            w <= w_next;
            if (ers_clk) begin
               lam <= upd;
               bb <= upd[T*M-1:0];
               if (ERASURE != 0)
                  ersq <= ersq >> M;
            end else if (dreg != {M{1'b0}}) begin
               lam <= upd;
               if (grow) begin
                  bb <= lam[T*M-1:0];
                  len <= len_next;
                  gam <= dreg;
               end else
                  bb <= bb_shift;
            end else
               bb <= bb_shift;
            if (last) begin
               // the window starts again from S_0 (fetched on this clock)
               sel <= sel + 1'b1;
               w <= 0;
               cnt <= 0;
               state <= ST_OMEGA;
            end
         end
         endcase
      end
      ST_OMEGA: begin
         // omega_k = sum sigma_i S_(k-i), the products on clock k, their
         // sum on clock k + 1 (clock 0 shifts in a value that clock T
         // shifts out)
         sel <= sel + 1'b1;
         w <= w_next;
         pr <= prod;
         om <= om_next;
         cnt <= cnt + 1'b1;
         if ({{32-CW{1'b0}}, cnt} == T)
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
