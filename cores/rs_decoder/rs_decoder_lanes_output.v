`timescale 1ns/1ns
`default_nettype none
// Output stage of the decoder at P symbols per beat: a decided word out,
// W beats on W consecutive enabled clocks, each lane the received symbol
// from the codeword buffer XOR its error value from the error buffer (the
// received symbol alone when the word is not decoded, or always under
// DETECT, the flag and count given all the same); out_keep marks the
// lanes that hold symbols (all but in the word's last beat, where the
// others are zero). The word's failure flag and counts are steady over its
// beats.
//
// ostart takes the search stage's word (out_pend) when the stage is free or
// on its last beat, so words follow back to back. The first beat is on
// dout three enabled clocks after ostart.
module rs_decoder_lanes_output #(
   parameter M     = 8,    // symbol bits
   parameter P     = 4,    // symbols per beat
   parameter WB    = 6,    // beat index bits
   parameter QW    = 3,    // bits of a lane count 0 .. P
   parameter CNTW  = 5,    // count width: clog2(r) + 1
   parameter CCSDS = 0,    // dual-basis symbols at dout
   parameter DETECT = 0    // the received symbols out, corrected or not
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
   input  wire [WB-1:0]        o_last,     // the word's last beat (by its slot)
   input  wire [QW-1:0]        o_q,        // symbols in that beat
   // buffer read ports: data one enabled clock after the address
   output wire [WB+1:0]        buf_raddr,
   input  wire [P*M-1:0]       rx_q,
   output wire [WB+1:0]        err_raddr,
   input  wire [P*M-1:0]       ev_q,
   // decoded beats, one per enabled clock while out_valid
   output reg                  out_valid,
   output reg                  out_first,
   output reg                  out_last,
   output reg  [P-1:0]         out_keep,
   output reg  [P*M-1:0]       dout,
   output reg                  out_fail,   // the word could not be decoded
   output reg  [CNTW-1:0]      out_cnt,    // symbols changed in the word
   output reg  [CNTW:0]        out_ers     // erasure flags in the word
);

localparam CW = CNTW;

reg            out_busy;
reg  [WB-1:0]  op;
reg  [WB-1:0]  cur_last;
reg            op_last;        // op == cur_last while busy, as a register
reg  [QW-1:0]  cur_q;
reg  [1:0]     cur_slot;
reg            cur_ok, cur_fail;
reg  [CW-1:0]  cur_cnt;
reg  [CW:0]    cur_ers;
reg            r1_v, r1_first, r1_last, r1_ok, r1_fail;
reg  [P-1:0]   r1_keep;
reg  [CW-1:0]  r1_cnt;
reg  [CW:0]    r1_ers;
reg  [P-1:0]   keep_now;
wire [P*M-1:0] fixed;
wire [P*M-1:0] fixed_port;     // in the ports' basis
integer        i;
assign buf_raddr = {cur_slot, op};
assign err_raddr = {cur_slot, op};
assign ostart = out_pend & (~out_busy | op_last);

always @* begin
   for (i = 0; i < P; i = i + 1)
      keep_now[i] = ~op_last | (i < cur_q);
end

genvar l;
generate
   for (l = 0; l < P; l = l + 1) begin : lane
      assign fixed[l*M +: M] = r1_keep[l] ?
         (rx_q[l*M +: M] ^ ((r1_ok && DETECT == 0) ? ev_q[l*M +: M] : {M{1'b0}})) : {M{1'b0}};
      if (CCSDS != 0) begin : dual
         rs_decoder_ccsds_basis #(.TO_DUAL(1)) u_fixed_dual(
            .din(fixed[l*M +: M]), .dout(fixed_port[l*M +: M]));
      end else begin : poly
         assign fixed_port[l*M +: M] = fixed[l*M +: M];
      end
   end
endgenerate

always @(posedge clk) begin
   if (!rst_n || (ce && clr)) begin
      out_busy <= 1'b0; op <= 0; op_last <= 1'b0; cur_last <= 0; cur_q <= 0; cur_slot <= 0;
      cur_ok <= 1'b0; cur_fail <= 1'b0; cur_cnt <= 0; cur_ers <= 0;
      r1_v <= 1'b0; r1_first <= 1'b0; r1_last <= 1'b0; r1_ok <= 1'b0; r1_fail <= 1'b0;
      r1_keep <= 0; r1_cnt <= 0; r1_ers <= 0;
      out_valid <= 1'b0; out_first <= 1'b0; out_last <= 1'b0; out_keep <= 0; dout <= 0;
      out_fail <= 1'b0; out_cnt <= 0; out_ers <= 0;
   end else if (ce) begin
      if (ostart) begin
         out_busy <= 1'b1;
         op <= 0;
         op_last <= (o_last == 0);
         cur_last <= o_last; cur_q <= o_q;
         cur_slot <= o_slot; cur_ok <= o_ok; cur_fail <= o_fail;
         cur_cnt <= o_cnt; cur_ers <= o_ers;
      end else if (out_busy) begin
         if (op_last)
            out_busy <= 1'b0;
         else begin
            op <= op + 1'b1;
            op_last <= (op + 1'b1 == cur_last);
         end
      end
      r1_v <= out_busy; r1_first <= (op == 0); r1_last <= op_last; r1_keep <= keep_now;
      r1_ok <= cur_ok; r1_fail <= cur_fail; r1_cnt <= cur_cnt; r1_ers <= cur_ers;
      out_valid <= r1_v;
      out_first <= r1_v & r1_first;
      out_last <= r1_v & r1_last;
      out_keep <= r1_keep;
      dout <= fixed_port;
      out_fail <= r1_fail;
      out_cnt <= r1_cnt;
      out_ers <= r1_ers;
   end
end

endmodule

`default_nettype wire
