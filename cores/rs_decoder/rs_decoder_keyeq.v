`timescale 1ns/1ns
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
// leaves its roots and the error values omega/sigma' unchanged. Two banks of
// T + 1 general multipliers: bank A forms sigma_i * S (discrepancy and
// omega) or gamma * sigma_i (update), bank B forms delta * B_(i-1) (update,
// or X * sigma_(i-1) while the erasure locator is built).
//
// Cycles from start to done: rho + 2 (erasure locator, syndrome window),
// 2 (r - rho) (two per step), T + 2 (omega); done holds the result until
// take. The locator is usable when L <= T and sigma_L != 0 (its degree is
// then exactly L); lfail says it is not.
module rs_decoder_keyeq (
   input                          clk,
   input                          rst_n,     // asynchronous reset, active low
`ifdef SYNC_RST_ENABLED
   input                          sr,        // synchronous reset
`endif
   input                          ce,        // clock enable
   // start of a word: synd captured its syndromes on this edge
   input                          start,
   output                         idle,
`ifdef ERASURE
   input  [`CNTJWIDTH:0]          ers_num,   // erasures of the word, at most MAX_NUM_ERSRS
   input  [`MAX_NUM_ERSRS*`INPUT_DATA_WIDTH-1:0] ers_x, // their locators, the first in the low bits
`endif
   // syndrome read port of synd
   output [`SYNDSELWIDTH-1:0]     sel_synd,
   input  [`INPUT_DATA_WIDTH-1:0] synd_j,
   // result, held while done is high, released by take
   output                         done,
   input                          take,
   output [`SIGMA_WIDTH-1:0]      sigma,     // coefficient i in bits (i+1)*m-1 .. i*m
   output [`OMEGA_WIDTH-1:0]      omega,
   output                         nonzero,   // some syndrome is not zero
   output [`CNTJWIDTH:0]          lsize,     // L, the locator's length
   output reg                     lfail      // L > T or sigma_L == 0
);

localparam M  = `INPUT_DATA_WIDTH;
localparam R  = `NUM_CHKSYMBS;
localparam T  = `TPLUSMAXROBY2;
localparam CW = `CNTJWIDTH + 1;   // step and length counters, up to 2r

localparam ST_IDLE  = 3'd0;
localparam ST_ERS   = 3'd1;       // erasure locator, syndrome window filled
localparam ST_BMD   = 3'd2;       // discrepancy of step j
localparam ST_BMU   = 3'd3;       // update of step j
localparam ST_OMEGA = 3'd4;
localparam ST_DONE  = 3'd5;

reg  [2:0]           state;
reg  [CW-1:0]        cnt;          // cycle within the erasure and omega phases
reg  [CW-1:0]        step;         // j
reg  [CW-1:0]        len;          // L
reg  [(T+1)*M-1:0]   lam;          // sigma
reg  [T*M-1:0]       bb;           // B, coefficients 0 .. T-1 (x B is added)
reg  [(T+1)*M-1:0]   sw;           // syndrome window: sw_i = S_(j-1-i), 0 below S_0
reg  [T*M-1:0]       om;
reg  [M-1:0]         gam;
reg  [M-1:0]         dlt;
reg                  nz;
reg                  grow;         // 2L <= j + rho - 1, taken during the discrepancy cycle
`ifdef ERASURE
reg  [`CNTJWIDTH:0] rho;
reg  [`MAX_NUM_ERSRS*M-1:0] ersq;  // erasure locators still to multiply in
`else
wire [`CNTJWIDTH:0] rho = 0;
`endif

wire                 scale = (state == ST_ERS) || (state == ST_BMU);
wire [(T+1)*M-1:0]   prod_a;
wire [(T+1)*M-1:0]   prod_b;
wire [(T+1)*M-1:0]   upd = prod_a ^ prod_b;
wire [(T+1)*M-1:0]   sw_next = {sw[T*M-1:0], synd_j};
wire [T*M-1:0]       bb_shift;     // x B
wire [(T+1)*M-1:0]   one = {{(T+1)*M-1{1'b0}}, 1'b1};
wire [T*M-1:0]       om_next;        // omega shifts down, the newest on top
reg  [M-1:0]         sum;          // xor of bank A
reg  [M-1:0]         lam_at_len;
integer              i;

genvar g;
generate
   if (T == 1) begin : om1
      assign om_next = sum;
      assign bb_shift = {M{1'b0}};
   end else begin : omn
      assign om_next = {sum, om[T*M-1:M]};
      assign bb_shift = {bb[(T-1)*M-1:0], {M{1'b0}}};
   end
   for (g = 0; g <= T; g = g + 1) begin : bank
      mastrovito u_a(.mult_out(prod_a[g*M +: M]), .mult_in1(lam[g*M +: M]),
                     .mult_in2(scale ? gam : sw[g*M +: M]));
      if (g == 0) begin : none
         assign prod_b[M-1:0] = {M{1'b0}};
      end else begin : mul
         mastrovito u_b(.mult_out(prod_b[g*M +: M]), .mult_in1(dlt),
                        .mult_in2(bb[(g-1)*M +: M]));
      end
   end
endgenerate

always @(prod_a) begin
   sum = {M{1'b0}};
   for (i = 0; i <= T; i = i + 1)
      sum = sum ^ prod_a[i*M +: M];
end

always @(lam or len) begin
   lam_at_len = {M{1'b0}};
   for (i = 0; i <= T; i = i + 1)
      if ({{32-CW{1'b0}}, len} == i)
         lam_at_len = lam[i*M +: M];
   lfail = (len > T) || (lam_at_len == {M{1'b0}});
end

// the length test of a step, in the counters' own width
wire [CW:0]   len2 = {len, 1'b0};
wire [CW:0]   bound = {1'b0, step} + {1'b0, rho} - 1'b1;
wire [CW-1:0] len_next = step + rho - len;
wire [CW-1:0] rho_end = rho + 1'b1;
wire [CW-1:0] fetch = (state == ST_BMD || state == ST_BMU) ? step : cnt;
assign sel_synd = fetch[`SYNDSELWIDTH-1:0];
wire   unused_fetch = |fetch[CW-1:`SYNDSELWIDTH];  // the step runs to r, one past the last select
assign idle     = (state == ST_IDLE);
assign done     = (state == ST_DONE);
assign sigma    = lam;
assign omega    = om;
assign nonzero  = nz;
assign lsize    = len;

always @(posedge clk or negedge rst_n) begin
   if (!rst_n) begin
      state <= ST_IDLE;
      cnt <= 0; step <= 0; len <= 0;
      lam <= 0; bb <= 0; sw <= 0; om <= 0; gam <= 0; dlt <= 0; nz <= 1'b0; grow <= 1'b0;
`ifdef ERASURE
      rho <= 0; ersq <= 0;
`endif
   end else if (ce) begin
`ifdef SYNC_RST_ENABLED
      if (sr) begin
         state <= ST_IDLE;
         cnt <= 0; step <= 0; len <= 0;
         lam <= 0; bb <= 0; sw <= 0; om <= 0; gam <= 0; dlt <= 0; nz <= 1'b0; grow <= 1'b0;
`ifdef ERASURE
         rho <= 0; ersq <= 0;
`endif
      end else
`endif
      case (state)
      ST_IDLE:
         if (start) begin
            state <= ST_ERS;
            cnt <= 0;
            lam <= one; bb <= one[T*M-1:0]; gam <= one[M-1:0];
            sw <= 0; nz <= 1'b0;
`ifdef ERASURE
            rho <= ers_num; ersq <= ers_x;
`endif
         end
      ST_ERS: begin
         // cycle c fetches S_c and shifts in S_(c-1); cycles 1 .. rho
         // multiply in (1 + X x), X fetched into dlt the cycle before
         if (cnt != 0) begin
            sw <= sw_next;
            nz <= nz | (|synd_j);
         end
`ifdef ERASURE
         dlt <= ersq[M-1:0];
         ersq <= ersq >> M;
`endif
         if (cnt != 0 && cnt <= rho) begin
            lam <= upd;
            bb <= upd[T*M-1:0];
         end
         if (cnt == rho_end) begin
            len <= rho;
            step <= rho_end;
            cnt <= 0;
            state <= (rho >= R) ? ST_OMEGA : ST_BMD;
         end else
            cnt <= cnt + 1;
      end
      ST_BMD: begin
         dlt <= sum;
         grow <= (len2 <= bound);
         state <= ST_BMU;
      end
      ST_BMU: begin
         sw <= sw_next;                 // S_j, fetched during this step
         nz <= nz | (|synd_j);
         if (dlt != 0) begin
            lam <= upd;
            if (grow) begin
               bb <= lam[T*M-1:0];
               len <= len_next;
               gam <= dlt;
            end else
               bb <= bb_shift;
         end else
            bb <= bb_shift;
         if (step == R) begin
            cnt <= 0;
            state <= ST_OMEGA;
         end else begin
            step <= step + 1;
            state <= ST_BMD;
         end
      end
      ST_OMEGA: begin
         // cycle c fetches S_c; from cycle 2 on the window holds
         // S_(c-2) .. S_0 and bank A sums omega_(c-2)
         if (cnt == 0)
            sw <= 0;
         else
            sw <= sw_next;
         if (cnt >= 2)
            om <= om_next;
         if (cnt == T + 1)
            state <= ST_DONE;
         else
            cnt <= cnt + 1;
      end
      ST_DONE:
         if (take)
            state <= ST_IDLE;
      default:
         state <= ST_IDLE;
      endcase
   end
end

endmodule
