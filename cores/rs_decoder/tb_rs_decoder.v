`timescale 1ns/1ns
// Self-checking testbench of rs_decoder_axis. tb_in.hex: one received beat
// per line, {tuser (erased), tlast, tdata}; tb_out.hex: one expected beat per
// line, {tuser (changed count, failure), tlast, tdata}. The source leaves
// random gaps in s_axis_tvalid, the sink drops m_axis_tready at random (both
// seeded by TB_SEED); every output beat is compared in order. The first
// words go in at full rate with the sink always ready: s_axis_tready may
// then be low for at most TB_GAP clocks before a word (0: back to back).
`include "tb_config.vh"
module tb_rs_decoder;

localparam M  = `INPUT_DATA_WIDTH;
localparam UW = `CNTJWIDTH + 1;
localparam IW = M + 2;
localparam OW = UW + 1 + M;
localparam FULL_BEATS = (`TB_IN_BEATS < 6 * `TB_N) ? `TB_IN_BEATS : 6 * `TB_N;

reg            aclk;
reg            aresetn;
reg  [M-1:0]   s_axis_tdata;
reg            s_axis_tuser;
reg            s_axis_tvalid;
wire           s_axis_tready;
reg            s_axis_tlast;
wire [M-1:0]   m_axis_tdata;
wire           m_axis_tvalid;
reg            m_axis_tready;
wire           m_axis_tlast;
wire [UW-1:0]  m_axis_tuser;

reg  [IW-1:0]  in_beats  [0:`TB_IN_BEATS-1];
reg  [OW-1:0]  out_beats [0:`TB_OUT_BEATS-1];
integer        seed, sent, received, cycles, idle_rate, stall_rate, waited;
reg            took;

rs_decoder_axis dut(
   .aclk(aclk), .aresetn(aresetn),
   .s_axis_tdata(s_axis_tdata), .s_axis_tuser(s_axis_tuser), .s_axis_tvalid(s_axis_tvalid),
   .s_axis_tready(s_axis_tready), .s_axis_tlast(s_axis_tlast),
   .m_axis_tdata(m_axis_tdata), .m_axis_tvalid(m_axis_tvalid), .m_axis_tready(m_axis_tready),
   .m_axis_tlast(m_axis_tlast), .m_axis_tuser(m_axis_tuser));

always #5 aclk = ~aclk;

// Handshakes are sampled on the rising edge ...
always @(posedge aclk) begin
   if (aresetn) begin
      cycles = cycles + 1;
      took = s_axis_tvalid && s_axis_tready;
      if (sent < FULL_BEATS && s_axis_tvalid && !s_axis_tready) begin
         waited = waited + 1;
         if (waited > `TB_GAP) begin
            $display("FAIL: s_axis_tready low for %0d clocks at full rate before beat %0d, at most %0d expected",
                     waited, sent, `TB_GAP);
            $finish;
         end
      end
      if (took) begin
         sent = sent + 1;
         waited = 0;
      end
      if (m_axis_tvalid && m_axis_tready) begin
         if ({m_axis_tuser, m_axis_tlast, m_axis_tdata} !== out_beats[received]) begin
            $display("FAIL: output beat %0d (word %0d): tuser %h tlast %b tdata %h, expected %h",
                     received, received / `TB_N, m_axis_tuser, m_axis_tlast, m_axis_tdata,
                     out_beats[received]);
            $finish;
         end
         received = received + 1;
         if (received == `TB_OUT_BEATS) begin
            $display("PASS");
            $finish;
         end
      end
      if (cycles > 8 * `TB_IN_BEATS + 20 * `TB_N + 1000) begin
         $display("FAIL: timeout after %0d clocks, %0d beats in, %0d beats out", cycles, sent,
                  received);
         $finish;
      end
   end
end

// ... and the stimulus changes on the falling one. A beat, once offered,
// stays until it is taken.
always @(negedge aclk) begin
   if (aresetn) begin
      if (!s_axis_tvalid || took) begin
         if (sent < `TB_IN_BEATS && {$random(seed)} % 8 >= idle_rate) begin
            s_axis_tvalid = 1'b1;
            {s_axis_tuser, s_axis_tlast, s_axis_tdata} = in_beats[sent];
         end else begin
            s_axis_tvalid = 1'b0;
            {s_axis_tuser, s_axis_tlast, s_axis_tdata} = {IW{1'bx}};
         end
      end
      took = 1'b0;
      m_axis_tready = ({$random(seed)} % 8 >= stall_rate);
      // after the full-rate words, gaps and stalls; now and then the rates
      // change: long bursts, long gaps
      if (sent == FULL_BEATS && idle_rate == 0 && stall_rate == 0) begin
         idle_rate = 1;
         stall_rate = 1;
      end else if (sent >= FULL_BEATS && $random(seed) % 512 == 0) begin
         idle_rate = {$random(seed)} % 4;
         stall_rate = {$random(seed)} % 4;
      end
   end
end

initial begin
   seed = `TB_SEED;
   $readmemh("tb_in.hex", in_beats);
   $readmemh("tb_out.hex", out_beats);
   sent = 0; received = 0; cycles = 0; took = 1'b0;
   idle_rate = 0; stall_rate = 0; waited = 0;
   aclk = 1'b0; aresetn = 1'b0;
   s_axis_tvalid = 1'b0; s_axis_tuser = 1'b0; s_axis_tlast = 1'b0; s_axis_tdata = 0;
   m_axis_tready = 1'b0;
   #22 aresetn = 1'b1;
end

endmodule
