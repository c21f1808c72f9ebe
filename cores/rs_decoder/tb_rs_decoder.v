`timescale 1ns/1ns
`default_nettype none
// Self-checking testbench of the decoder: the AXI4-Stream top
// rs_decoder_axis, or with TB_NATIVE defined the native top rs_decoder.
//
// tb_in.hex: one received symbol per line, {erased, last, data};
// tb_out.hex: one expected symbol per line, {count, failure, last, data}.
// Every output symbol is compared in order, each signal on its own with
// !==, so X or Z never passes; the last line printed is PASS or FAIL.
//
// AXI4-Stream top: the source leaves random gaps in s_axis_tvalid, the sink
// drops m_axis_tready at random (both seeded by TB_SEED), long bursts and
// stalls included. The first words go in at full rate with the sink always
// ready: s_axis_tready may then be low for at most TB_GAP clocks before a
// word (0: back to back).
//
// Native top: random clk_en gaps (CLK_ENABLED) and gaps between words (a
// word's symbols follow sync on consecutive enabled clocks, and a stray
// sync inside a word must be ignored) or between symbols (din_en); the
// symbol beside each output (din_dly), the failure flag, err_cnt and
// ers_cnt are checked too. Under SYNC_RST_ENABLED sr is raised now and then
// in the middle of a word: every word inside the core is dropped, the
// source starts that word again and the expected output goes on with it.
`include "tb_config.vh"
module tb_rs_decoder;

localparam M  = `INPUT_DATA_WIDTH;
localparam N  = `TB_N;
localparam UW = `CNTJWIDTH + 1;
localparam IW = M + 2;
localparam OW = UW + 1 + M;
localparam FULL_BEATS = (`TB_IN_BEATS < 6 * `TB_N) ? `TB_IN_BEATS : 6 * `TB_N;
localparam WORDS = `TB_IN_BEATS / `TB_N;

reg  [IW-1:0]  in_beats  [0:`TB_IN_BEATS-1];
reg  [OW-1:0]  out_beats [0:`TB_OUT_BEATS-1];
integer        seed, sent, received, cycles, idle_rate, stall_rate, waited;
reg            took;
reg  [OW-1:0]  expect_beat;
reg            failed;

task fail_at;
   input [8*48-1:0] what;
   begin
      $display("FAIL: output symbol %0d (word %0d): %0s; expected {count, failure, last, data} %h",
               received, received / N, what, expect_beat);
      failed = 1'b1;
      $finish;
   end
endtask

`ifndef TB_NATIVE
// ------------------------------------------------------------ AXI4-Stream top
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
      if (s_axis_tready !== 1'b0 && s_axis_tready !== 1'b1) begin
         $display("FAIL: s_axis_tready is %b", s_axis_tready);
         $finish;
      end
      if (m_axis_tvalid !== 1'b0 && m_axis_tvalid !== 1'b1) begin
         $display("FAIL: m_axis_tvalid is %b", m_axis_tvalid);
         $finish;
      end
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
         expect_beat = out_beats[received];
         if (m_axis_tdata !== expect_beat[M-1:0])
            fail_at("tdata");
         if (m_axis_tlast !== expect_beat[M])
            fail_at("tlast");
         if (m_axis_tuser[0] !== expect_beat[M+1])
            fail_at("tuser bit 0 (failure)");
         if (m_axis_tuser[UW-1:1] !== expect_beat[OW-1:M+2])
            fail_at("tuser count");
         received = received + 1;
         if (received == `TB_OUT_BEATS && !failed) begin
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
   sent = 0; received = 0; cycles = 0; took = 1'b0; failed = 1'b0;
   idle_rate = 0; stall_rate = 0; waited = 0;
   aclk = 1'b0; aresetn = 1'b0;
   s_axis_tvalid = 1'b0; s_axis_tuser = 1'b0; s_axis_tlast = 1'b0; s_axis_tdata = 0;
   m_axis_tready = 1'b0;
   #22 aresetn = 1'b1;
end

`else
// ------------------------------------------------------------ native top
reg            clk;
reg            rst_n;
reg            sr;              // held low without SYNC_RST_ENABLED
reg            clk_en;          // held high without CLK_ENABLED
reg            start;           // sync, or din_en
reg            din_ers;
reg  [M-1:0]   din;
wire           rdy;
wire [M-1:0]   din_dly;
wire           fail;
`ifdef ERR_CNT_ENABLED
wire [`ERRCNTWIDTH-1:0] err_cnt;
`endif
wire [UW-1:0]  ers_cnt;
wire           dout_valid;
wire           dout_start;
wire           dout_end;
wire [M-1:0]   dout;
reg  [UW-1:0]  ers_expect [0:WORDS-1];  // erasure flags of each word, saturated
integer        pos, sr_left, sr_word, sr_pos, resets, w, p, flags;

rs_decoder dut(
   .clk(clk), .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(sr),
`endif
`ifdef CLK_ENABLED
   .clk_en(clk_en),
`endif
`ifdef SYNC_START_PULSE
   .sync(start),
`else
   .din_en(start),
`endif
`ifdef ERASURE
   .din_ers(din_ers),
`endif
   .din(din), .rdy(rdy),
`ifdef DATA_DELAYED
   .din_dly(din_dly),
`endif
`ifdef FAILPIN
   .fail(fail),
`endif
`ifdef ERR_CNT_ENABLED
   .err_cnt(err_cnt),
`endif
`ifdef ERS_CNT_ENABLED
   .ers_cnt(ers_cnt),
`endif
   .dout_valid(dout_valid), .dout_start(dout_start), .dout_end(dout_end), .dout(dout));

always #5 clk = ~clk;

// Sampled on the rising edge: only enabled clocks move the core.
always @(posedge clk) begin
   if (rst_n) begin
      cycles = cycles + 1;
      if (rdy !== 1'b0 && rdy !== 1'b1) begin
         $display("FAIL: rdy is %b", rdy);
         $finish;
      end
      if (dout_valid !== 1'b0 && dout_valid !== 1'b1) begin
         $display("FAIL: dout_valid is %b", dout_valid);
         $finish;
      end
      if (clk_en) begin
`ifdef SYNC_START_PULSE
         // inside a word the symbols follow on every enabled clock
         if (pos != 0 && !sr && rdy !== 1'b1) begin
            $display("FAIL: rdy low inside word %0d", sent / N);
            $finish;
         end
         took = !sr && (pos != 0 || (start && rdy));
`else
         took = !sr && start && rdy;
`endif
         if (took) begin
            sent = sent + 1;
            pos = (pos == N - 1) ? 0 : pos + 1;
         end
         if (dout_valid) begin
            expect_beat = out_beats[received];
            if (dout !== expect_beat[M-1:0])
               fail_at("dout");
            if (dout_start !== (received % N == 0))
               fail_at("dout_start");
            if (dout_end !== expect_beat[M])
               fail_at("dout_end");
`ifdef FAILPIN
            if (fail !== expect_beat[M+1])
               fail_at("fail");
`endif
`ifdef ERR_CNT_ENABLED
            if (err_cnt !== expect_beat[M+2 +: `ERRCNTWIDTH])
               fail_at("err_cnt");
`endif
`ifdef ERS_CNT_ENABLED
            if (ers_cnt !== ers_expect[received / N])
               fail_at("ers_cnt");
`endif
`ifdef DATA_DELAYED
            if (din_dly !== in_beats[received][M-1:0])
               fail_at("din_dly (the received symbol)");
`endif
            received = received + 1;
            if (received == `TB_OUT_BEATS && !failed) begin
               $display("PASS");
               $finish;
            end
         end
         if (sr) begin
            // the core is cleared on this edge: the word being received
            // starts again, the words inside are lost
            sent = sent - pos;
            pos = 0;
            received = sent;
            sr_left = sr_left - 1;
         end
      end
      if (cycles > 16 * `TB_IN_BEATS + 40 * `TB_N + 2000) begin
         $display("FAIL: timeout after %0d clocks, %0d symbols in, %0d out", cycles, sent,
                  received);
         $finish;
      end
   end
end

// Stimulus on the falling edge: a symbol not taken stays.
always @(negedge clk) begin
   if (rst_n) begin
`ifdef CLK_ENABLED
      // mostly enabled, now and then a long gap
      if ({$random(seed)} % 256 == 0)
         idle_rate = ({$random(seed)} % 2 == 0) ? 7 : 2;
      else if ({$random(seed)} % 64 == 0)
         idle_rate = 0;
      clk_en = ({$random(seed)} % 8 >= idle_rate);
`endif
`ifdef SYNC_RST_ENABLED
      if (sr_left == 0 && sent / N == sr_word && pos == sr_pos && resets < 6 &&
          sent / N + 4 < WORDS) begin
         sr_left = 1 + {$random(seed)} % 3;
         resets = resets + 1;
         sr_word = sr_word + 3 + {$random(seed)} % 8;
         sr_pos = 1 + {$random(seed)} % (N - 1);
      end
`endif
      sr = (sr_left > 0);
      if (sr || sent == `TB_IN_BEATS) begin
         start = 1'b0;
         {din_ers, din} = {M+1{1'bx}};
      end else if (took || !start) begin
`ifdef SYNC_START_PULSE
         if (pos != 0) begin
            // a stray sync inside a word
            start = ({$random(seed)} % 16 == 0);
            {din_ers, din} = {in_beats[sent][IW-1], in_beats[sent][M-1:0]};
         end else
`endif
         if ({$random(seed)} % 8 >= stall_rate) begin
            start = 1'b1;
            {din_ers, din} = {in_beats[sent][IW-1], in_beats[sent][M-1:0]};
         end else begin
            start = 1'b0;
            {din_ers, din} = {M+1{1'bx}};
         end
      end
      took = 1'b0;
      if ({$random(seed)} % 512 == 0)
         stall_rate = {$random(seed)} % 4;
   end
end

initial begin
   seed = `TB_SEED;
   $readmemh("tb_in.hex", in_beats);
   $readmemh("tb_out.hex", out_beats);
   for (w = 0; w < WORDS; w = w + 1) begin
      flags = 0;
      for (p = 0; p < N; p = p + 1)
         flags = flags + in_beats[w * N + p][IW-1];
`ifdef ERASURE
      ers_expect[w] = (flags > `MAX_NUM_ERSRS) ? `MAX_NUM_ERSRS + 1 : flags;
`else
      ers_expect[w] = 0;
`endif
   end
   sent = 0; received = 0; cycles = 0; took = 1'b0; failed = 1'b0;
   idle_rate = 1; stall_rate = 1; waited = 0;
   pos = 0; sr_left = 0; resets = 0; sr_word = 2; sr_pos = N / 2;
   clk = 1'b0; rst_n = 1'b0; sr = 1'b0; clk_en = 1'b1;
   start = 1'b0; din_ers = 1'b0; din = 0;
   #22 rst_n = 1'b1;
end

// what the defines leave without a port
`ifndef DATA_DELAYED
assign din_dly = {M{1'b0}};
`endif
`ifndef FAILPIN
assign fail = 1'b0;
`endif
`ifndef ERS_CNT_ENABLED
assign ers_cnt = {UW{1'b0}};
`endif
`endif

endmodule

`default_nettype wire
