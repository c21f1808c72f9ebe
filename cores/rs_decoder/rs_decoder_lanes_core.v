`timescale 1ns/1ns
`default_nettype none
// The decoder at P symbols per beat between its top and its stages: input
// (rs_decoder_lanes_input: buffer, P-parallel syndromes, erasure locators),
// solve (rs_decoder_solve, the key-equation solver of the one-symbol core,
// or rs_decoder_lanes_keyeq, a step per three clocks on T + 1 multipliers;
// shared by the P lanes; with a variable length followed by
// rs_decoder_lanes_align, the result shifted for the word's last beat), search (rs_decoder_lanes_search: Chien search and
// error values of P positions a clock) and output (rs_decoder_lanes_output),
// each working on its own word, handing words on in order. The length of
// each word (its last beat, the symbols in it) is kept by its buffer slot
// for the search and output stages.
//
// Every register advances only when ce is high; rst_n resets synchronously,
// clr clears the control registers on an enabled clock.
module rs_decoder_lanes_core #(
   parameter M        = 8,    // symbol bits
   parameter P        = 4,    // symbols per beat
   parameter N        = 255,  // symbols per word (variable length: the most)
   parameter WB       = 6,    // beat index bits
   parameter QW       = 3,    // bits of a lane count 0 .. P
   parameter R        = 16,   // check symbols, r
   parameter T        = 8,    // locator terms: (r + erasures) / 2
   parameter CNTW     = 5,    // count width: clog2(r) + 1
   parameter SW       = 4,    // syndrome select bits
   parameter ERASURE  = 0,    // erasure decoding
   parameter EMAX     = 0,    // most erasures per word (ERASURE)
   parameter CCSDS    = 0,    // dual-basis symbols at the ports
   parameter PARALLEL = 0,    // the parallel key-equation solver
   parameter TWO      = 0,    // parallel solver: two clocks per step
   parameter THREE    = 0,    // parallel solver: one bank of multipliers, three clocks per step
   parameter VARLEN   = 0,    // a word ends with in_last
   parameter DETECT   = 0,    // flag and count, do not correct
   parameter POLY     = 285,  // field polynomial
   parameter FCR      = 0,    // first root: beta^FCR
   parameter PRIM     = 1     // beta = alpha^PRIM
) (
   input  wire                 clk,
   input  wire                 rst_n,
   input  wire                 clr,
   input  wire                 ce,
   // received beats: one is taken on an enabled clock with in_valid and in_ready
   input  wire                 in_valid,
   output wire                 in_ready,
   input  wire [P*M-1:0]       din,
   input  wire [P-1:0]         din_ers,
   input  wire [P-1:0]         din_keep,
   input  wire                 din_last,
   // decoded beats, one per enabled clock while out_valid
   output wire                 out_valid,
   output wire                 out_last,
   output wire [P-1:0]         out_keep,
   output wire [P*M-1:0]       dout,
   output wire                 out_fail,
   output wire [CNTW-1:0]      out_cnt,
   output wire [CNTW:0]        out_ers
);

localparam EXW = ((EMAX > 0) ? EMAX : 1) * M;
localparam ZFIX = ((N + P - 1) / P) * P - N;   // fixed length: empty lanes of the last beat

wire            kq_idle, cap;
wire [1:0]      wslot;
wire [CNTW:0]   ecnt;
wire [EXW-1:0]  elist;
wire [SW-1:0]   sel_synd;
wire [M-1:0]    synd_j;
wire            wl_we, wl_short;
wire [WB-1:0]   wl_last;
wire [QW-1:0]   wl_q;
wire            kq_done, kq_take, load, kq_nz, kq_lfail;
wire [(T+1)*M-1:0] sigma;
wire [T*M-1:0]  omega;
wire [CNTW:0]   kq_len;
wire [1:0]      s_slot;
wire [CNTW:0]   s_ers;
wire            ostart, out_pend, o_ok, o_fail;
wire [1:0]      o_slot;
wire [CNTW-1:0] o_cnt;
wire [CNTW:0]   o_ers;
wire [WB+1:0]   buf_raddr;
wire [P*M-1:0]  rx_q;
wire [WB+1:0]   err_raddr;
wire [P*M-1:0]  ev_q;
wire            in_mid;
wire            out_first;
wire            unused = in_mid ^ out_first;

// the length of the word in each buffer slot
reg  [WB-1:0]   len_last [0:3];
reg  [QW-1:0]   len_q [0:3];
reg  [3:0]      len_short;
always @(posedge clk) begin
   if (wl_we) begin
      len_last[wslot] <= wl_last;
      len_q[wslot] <= wl_q;
      len_short[wslot] <= wl_short;
   end
end

rs_decoder_lanes_input #(
   .M(M), .P(P), .N(N), .WB(WB), .QW(QW), .R(R), .CNTW(CNTW), .SW(SW), .ERASURE(ERASURE),
   .EMAX(EMAX), .CCSDS(CCSDS), .VARLEN(VARLEN), .POLY(POLY), .FCR(FCR), .PRIM(PRIM)
) u_input(
   .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce),
   .in_valid(in_valid), .in_ready(in_ready), .in_mid(in_mid), .din(din), .din_ers(din_ers),
   .din_keep(din_keep), .din_last(din_last),
   .solver_idle(kq_idle), .cap(cap), .wslot(wslot), .ecnt(ecnt), .elist(elist),
   .sel_synd(sel_synd), .synd_j(synd_j),
   .wl_we(wl_we), .wl_last(wl_last), .wl_q(wl_q), .wl_short(wl_short),
   .buf_raddr(buf_raddr), .rx_q(rx_q));

generate
   if (PARALLEL != 0 && THREE != 0) begin : shared
      // one bank of T + 1 multipliers, a step per three clocks
      localparam [CNTW:0] EMAXC = EMAX;
      reg  [1:0]    slot_r;
      reg  [CNTW:0] ers_r;
      wire [CNTW:0] ers_used = (ecnt > EMAXC) ? EMAXC : ecnt;
      rs_decoder_lanes_keyeq #(
         .M(M), .R(R), .T(T), .CNTW(CNTW), .SW(SW), .ERASURE(ERASURE), .EMAX(EMAX)
      ) u_keyeq(
         .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce), .start(cap), .idle(kq_idle),
         .ers_num(ers_used), .ers_x(elist),
         .sel_synd(sel_synd), .synd_j(synd_j),
         .done(kq_done), .take(kq_take), .sigma(sigma), .omega(omega),
         .nonzero(kq_nz), .lsize(kq_len), .lfail(kq_lfail));
      // loaded with every start: no reset
      always @(posedge clk) begin
         if (ce && !clr && cap) begin
            slot_r <= wslot - 1'b1;
            ers_r <= ecnt;
         end
      end
      assign s_slot = slot_r;
      assign s_ers = ers_r;
   end else begin : stage
      rs_decoder_solve #(
         .M(M), .R(R), .T(T), .CNTW(CNTW), .SW(SW), .ERASURE(ERASURE), .EMAX(EMAX),
         .PARALLEL(PARALLEL), .TWO(TWO)
      ) u_solve(
         .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce),
         .start(cap), .idle(kq_idle), .wslot(wslot), .ers_num(ecnt), .ers_x(elist),
         .sel_synd(sel_synd), .synd_j(synd_j),
         .done(kq_done), .take(kq_take), .sigma(sigma), .omega(omega),
         .nonzero(kq_nz), .lsize(kq_len), .lfail(kq_lfail), .s_slot(s_slot), .s_ers(s_ers));
   end
endgenerate

// a variable length: the result shifted for the word's last beat
wire            a_done, a_nz, a_lfail;
wire [(T+1)*M-1:0] a_sigma;
wire [T*M-1:0]  a_omega;
wire [CNTW:0]   a_len, a_ers;
wire [1:0]      a_slot;
generate
   if (VARLEN != 0) begin : align
      rs_decoder_lanes_align #(
         .M(M), .P(P), .QW(QW), .T(T), .CNTW(CNTW), .POLY(POLY), .FCR(FCR), .PRIM(PRIM)
      ) u_align(
         .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce),
         .done(kq_done), .take(kq_take), .sigma(sigma), .omega(omega), .nonzero(kq_nz),
         .lfail(kq_lfail), .lsize(kq_len), .slot(s_slot), .ers(s_ers), .q(len_q[s_slot]),
         .done2(a_done), .take2(load), .sigma2(a_sigma), .omega2(a_omega), .nonzero2(a_nz),
         .lfail2(a_lfail), .lsize2(a_len), .slot2(a_slot), .ers2(a_ers));
   end else begin : direct
      assign kq_take = load;
      assign a_done = kq_done; assign a_sigma = sigma; assign a_omega = omega;
      assign a_nz = kq_nz; assign a_lfail = kq_lfail; assign a_len = kq_len;
      assign a_slot = s_slot; assign a_ers = s_ers;
   end
endgenerate

rs_decoder_lanes_search #(
   .M(M), .P(P), .WB(WB), .QW(QW), .T(T), .CNTW(CNTW), .EMAX(EMAX), .POLY(POLY), .FCR(FCR),
   .PRIM(PRIM), .ZF((VARLEN != 0) ? 0 : ZFIX), .VARLEN(VARLEN)
) u_search(
   .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce),
   .kq_done(a_done), .load(load), .sigma(a_sigma), .omega(a_omega),
   .kq_nz(a_nz), .kq_lfail(a_lfail), .kq_len(a_len), .s_slot(a_slot), .s_ers(a_ers),
   .s_last(len_last[a_slot]), .s_q(len_q[a_slot]), .s_short(len_short[a_slot]),
   .ostart(ostart), .out_pend(out_pend), .o_slot(o_slot), .o_ok(o_ok), .o_fail(o_fail),
   .o_cnt(o_cnt), .o_ers(o_ers),
   .err_raddr(err_raddr), .ev_q(ev_q));

rs_decoder_lanes_output #(
   .M(M), .P(P), .WB(WB), .QW(QW), .CNTW(CNTW), .CCSDS(CCSDS), .DETECT(DETECT)
) u_output(
   .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce),
   .out_pend(out_pend), .ostart(ostart), .o_slot(o_slot), .o_ok(o_ok), .o_fail(o_fail),
   .o_cnt(o_cnt), .o_ers(o_ers), .o_last(len_last[o_slot]), .o_q(len_q[o_slot]),
   .buf_raddr(buf_raddr), .rx_q(rx_q), .err_raddr(err_raddr), .ev_q(ev_q),
   .out_valid(out_valid), .out_first(out_first), .out_last(out_last), .out_keep(out_keep),
   .dout(dout), .out_fail(out_fail), .out_cnt(out_cnt), .out_ers(out_ers));

endmodule

`default_nettype wire
