`timescale 1ns/1ns
// Reed-Solomon decoder, AXI4-Stream top.
//
// s_axis: one received symbol per beat, tuser high when it is erased
// (ignored without erasure decoding), tlast expected with the n-th symbol
// of a word (words are counted, n beats each; tlast is not checked).
// m_axis: one decoded symbol per beat, tlast with the n-th; tuser bit 0 is
// the word's decoding failure (the beats are then the received symbols),
// tuser bits CNTJWIDTH..1 the number of symbols the decoder changed in the
// word, the same on every beat of the word.
//
// The core runs while a two-beat output queue has room; a full queue (the
// sink holding m_axis_tready low) stops the whole core, input included.
// aresetn resets every register asynchronously; release it synchronously
// to aclk.
module rs_decoder_axis (
   input                          aclk,
   input                          aresetn,
   // received symbols
   input  [`INPUT_DATA_WIDTH-1:0] s_axis_tdata,
   input                          s_axis_tuser,
   input                          s_axis_tvalid,
   output                         s_axis_tready,
   input                          s_axis_tlast,
   // decoded symbols
   output [`INPUT_DATA_WIDTH-1:0] m_axis_tdata,
   output                         m_axis_tvalid,
   input                          m_axis_tready,
   output                         m_axis_tlast,
   output [`CNTJWIDTH:0]          m_axis_tuser
);

localparam M  = `INPUT_DATA_WIDTH;
localparam BW = M + 1 + `CNTJWIDTH + 1;   // a queued beat: tuser, tlast, tdata

wire            unused_tlast = s_axis_tlast;
reg  [1:0]      fill;                     // beats in the queue
reg             full;                     // fill == 2, as a register: ce reaches every register
reg  [BW-1:0]   q0, q1;                   // q0 is the head
wire            ce = ~full;
wire            in_ready;
wire            in_mid;
wire            out_valid;
wire            out_first;
wire            out_last;
wire [M-1:0]    dout;
wire [M-1:0]    dout_rx;
wire            out_fail;
wire [`CNTJWIDTH-1:0] out_cnt;
wire [`CNTJWIDTH:0]   out_ers;
wire            push = ce & out_valid;
wire            pop = m_axis_tvalid & m_axis_tready;
wire [BW-1:0]   beat = {out_cnt, out_fail, out_last, dout};

assign s_axis_tready = ce & in_ready;

rs_decoder_core u_core(
   .clk(aclk), .rst_n(aresetn),
`ifdef SYNC_RST_ENABLED
   .sr(1'b0),
`endif
   .ce(ce),
   .in_valid(s_axis_tvalid), .in_ready(in_ready), .in_mid(in_mid),
   .din(s_axis_tdata), .din_ers(s_axis_tuser),
   .out_valid(out_valid), .out_first(out_first), .out_last(out_last), .dout(dout),
   .dout_rx(dout_rx), .out_fail(out_fail), .out_cnt(out_cnt), .out_ers(out_ers));

wire unused_core = in_mid ^ out_first ^ (|dout_rx) ^ (|out_ers);

always @(posedge aclk or negedge aresetn) begin
   if (!aresetn) begin
      fill <= 2'd0;
      full <= 1'b0;
      q0 <= 0;
      q1 <= 0;
   end else begin
      case ({push, pop})
      2'b10: begin
         if (fill == 2'd0)
            q0 <= beat;
         else
            q1 <= beat;
         fill <= fill + 2'd1;
         full <= (fill == 2'd1);
      end
      2'b01: begin
         q0 <= q1;
         fill <= fill - 2'd1;
         full <= 1'b0;
      end
      2'b11: begin
         if (fill == 2'd1)
            q0 <= beat;
         else begin
            q0 <= q1;
            q1 <= beat;
         end
      end
      default: ;
      endcase
   end
end

assign m_axis_tvalid = (fill != 2'd0);
assign m_axis_tdata  = q0[M-1:0];
assign m_axis_tlast  = q0[M];
assign m_axis_tuser  = q0[BW-1:M+1];

endmodule
