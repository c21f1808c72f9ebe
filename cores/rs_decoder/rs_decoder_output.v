`timescale 1ns/1ns
`default_nettype none
// Output stage of the decoder: a decided word out, n symbols on n
// consecutive enabled clocks, each the received symbol from the codeword
// buffer XOR its error value from the error buffer (the received symbol
// alone when the word is not decoded), with the word's failure flag and
// counts steady over the n symbols.
//
// ostart takes the search stage's word (out_pend) when the stage is free or
// on its last symbol, so words follow back to back. The buffers' reads take
// one clock and the outputs are registered: the first symbol is on dout
// three enabled clocks after ostart.
module rs_decoder_output #(
   parameter M     = 8,    // symbol bits
   parameter N     = 255,  // symbols per word
   parameter CNTW  = 5,    // count width: clog2(r) + 1
   parameter CCSDS = 0     // dual-basis symbols at dout, dout_rx
) (
   input  wire                 clk,
   input  wire                 rst_n,      // synchronous reset, active low
   input  wire                 clr,        // synchronous clear on an enabled clock
   input  wire                 ce,         // clock enable
   // from the search stage
   input  wire                 out_pend,
   output wire                 ostart,     // the word is taken
   input  wire [1:0]           o_slot,
   input  wire                 o_ok,
   input  wire                 o_fail,
   input  wire [CNTW-1:0]      o_cnt,
   input  wire [CNTW:0]        o_ers,
   // buffer read ports: data one enabled clock after the address
   output wire [M+1:0]         buf_raddr,
   input  wire [M-1:0]         rx_q,
   output wire [M:0]           err_raddr,
   input  wire [M-1:0]         ev_q,
   // decoded symbols, one per enabled clock while out_valid
   output reg                  out_valid,
   output reg                  out_first,
   output reg                  out_last,
   output reg  [M-1:0]         dout,
   output reg  [M-1:0]         dout_rx,    // the received symbol
   output reg                  out_fail,   // the word could not be decoded
   output reg  [CNTW-1:0]      out_cnt,    // symbols changed in the word
   output reg  [CNTW:0]        out_ers     // erasure flags in the word
);

localparam CW = CNTW;
localparam [M-1:0] NLAST = N - 1;

reg            out_busy;
reg  [M-1:0]   op;
reg  [1:0]     cur_slot;
reg            cur_ok, cur_fail;
reg  [CW-1:0]  cur_cnt;
reg  [CW:0]    cur_ers;
reg            r1_v, r1_first, r1_last, r1_ok, r1_fail;
reg  [CW-1:0]  r1_cnt;
reg  [CW:0]    r1_ers;
wire [M-1:0]   fixed = rx_q ^ (r1_ok ? ev_q : {M{1'b0}});
wire [M-1:0]   fixed_port;     // in the ports' basis
wire [M-1:0]   rx_port;
assign buf_raddr = {cur_slot, op};
assign err_raddr = {cur_slot[0], op};
assign ostart = out_pend & (~out_busy | op == NLAST);

generate
   if (CCSDS != 0) begin : dual
      rs_decoder_ccsds_basis #(.TO_DUAL(1)) u_fixed_dual(.din(fixed), .dout(fixed_port));
      rs_decoder_ccsds_basis #(.TO_DUAL(1)) u_rx_dual(.din(rx_q), .dout(rx_port));
   end else begin : poly
      assign fixed_port = fixed;
      assign rx_port = rx_q;
   end
endgenerate

always @(posedge clk) begin
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
            if (op == NLAST)
               out_busy <= 1'b0;
            else
               op <= op + 1'b1;
         end
         r1_v <= out_busy; r1_first <= (op == 0); r1_last <= (op == NLAST);
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

`default_nettype wire
