`timescale 1ns/1ns
`default_nettype none
// The decoder between its two tops: four stages, each working on its own
// codeword, handing words on in order.
//
//   input    rs_decoder_input: symbols into the codeword buffer and synd
//            (Horner syndromes); erased positions: their locators from
//            gfromxp into a list
//   solve    rs_decoder_solve: synd captures the syndromes; the
//            key-equation solver finds sigma, omega
//   search   rs_decoder_search: chiensearch and errmag run over the n
//            positions: the error value of every position into the error
//            buffer, the roots counted, the word decided
//   output   rs_decoder_output: buffer XOR error value (or the received
//            word when decoding failed), with the word's failure flag and
//            counts
//
// The codeword buffer holds four words (input, solve, search, output), the
// error buffer two. Every register advances only when ce is high; rst_n
// resets synchronously (corrgen's modules at once), clr clears every
// register on an enabled clock.
module rs_decoder_core #(
   parameter M        = 8,    // symbol bits
   parameter N        = 255,  // symbols per word
   parameter R        = 16,   // check symbols, r
   parameter T        = 8,    // locator terms: (r + erasures) / 2
   parameter CNTW     = 5,    // count width: clog2(r) + 1
   parameter SW       = 4,    // syndrome select bits
   parameter ERASURE  = 0,    // erasure decoding
   parameter EMAX     = 0,    // most erasures per word (ERASURE)
   parameter CCSDS    = 0,    // dual-basis symbols at the ports
   parameter PARALLEL = 0,    // the parallel key-equation solver
   parameter TWO      = 0     // parallel solver: two clocks per step
) (
   input  wire                 clk,
   input  wire                 rst_n,      // synchronous reset, active low
   input  wire                 clr,        // synchronous clear on an enabled clock
   input  wire                 ce,         // clock enable for the whole core
   // received symbols: one is taken on an enabled clock with in_valid and in_ready
   input  wire                 in_valid,
   output wire                 in_ready,
   output wire                 in_mid,     // a word is partly received
   input  wire [M-1:0]         din,
   input  wire                 din_ers,    // this symbol is erased
   // decoded symbols, one per enabled clock while out_valid
   output wire                 out_valid,
   output wire                 out_first,
   output wire                 out_last,
   output wire [M-1:0]         dout,
   output wire [M-1:0]         dout_rx,    // the received symbol
   output wire                 out_fail,   // the word could not be decoded
   output wire [CNTW-1:0]      out_cnt,    // symbols changed in the word
   output wire [CNTW:0]        out_ers     // erasure flags in the word
);

localparam EXW = ((EMAX > 0) ? EMAX : 1) * M;

// input -> solve
wire            kq_idle;
wire            cap;
wire [1:0]      wslot;
wire [CNTW:0]   ecnt;
wire [EXW-1:0]  elist;
wire [SW-1:0]   sel_synd;
wire [M-1:0]    synd_j;
// solve -> search
wire            kq_done;
wire            load;
wire [(T+1)*M-1:0] sigma;
wire [T*M-1:0]  omega;
wire            kq_nz;
wire            kq_lfail;
wire [CNTW:0]   kq_len;
wire [1:0]      s_slot;
wire [CNTW:0]   s_ers;
// search -> output
wire            ostart;
wire            out_pend;
wire [1:0]      o_slot;
wire            o_ok;
wire            o_fail;
wire [CNTW-1:0] o_cnt;
wire [CNTW:0]   o_ers;
// buffer reads of the output stage
wire [M+1:0]    buf_raddr;
wire [M-1:0]    rx_q;
wire [M:0]      err_raddr;
wire [M-1:0]    ev_q;

rs_decoder_input #(
   .M(M), .N(N), .CNTW(CNTW), .SW(SW), .ERASURE(ERASURE), .EMAX(EMAX), .CCSDS(CCSDS)
) u_input(
   .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce),
   .in_valid(in_valid), .in_ready(in_ready), .in_mid(in_mid), .din(din), .din_ers(din_ers),
   .solver_idle(kq_idle), .cap(cap), .wslot(wslot), .ecnt(ecnt), .elist(elist),
   .sel_synd(sel_synd), .synd_j(synd_j),
   .buf_raddr(buf_raddr), .rx_q(rx_q));

rs_decoder_solve #(
   .M(M), .R(R), .T(T), .CNTW(CNTW), .SW(SW), .ERASURE(ERASURE), .EMAX(EMAX),
   .PARALLEL(PARALLEL), .TWO(TWO)
) u_solve(
   .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce),
   .start(cap), .idle(kq_idle), .wslot(wslot), .ers_num(ecnt), .ers_x(elist),
   .sel_synd(sel_synd), .synd_j(synd_j),
   .done(kq_done), .take(load), .sigma(sigma), .omega(omega),
   .nonzero(kq_nz), .lsize(kq_len), .lfail(kq_lfail), .s_slot(s_slot), .s_ers(s_ers));

rs_decoder_search #(
   .M(M), .N(N), .T(T), .CNTW(CNTW), .EMAX(EMAX)
) u_search(
   .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce),
   .kq_done(kq_done), .load(load), .sigma(sigma), .omega(omega),
   .kq_nz(kq_nz), .kq_lfail(kq_lfail), .kq_len(kq_len), .s_slot(s_slot), .s_ers(s_ers),
   .ostart(ostart), .out_pend(out_pend), .o_slot(o_slot), .o_ok(o_ok), .o_fail(o_fail),
   .o_cnt(o_cnt), .o_ers(o_ers),
   .err_raddr(err_raddr), .ev_q(ev_q));

rs_decoder_output #(
   .M(M), .N(N), .CNTW(CNTW), .CCSDS(CCSDS)
) u_output(
   .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce),
   .out_pend(out_pend), .ostart(ostart), .o_slot(o_slot), .o_ok(o_ok), .o_fail(o_fail),
   .o_cnt(o_cnt), .o_ers(o_ers),
   .buf_raddr(buf_raddr), .rx_q(rx_q), .err_raddr(err_raddr), .ev_q(ev_q),
   .out_valid(out_valid), .out_first(out_first), .out_last(out_last), .dout(dout),
   .dout_rx(dout_rx), .out_fail(out_fail), .out_cnt(out_cnt), .out_ers(out_ers));

endmodule

`default_nettype wire
