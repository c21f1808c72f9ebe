`timescale 1ns/1ns
`default_nettype none
// Input stage of the decoder: received symbols into the codeword buffer
// (four words of 2^M symbols, block RAM) and into synd (Horner syndromes);
// under ERASURE the locators beta^(n-1-p) of the erased positions from
// gfromxp into a list of EMAX, the erasure flags counted up to EMAX + 1.
//
// A symbol is taken on an enabled clock with in_valid and in_ready. When
// the n-th symbol of a word is in, the word waits for the solve stage:
// cap is high on the enabled clock where the solver is idle, synd then
// captures the syndromes (the solver reads them through sel_synd / synd_j)
// and the stage takes the next word's first symbol on the same clock;
// until then in_ready is low before the next word. wslot, ecnt and elist
// describe the word just completed on the clock of cap.
//
// synd is corrgen's: its rst_n clears it at once, its sr port (under
// SYNC_RST_ENABLED) takes clr; the rest of the stage resets synchronously.
module rs_decoder_input #(
   parameter M       = 8,    // symbol bits
   parameter N       = 255,  // symbols per word
   parameter CNTW    = 5,    // count width: clog2(r) + 1
   parameter SW      = 4,    // syndrome select bits
   parameter ERASURE = 0,    // erasure decoding
   parameter EMAX    = 0,    // most erasures per word (ERASURE)
   parameter CCSDS   = 0     // dual-basis symbols at din
) (
   input  wire                 clk,
   input  wire                 rst_n,      // synchronous reset, active low
   input  wire                 clr,        // synchronous clear on an enabled clock
   input  wire                 ce,         // clock enable
   // received symbols
   input  wire                 in_valid,
   output wire                 in_ready,
   output wire                 in_mid,     // a word is partly received
   input  wire [M-1:0]         din,
   input  wire                 din_ers,    // this symbol is erased (ERASURE)
   // hand-over to the solve stage
   input  wire                 solver_idle,
   output wire                 cap,        // syndromes captured, the solver starts
   output reg  [1:0]           wslot,      // buffer slot of the word being received
   output reg  [CNTW:0]        ecnt,       // erasure flags of the word, up to EMAX + 1
   output wire [((EMAX > 0) ? EMAX : 1)*M-1:0] elist, // their locators, the first in the low bits
   input  wire [SW-1:0]        sel_synd,   // synd's syndrome read port
   output wire [M-1:0]         synd_j,
   // codeword buffer read port (output stage): rx_q one enabled clock after raddr
   input  wire [M+1:0]         buf_raddr,
   output wire [M-1:0]         rx_q        // in the polynomial basis
);

localparam EXW = ((EMAX > 0) ? EMAX : 1) * M;
localparam [M-1:0]  NLAST = N - 1;
localparam [CNTW:0] EMAXC = EMAX;

reg  [M-1:0]   pos;            // position of the next symbol
reg            first;          // pos == 0, as a register
reg            last;           // pos == n - 1, as a register (both gate the input's hand-shake)
reg            cap_pend;       // a word is complete, its syndromes not yet captured
wire           accept = in_valid & in_ready;
wire [M-1:0]   rxsym;          // the received symbol in the polynomial basis
wire           ers = (ERASURE != 0) & din_ers;
wire           unused_ers = (ERASURE == 0) & din_ers;  // without erasure decoding the flags are ignored
assign cap = cap_pend & solver_idle;
assign in_ready = ~cap_pend | solver_idle;
assign in_mid   = ~first;

generate
   if (CCSDS != 0) begin : dual
      rs_decoder_ccsds_basis #(.TO_DUAL(0)) u_from_dual(.din(din), .dout(rxsym));
   end else begin : poly
      assign rxsym = din;
   end
endgenerate

// pos, first, last, wslot and cap_pend are reset (and cleared by clr);
// ecnt is loaded with the first symbol of every word.
always @(posedge clk) begin
   if (ce) begin
      if (clr) begin
         pos <= 0; first <= 1'b1; last <= 1'b0; wslot <= 0; cap_pend <= 1'b0;
      end else begin
         if (accept) begin
            first <= last;
            if (last) begin
               pos <= 0;
               last <= 1'b0;
               wslot <= wslot + 1'b1;
            end else begin
               pos <= pos + 1'b1;
               last <= (pos == NLAST - 1'b1);
            end
            if (first)
               ecnt <= {{CNTW{1'b0}}, ers};
            else if (ers && ecnt <= EMAXC)
               ecnt <= ecnt + 1'b1;
         end
         if (accept && last)
            cap_pend <= 1'b1;
         else if (cap)
            cap_pend <= 1'b0;
      end
   end
   if (!rst_n) begin
      pos <= 0; first <= 1'b1; last <= 1'b0; wslot <= 0; cap_pend <= 1'b0;
   end
end

generate
   if (ERASURE != 0) begin : erasure
      // The locator of position p is beta^(n-1-p); n-1-p counts down beside
      // pos (a register, so no subtraction lies before the ROM).
      wire [M-1:0]   xloc;
      reg  [M-1:0]   xexp;
      reg  [EXW-1:0] list;
      gfromxp u_gfromxp(.address(xexp), .romout(xloc));

      always @(posedge clk) begin
         if (!rst_n)
            xexp <= NLAST;
         else if (ce) begin
            if (clr || (accept && last))
               xexp <= NLAST;
            else if (accept)
               xexp <= xexp - 1'b1;
         end
      end

      always @(posedge clk) begin
         if (ce && accept && ers) begin
            if (first)
               list[M-1:0] <= xloc;
            else if (ecnt < EMAXC)
               list[ecnt*M +: M] <= xloc;
         end
      end
      assign elist = list;
   end else begin : no_erasure
      assign elist = {EXW{1'b0}};
   end
endgenerate

rs_decoder_ram #(.AW(M + 2), .DW(M)) u_buffer(
   .clk(clk), .ce(ce),
   .we(accept), .waddr({wslot, pos}), .wdata(rxsym),
   .raddr(buf_raddr), .rdata(rx_q));

wire [M-1:0]   unused_synd_lsb;
`ifndef ERASURE
wire           unused_synd_lsb0;
`endif

synd u_synd(
   .clk_en(ce), .clk(clk), .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(clr),
`endif
   .sync(accept & first), .synd_en(accept & ~first),
   .synd_rdy_int(cap), .ready_int(cap), .sel_synd(sel_synd),
`ifndef ERASURE
   .synd_lsb0(unused_synd_lsb0),
`endif
   .synd_j(synd_j), .synd_lsb(unused_synd_lsb), .din(rxsym));

endmodule

`default_nettype wire
