`timescale 1ns/1ns
// The decoder between its two tops: four stages, each working on its own
// codeword, handing words on in order.
//
//   input    symbols into the codeword buffer and synd (Horner syndromes);
//            erased positions: their locators from gfromxp into a list
//   solve    synd captures the syndromes; rs_decoder_keyeq finds sigma, omega
//   search   chiensearch and errmag run over the n positions: the error value
//            of every position into the error buffer, the roots counted
//   output   buffer XOR error value (or the received word when decoding
//            failed), with the word's failure flag and counts
//
// The codeword buffer holds four words (input, solve, search, output), the
// error buffer two. Every register advances only when ce is high.
module rs_decoder_core (
   input                              clk,
   input                              rst_n,      // asynchronous reset, active low
`ifdef SYNC_RST_ENABLED
   input                              sr,         // synchronous reset
`endif
   input                              ce,         // clock enable for the whole core
   // received symbols: one is taken on an enabled clock with in_valid and in_ready
   input                              in_valid,
   output                             in_ready,
   output                             in_mid,     // a word is partly received
   input  [`INPUT_DATA_WIDTH-1:0]     din,
   input                              din_ers,    // this symbol is erased
   // decoded symbols, one per enabled clock while out_valid
   output reg                         out_valid,
   output reg                         out_first,
   output reg                         out_last,
   output reg [`INPUT_DATA_WIDTH-1:0] dout,
   output reg [`INPUT_DATA_WIDTH-1:0] dout_rx,    // the received symbol
   output reg                         out_fail,   // the word could not be decoded
   output reg [`CNTJWIDTH-1:0]        out_cnt,    // symbols changed in the word
   output reg [`CNTJWIDTH:0]          out_ers     // erasure flags in the word
);

localparam M  = `INPUT_DATA_WIDTH;
localparam N  = `NUM_TOTAL_SYMBOLS;
localparam CW = `CNTJWIDTH;
localparam [`CNTJWIDTH:0] EMAX = `MAX_NUM_ERSRS;

`ifdef SYNC_RST_ENABLED
wire clr = sr;
`else
wire clr = 1'b0;
`endif

// ---------------------------------------------------------------- input
// (the output stage's registers first: the buffers are read from there)
reg            out_busy;
reg  [M-1:0]   op;
reg  [1:0]     cur_slot;
reg            cur_ok, cur_fail;
reg  [CW-1:0]  cur_cnt;
reg  [CW:0]    cur_ers;
reg            r1_v, r1_first, r1_last, r1_ok, r1_fail;
reg  [CW-1:0]  r1_cnt;
reg  [CW:0]    r1_ers;
wire [M-1:0]   rx_q;
wire [M-1:0]   ev_q;
wire [M+1:0]   buf_raddr = {cur_slot, op};
wire [M-1:0]   fixed = rx_q ^ (r1_ok ? ev_q : {M{1'b0}});
wire [M-1:0]   fixed_port;     // in the ports' basis
wire [M-1:0]   rx_port;
`ifdef CCSDS
rs_decoder_ccsds_basis #(.TO_DUAL(1)) u_fixed_dual(.din(fixed), .dout(fixed_port));
rs_decoder_ccsds_basis #(.TO_DUAL(1)) u_rx_dual(.din(rx_q), .dout(rx_port));
`else
assign fixed_port = fixed;
assign rx_port = rx_q;
`endif
wire           ostart;
reg            out_pend;
reg  [M-1:0]   pos;            // position of the next symbol
reg  [1:0]     wslot;          // buffer slot of the word being received
reg            cap_pend;       // a word is complete, its syndromes not yet captured
reg  [CW:0]    ecnt;           // erasure flags so far, up to E + 1
wire           kq_idle;
wire           cap = cap_pend & kq_idle;
wire           accept = in_valid & in_ready;
wire [M-1:0]   rxsym;          // the received symbol in the polynomial basis
`ifdef CCSDS
rs_decoder_ccsds_basis #(.TO_DUAL(0)) u_from_dual(.din(din), .dout(rxsym));
`else
assign rxsym = din;
`endif
wire           first = (pos == 0);
`ifdef ERASURE
wire           ers = din_ers;
`else
wire           unused_ers = din_ers;  // without erasure decoding the flags are ignored
wire           ers = 1'b0;
`endif
assign in_ready = ~cap_pend | kq_idle;
assign in_mid   = ~first;

always @(posedge clk or negedge rst_n) begin
   if (!rst_n) begin
      pos <= 0; wslot <= 0; cap_pend <= 1'b0; ecnt <= 0;
   end else if (ce) begin
      if (clr) begin
         pos <= 0; wslot <= 0; cap_pend <= 1'b0; ecnt <= 0;
      end else begin
         if (accept) begin
            if (pos == N - 1) begin
               pos <= 0;
               wslot <= wslot + 1'b1;
            end else
               pos <= pos + 1'b1;
            if (first)
               ecnt <= {{CW{1'b0}}, ers};
            else if (ers && ecnt <= EMAX)
               ecnt <= ecnt + 1'b1;
         end
         if (accept && pos == N - 1)
            cap_pend <= 1'b1;
         else if (cap)
            cap_pend <= 1'b0;
      end
   end
end

`ifdef ERASURE
// The locator of position p is beta^(n-1-p); n-1-p counts down beside pos
// (a register, so no subtraction lies before the ROM).
wire [M-1:0]   xloc;
reg  [M-1:0]   xexp;
reg  [`MAX_NUM_ERSRS*M-1:0] elist;
gfromxp u_gfromxp(.address(xexp), .romout(xloc));

always @(posedge clk or negedge rst_n) begin
   if (!rst_n)
      xexp <= `MAX_COUNT_TOTAL_SYMBOL;
   else if (ce) begin
      if (clr || (accept && pos == N - 1))
         xexp <= `MAX_COUNT_TOTAL_SYMBOL;
      else if (accept)
         xexp <= xexp - 1'b1;
   end
end

always @(posedge clk) begin
   if (ce && accept && ers) begin
      if (first)
         elist[M-1:0] <= xloc;
      else if (ecnt < EMAX)
         elist[ecnt*M +: M] <= xloc;
   end
end
`endif

rs_decoder_ram #(.AW(M + 2), .DW(M)) u_buffer(
   .clk(clk), .ce(ce),
   .we(accept), .waddr({wslot, pos}), .wdata(rxsym),
   .raddr(buf_raddr), .rdata(rx_q));

// ---------------------------------------------------------------- solve
wire [`SYNDSELWIDTH-1:0] sel_synd;
wire [M-1:0]   synd_j;
wire [M-1:0]   unused_synd_lsb;
`ifndef ERASURE
wire           unused_synd_lsb0;
`endif
wire           kq_done;
wire           load;
wire [`SIGMA_WIDTH-1:0] sigma;
wire [`OMEGA_WIDTH-1:0] omega;
wire           kq_nz;
wire           kq_lfail;
wire [CW:0]    kq_len;
reg  [1:0]     s_slot;
reg  [CW:0]    s_ers;

synd u_synd(
   .clk_en(ce), .clk(clk), .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(sr),
`endif
   .sync(accept & first), .synd_en(accept & ~first),
   .synd_rdy_int(cap), .ready_int(cap), .sel_synd(sel_synd),
`ifndef ERASURE
   .synd_lsb0(unused_synd_lsb0),
`endif
   .synd_j(synd_j), .synd_lsb(unused_synd_lsb), .din(rxsym));

// The solver: as RS_DECODER_PARALLEL_SOLVER or RS_DECODER_SERIAL_SOLVER
// say (ipgen writes one of them); without either, the serial one (three
// multipliers) when it is done within a word, and under CONTINUOUS the
// parallel one (3T + 2 multipliers) for words shorter than that, so words
// follow back to back.
`ifdef RS_DECODER_PARALLEL_SOLVER
localparam PARALLEL = 1;
`elsif RS_DECODER_SERIAL_SOLVER
localparam PARALLEL = 0;
`elsif CONTINUOUS
localparam SERIAL_CLOCKS = 4 + `NUM_CHKSYMBS * (`TPLUSMAXROBY2 + 2) +
                           ((`TPLUSMAXROBY2 + 2) / 3) * (`TPLUSMAXROBY2 + 4);
localparam PARALLEL = (SERIAL_CLOCKS + 2 > N);
`else
localparam PARALLEL = 0;
`endif

generate
   if (PARALLEL) begin : par
      rs_decoder_keyeq_parallel u_keyeq(
         .clk(clk), .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
         .sr(sr),
`endif
         .ce(ce), .start(cap), .idle(kq_idle),
`ifdef ERASURE
         .ers_num(ecnt > EMAX ? EMAX : ecnt), .ers_x(elist),
`endif
         .sel_synd(sel_synd), .synd_j(synd_j),
         .done(kq_done), .take(load), .sigma(sigma), .omega(omega),
         .nonzero(kq_nz), .lsize(kq_len), .lfail(kq_lfail));
   end else begin : ser
      rs_decoder_keyeq u_keyeq(
         .clk(clk), .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
         .sr(sr),
`endif
         .ce(ce), .start(cap), .idle(kq_idle),
`ifdef ERASURE
         .ers_num(ecnt > EMAX ? EMAX : ecnt), .ers_x(elist),
`endif
         .sel_synd(sel_synd), .synd_j(synd_j),
         .done(kq_done), .take(load), .sigma(sigma), .omega(omega),
         .nonzero(kq_nz), .lsize(kq_len), .lfail(kq_lfail));
   end
endgenerate

always @(posedge clk or negedge rst_n) begin
   if (!rst_n) begin
      s_slot <= 0; s_ers <= 0;
   end else if (ce) begin
      if (clr) begin
         s_slot <= 0; s_ers <= 0;
      end else if (cap) begin
         s_slot <= wslot - 1'b1;
         s_ers <= ecnt;
      end
   end
end

// ---------------------------------------------------------------- search
reg            scanning;
reg  [M-1:0]   sc;             // position whose point the next edge evaluates
reg  [1:0]     c_slot;
reg  [CW:0]    c_ers;
reg            c_nz, c_lfail;
reg  [CW:0]    c_len;
reg  [CW:0]    t_ers;          // the same, for the pipeline tail after the scan
reg            t_nz, t_lfail;
reg  [CW:0]    t_len;
reg            d1_v, d2_v, d3_v;          // foundzero (d1) and the error value (d3)
reg  [M-1:0]   d1_p, d2_p, d3_p;          // describe these positions
reg  [1:0]     d1_s, d2_s, d3_s;          // their buffer slot
reg  [CW:0]    roots, roots_fin;
reg  [CW-1:0]  changed;
reg  [1:0]     o_slot;
reg            o_ok, o_fail;
reg  [CW-1:0]  o_cnt;
reg  [CW:0]    o_ers;
wire           foundzero;
wire [M-1:0]   sumoddreg;
wire [M-1:0]   errval;
`ifdef FAILPIN
wire [M-1:0]   errvalinreg;
wire [M-1:0]   evalue = errvalinreg;  // buf_out2 is 0: the error value itself
wire           unused_errval = |errval;  // the same, one clock later
`else
wire [M-1:0]   evalue = errval;
`endif
assign load = kq_done & (~scanning | sc == N - 1) & ~out_pend;

chiensearch u_chien(
   .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(sr),
`endif
   .mxsel(load), .clk_en(ce), .clk(clk), .sigma(sigma),
   .sumoddreg(sumoddreg), .foundzero(foundzero));

errmag u_errmag(
   .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(sr),
`endif
   .mxsel(load), .clk_en(ce), .clk(clk), .omega(omega), .sumoddreg(sumoddreg),
`ifdef FAILPIN
   .buf_out2({M{1'b0}}),
`endif
   .foundzero(foundzero),
`ifdef FAILPIN
   .errvalinreg(errvalinreg),
`endif
   .errval(errval));

wire [CW:0]    roots_now = (d1_p == 0 ? {CW+1{1'b0}} : roots) + {{CW{1'b0}}, ~foundzero};
wire [CW-1:0]  changed_now = (d3_p == 0 ? {CW{1'b0}} : changed) + {{CW-1{1'b0}}, evalue != 0};
wire           w_fail = (t_ers > EMAX) | (t_nz & (t_lfail | roots_fin != t_len));
wire           w_ok = ~w_fail & t_nz;

always @(posedge clk or negedge rst_n) begin
   if (!rst_n) begin
      scanning <= 1'b0; sc <= 0;
      c_slot <= 0; c_ers <= 0; c_nz <= 1'b0; c_lfail <= 1'b0; c_len <= 0;
      t_ers <= 0; t_nz <= 1'b0; t_lfail <= 1'b0; t_len <= 0;
      d1_v <= 1'b0; d2_v <= 1'b0; d3_v <= 1'b0;
      d1_p <= 0; d2_p <= 0; d3_p <= 0; d1_s <= 0; d2_s <= 0; d3_s <= 0;
      roots <= 0; roots_fin <= 0; changed <= 0;
      out_pend <= 1'b0; o_slot <= 0; o_ok <= 1'b0; o_fail <= 1'b0; o_cnt <= 0; o_ers <= 0;
   end else if (ce) begin
      if (clr) begin
         scanning <= 1'b0; sc <= 0;
         c_slot <= 0; c_ers <= 0; c_nz <= 1'b0; c_lfail <= 1'b0; c_len <= 0;
         t_ers <= 0; t_nz <= 1'b0; t_lfail <= 1'b0; t_len <= 0;
         d1_v <= 1'b0; d2_v <= 1'b0; d3_v <= 1'b0;
         d1_p <= 0; d2_p <= 0; d3_p <= 0; d1_s <= 0; d2_s <= 0; d3_s <= 0;
         roots <= 0; roots_fin <= 0; changed <= 0;
         out_pend <= 1'b0; o_slot <= 0; o_ok <= 1'b0; o_fail <= 1'b0; o_cnt <= 0; o_ers <= 0;
      end else begin
         if (load) begin
            scanning <= 1'b1;
            sc <= 0;
            c_slot <= s_slot; c_ers <= s_ers; c_nz <= kq_nz; c_lfail <= kq_lfail;
            c_len <= kq_len;
         end else if (scanning) begin
            if (sc == N - 1)
               scanning <= 1'b0;
            else
               sc <= sc + 1'b1;
         end
         if (scanning && sc == N - 1) begin
            t_ers <= c_ers; t_nz <= c_nz; t_lfail <= c_lfail; t_len <= c_len;
         end
         d1_v <= scanning; d1_p <= sc; d1_s <= c_slot;
         d2_v <= d1_v; d2_p <= d1_p; d2_s <= d1_s;
         d3_v <= d2_v; d3_p <= d2_p; d3_s <= d2_s;
         if (d1_v) begin
            roots <= roots_now;
            if (d1_p == N - 1)
               roots_fin <= roots_now;
         end
         if (d3_v)
            changed <= changed_now;
         if (d3_v && d3_p == N - 1) begin
            out_pend <= 1'b1;
            o_slot <= d3_s;
            o_ok <= w_ok;
            o_fail <= w_fail;
            o_cnt <= w_ok ? changed_now : {CW{1'b0}};
            o_ers <= t_ers;
         end else if (ostart)
            out_pend <= 1'b0;
      end
   end
end

rs_decoder_ram #(.AW(M + 1), .DW(M)) u_errors(
   .clk(clk), .ce(ce),
   .we(d3_v), .waddr({d3_s[0], d3_p}), .wdata(evalue),
   .raddr({cur_slot[0], op}), .rdata(ev_q));

// ---------------------------------------------------------------- output

assign ostart = out_pend & (~out_busy | op == N - 1);

always @(posedge clk or negedge rst_n) begin
   if (!rst_n) begin
      out_busy <= 1'b0; op <= 0; cur_slot <= 0; cur_ok <= 1'b0; cur_fail <= 1'b0;
      cur_cnt <= 0; cur_ers <= 0;
      r1_v <= 1'b0; r1_first <= 1'b0; r1_last <= 1'b0; r1_ok <= 1'b0; r1_fail <= 1'b0;
      r1_cnt <= 0; r1_ers <= 0;
      out_valid <= 1'b0; out_first <= 1'b0; out_last <= 1'b0; dout <= 0; dout_rx <= 0;
      out_fail <= 1'b0; out_cnt <= 0; out_ers <= 0;
   end else if (ce) begin
      if (clr) begin
         out_busy <= 1'b0; op <= 0; cur_slot <= 0; cur_ok <= 1'b0; cur_fail <= 1'b0;
         cur_cnt <= 0; cur_ers <= 0;
         r1_v <= 1'b0; r1_first <= 1'b0; r1_last <= 1'b0; r1_ok <= 1'b0; r1_fail <= 1'b0;
         r1_cnt <= 0; r1_ers <= 0;
         out_valid <= 1'b0; out_first <= 1'b0; out_last <= 1'b0; dout <= 0; dout_rx <= 0;
         out_fail <= 1'b0; out_cnt <= 0; out_ers <= 0;
      end else begin
         if (ostart) begin
            out_busy <= 1'b1;
            op <= 0;
            cur_slot <= o_slot; cur_ok <= o_ok; cur_fail <= o_fail;
            cur_cnt <= o_cnt; cur_ers <= o_ers;
         end else if (out_busy) begin
            if (op == N - 1)
               out_busy <= 1'b0;
            else
               op <= op + 1'b1;
         end
         r1_v <= out_busy; r1_first <= (op == 0); r1_last <= (op == N - 1);
         r1_ok <= cur_ok; r1_fail <= cur_fail; r1_cnt <= cur_cnt; r1_ers <= cur_ers;
         out_valid <= r1_v;
         out_first <= r1_v & r1_first;
         out_last <= r1_v & r1_last;
         dout <= fixed_port;
         dout_rx <= rx_port;
         out_fail <= r1_fail;
         out_cnt <= r1_cnt;
         out_ers <= r1_ers;
      end
   end
end

endmodule
