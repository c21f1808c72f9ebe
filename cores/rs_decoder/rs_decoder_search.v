`timescale 1ns/1ns
`default_nettype none
// Search stage of the decoder: chiensearch and errmag, loaded with sigma and
// omega (load, their mxsel), run over the n positions, one per enabled
// clock; the error value of every position goes into the error buffer (two
// words of 2^M symbols) and the roots are counted. Three clocks after the
// last position the word's decision (failure, count of changed symbols)
// is handed to the output stage with out_pend, held until ostart.
//
// load takes the solver's result while done is high, the search is free
// (or on its last position) and the output stage has taken the word
// before. The error buffer's read port belongs to the output stage.
//
// chiensearch and errmag are corrgen's: their ports follow its defines
// (sr under SYNC_RST_ENABLED, errmag's FAILPIN path, where errvalinreg is
// the error value one clock before errval); their rst_n clears them at
// once, the rest of the stage resets synchronously.
module rs_decoder_search #(
   parameter M    = 8,    // symbol bits
   parameter N    = 255,  // symbols per word
   parameter T    = 8,    // locator terms
   parameter CNTW = 5,    // count width: clog2(r) + 1
   parameter EMAX = 0     // most erasures per word (0: none)
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
   // to the output stage: a decided word, held while out_pend, taken by ostart
   input  wire                 ostart,
   output reg                  out_pend,
   output reg  [1:0]           o_slot,     // its buffer slot
   output reg                  o_ok,       // decoded: apply the error values
   output reg                  o_fail,
   output reg  [CNTW-1:0]      o_cnt,      // symbols changed
   output reg  [CNTW:0]        o_ers,      // erasure flags
   // error buffer read port: ev_q one enabled clock after err_raddr
   input  wire [M:0]           err_raddr,
   output wire [M-1:0]         ev_q
);

localparam CW = CNTW;
localparam [M-1:0]  NLAST = N - 1;
localparam [CNTW:0] EMAXC = EMAX;

reg            scanning;
reg  [M-1:0]   sc;             // position whose point the next edge evaluates
reg            sc_last;        // sc == n - 1 while scanning, as a register (it gates load)
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
assign load = kq_done & (~scanning | sc_last) & ~out_pend;

chiensearch u_chien(
   .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(clr),
`endif
   .mxsel(load), .clk_en(ce), .clk(clk), .sigma(sigma),
   .sumoddreg(sumoddreg), .foundzero(foundzero));

errmag u_errmag(
   .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(clr),
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
wire           w_fail = (t_ers > EMAXC) | (t_nz & (t_lfail | roots_fin != t_len));
wire           w_ok = ~w_fail & t_nz;

// scanning, the valid flags and out_pend are reset (and cleared by clr);
// the rest is loaded before it is read: with load, at the end of the scan,
// or with position 0 of the word.
always @(posedge clk) begin
   if (ce) begin
      if (clr) begin
         scanning <= 1'b0; d1_v <= 1'b0; d2_v <= 1'b0; d3_v <= 1'b0; out_pend <= 1'b0;
      end else begin
         if (load) begin
            scanning <= 1'b1;
            sc <= 0;
            sc_last <= 1'b0;
            c_slot <= s_slot; c_ers <= s_ers; c_nz <= kq_nz; c_lfail <= kq_lfail;
            c_len <= kq_len;
         end else if (scanning) begin
            if (sc_last)
               scanning <= 1'b0;
            else begin
               sc <= sc + 1'b1;
               sc_last <= (sc == NLAST - 1'b1);
            end
         end
         if (scanning && sc_last) begin
            t_ers <= c_ers; t_nz <= c_nz; t_lfail <= c_lfail; t_len <= c_len;
         end
         d1_v <= scanning; d1_p <= sc; d1_s <= c_slot;
         d2_v <= d1_v; d2_p <= d1_p; d2_s <= d1_s;
         d3_v <= d2_v; d3_p <= d2_p; d3_s <= d2_s;
         if (d1_v) begin
            roots <= roots_now;
            if (d1_p == NLAST)
               roots_fin <= roots_now;
         end
         if (d3_v)
            changed <= changed_now;
         if (d3_v && d3_p == NLAST) begin
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
   if (!rst_n) begin
      scanning <= 1'b0; d1_v <= 1'b0; d2_v <= 1'b0; d3_v <= 1'b0; out_pend <= 1'b0;
   end
end

rs_decoder_ram #(.AW(M + 1), .DW(M)) u_errors(
   .clk(clk), .ce(ce),
   .we(d3_v), .waddr({d3_s[0], d3_p}), .wdata(evalue),
   .raddr(err_raddr), .rdata(ev_q));

endmodule

`default_nettype wire
