`timescale 1ns/1ns
`default_nettype none
// Self-checking testbench of the decoder at P symbols per clock, through its
// AXI4-Stream top rs_decoder_lanes_axis.
//
// tb_in.hex: one received beat per line, {tuser (P erasure flags), tkeep,
// tlast, tdata}; tb_out.hex: one expected beat per line, {tuser (count,
// failure), tlast, tkeep, tdata}. Every output beat is compared in order,
// each field on its own with !==, so X or Z never passes; the last line
// printed is PASS or FAIL.
//
// The source leaves random gaps in s_axis_tvalid, the sink drops
// m_axis_tready at random (both seeded by TB_SEED), long bursts and stalls
// included. The first words go in at full rate with the sink always ready:
// s_axis_tready may then be low for at most TB_GAP clocks before a beat
// (0: words back to back). Under RS_DECODER_STATISTICS the counters and the
// symbol-error flag are compared at the end with those of the expected
// words.
`include "tb_config.vh"
module tb_rs_decoder_lanes;

localparam M  = `INPUT_DATA_WIDTH;
localparam P  = `RS_DECODER_SYMBOLS_PER_CLOCK;
localparam UW = `CNTJWIDTH + 1;
localparam IW = 2 * P + 1 + P * M;
localparam OW = UW + 1 + P + P * M;
localparam FULL_BEATS = (`TB_IN_BEATS < `TB_FULL_RATE_BEATS) ? `TB_IN_BEATS : `TB_FULL_RATE_BEATS;

reg  [IW-1:0]  in_beats  [0:`TB_IN_BEATS-1];
reg  [OW-1:0]  out_beats [0:`TB_OUT_BEATS-1];
integer        seed, sent, received, words_out, cycles, idle_rate, stall_rate, waited;
reg            took;
reg  [OW-1:0]  expect_beat;
reg            failed;

reg            aclk;
reg            aresetn;
reg  [P*M-1:0] s_axis_tdata;
reg  [P-1:0]   s_axis_tkeep;
reg  [P-1:0]   s_axis_tuser;
reg            s_axis_tvalid;
wire           s_axis_tready;
reg            s_axis_tlast;
wire [P*M-1:0] m_axis_tdata;
wire [P-1:0]   m_axis_tkeep;
wire           m_axis_tvalid;
reg            m_axis_tready;
wire           m_axis_tlast;
wire [UW-1:0]  m_axis_tuser;

task fail_at;
   input [8*48-1:0] what;
   begin
      $display("FAIL: output beat %0d (word %0d): %0s; expected {count, failure, last, keep, data} %h",
               received, words_out, what, expect_beat);
      failed = 1'b1;
      $finish;
   end
endtask

`ifdef RS_DECODER_STATISTICS
// The statistics expected from the words received so far (their failure
// flags and counts in tb_out.hex), compared with the ports at the end.
wire [31:0]    stat_symbols, stat_words, stat_failed;
wire           stat_ser_high;
reg  [31:0]    want_symbols, want_words, want_failed, window_words, window_errors;
reg            want_ser_high;
`endif

rs_decoder_lanes_axis dut(
   .aclk(aclk), .aresetn(aresetn),
`ifdef RS_DECODER_STATISTICS
   .stat_corrected_symbols(stat_symbols), .stat_corrected_words(stat_words),
   .stat_uncorrectable_words(stat_failed), .stat_ser_high(stat_ser_high),
`endif
   .s_axis_tdata(s_axis_tdata), .s_axis_tkeep(s_axis_tkeep), .s_axis_tuser(s_axis_tuser),
   .s_axis_tvalid(s_axis_tvalid), .s_axis_tready(s_axis_tready), .s_axis_tlast(s_axis_tlast),
   .m_axis_tdata(m_axis_tdata), .m_axis_tkeep(m_axis_tkeep), .m_axis_tvalid(m_axis_tvalid),
   .m_axis_tready(m_axis_tready), .m_axis_tlast(m_axis_tlast), .m_axis_tuser(m_axis_tuser));

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
         if (m_axis_tdata !== expect_beat[P*M-1:0])
            fail_at("tdata");
         if (m_axis_tkeep !== expect_beat[P*M +: P])
            fail_at("tkeep");
         if (m_axis_tlast !== expect_beat[P*M+P])
            fail_at("tlast");
         if (m_axis_tuser[0] !== expect_beat[P*M+P+1])
            fail_at("tuser bit 0 (failure)");
         if (m_axis_tuser[UW-1:1] !== expect_beat[OW-1:P*M+P+2])
            fail_at("tuser count");
         received = received + 1;
         if (m_axis_tlast) begin
            words_out = words_out + 1;
`ifdef RS_DECODER_STATISTICS
            if (expect_beat[P*M+P+1])
               want_failed = want_failed + 1;
            else if (expect_beat[OW-1:P*M+P+2] != 0) begin
               want_words = want_words + 1;
               want_symbols = want_symbols + expect_beat[OW-1:P*M+P+2];
            end
            if (!expect_beat[P*M+P+1])
               window_errors = window_errors + expect_beat[OW-1:P*M+P+2];
            window_words = window_words + 1;
            if (window_words == `RS_DECODER_SER_WINDOW) begin
               want_ser_high = window_errors > `RS_DECODER_SER_THRESHOLD;
               window_words = 0;
               window_errors = 0;
            end
`endif
         end
         if (received == `TB_OUT_BEATS && !failed) begin
`ifdef RS_DECODER_STATISTICS
            if (stat_symbols !== want_symbols || stat_words !== want_words ||
                stat_failed !== want_failed || stat_ser_high !== want_ser_high) begin
               $display("FAIL: statistics %0d %0d %0d %b, expected %0d %0d %0d %b", stat_symbols,
                        stat_words, stat_failed, stat_ser_high, want_symbols, want_words,
                        want_failed, want_ser_high);
               $finish;
            end
`endif
            $display("PASS");
            $finish;
         end
      end
      if (cycles > 8 * `TB_IN_BEATS + `TB_TIMEOUT) begin
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
            {s_axis_tuser, s_axis_tkeep, s_axis_tlast, s_axis_tdata} = in_beats[sent];
         end else begin
            s_axis_tvalid = 1'b0;
            {s_axis_tuser, s_axis_tkeep, s_axis_tlast, s_axis_tdata} = {IW{1'bx}};
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
`ifdef RS_DECODER_STATISTICS
   want_symbols = 0; want_words = 0; want_failed = 0; want_ser_high = 1'b0;
   window_words = 0; window_errors = 0;
`endif
   sent = 0; received = 0; words_out = 0; cycles = 0; took = 1'b0; failed = 1'b0;
   idle_rate = 0; stall_rate = 0; waited = 0;
   aclk = 1'b0; aresetn = 1'b0;
   s_axis_tvalid = 1'b0; s_axis_tuser = 0; s_axis_tkeep = 0; s_axis_tlast = 1'b0;
   s_axis_tdata = 0; m_axis_tready = 1'b0;
   #22 aresetn = 1'b1;
end

endmodule

`default_nettype wire
