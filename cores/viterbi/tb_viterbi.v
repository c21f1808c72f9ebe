`timescale 1ns/1ns
`default_nettype none

// Self-checking testbench of viterbi_axis. tb_in.hex: one input beat per
// line, {tlast, tdata}, or {tlast, tuser, tdata} when the core has
// s_axis_tuser; tb_out.hex: one decoded bit per line, {tlast, bit}.
// With the BER monitor, tb_ber.hex holds the expected window counts
// (TB_BER_WINDOWS of them, defined in tb_config.vh). Random input gaps and
// output stalls, seeded by TB_SEED; now and then the source pauses for up
// to 64 clocks and the sink for up to four traceback lengths. At the first
// decoded bit, and then now and then, the sink waits until the decoder has
// held the source back for HELD_FULL clocks in a row, longer than a block's
// flush can: every output region is then full and the traceback waits for
// one to drain.
// With TB_FULL_RATE defined (the long stream runs) the source offers a
// beat and the sink takes a bit on every clock, and every clock on which
// the core refuses a beat before the last one fails the run (a gap); with
// TB_STEADY_OUT too (one beat per step, one bit per clock) so does every
// clock without a bit between the first and the last, and the run prints
// the latency from the first beat to the first bit, the same for every bit.
// Every output bit, its tlast and every BER count are compared with !==,
// and the handshake outputs must be 0 or 1 on every clock out of reset: an
// X or Z fails. The last line is PASS or FAIL.

`include "parameters.v"
`include "viterbi_options.v"
`include "tb_config.vh"

module tb_viterbi;
`ifdef VITERBI_RADIX4
    localparam IN_W = ((2 * `VITERBI_SYMBOLS * `DIN_WIDTH + 7) / 8) * 8;   // two steps a beat
    localparam OW = 4;          // tb_out.hex: {tlast, one bit only, bit 1, bit 0}
`else
    localparam IN_W = ((`DINBUS_WIDTH + 7) / 8) * 8;
    localparam OW = 2;          // tb_out.hex: {tlast, bit}
`endif
`ifdef VITERBI_TUSER
    localparam UW = `VITERBI_TUSER;
`else
    localparam UW = 0;
`endif
    localparam SINK_PAUSE = 4 * `TB_LENGTH;     // longest sink pause
    localparam HELD_FULL = 3 * `TB_LENGTH + 64;                    // source held: regions full
    localparam FILL_MAX = 16 * `TB_LENGTH * `PROC_CYCLES + HELD_FULL + 1000;  // bound of a fill pause
    // Clock limit: 20 clocks a beat in and a bit out, the decoding latency
    // (three chunks of C <= TB_LENGTH + 1 steps, the best state's K clocks,
    // the pipeline), and FILL_MAX for every fill pause the sink starts: a
    // short block at a long traceback has the whole pause ahead of its
    // first bit. Finite: a fill pause starts only on an offered bit.
    localparam LATENCY_MAX = (3 * (`TB_LENGTH + 1) + `CONS_LENGTH + 64) * `PROC_CYCLES;
    localparam BASE_LIMIT =
        20 * `PROC_CYCLES * (`TB_IN_BEATS + `TB_OUT_BEATS) + 2000 + LATENCY_MAX;

    reg              aclk = 1'b0;
    reg              aresetn = 1'b0;
    reg  [IN_W-1:0]  s_axis_tdata = {IN_W{1'b0}};
    reg              s_axis_tvalid = 1'b0;
    wire             s_axis_tready;
    reg              s_axis_tlast = 1'b0;
    reg  [UW:0]      s_axis_tuser = {UW+1{1'b0}};   // bit UW unused
    wire [7:0]       m_axis_tdata;
    wire             m_axis_tvalid;
    reg              m_axis_tready = 1'b0;
    wire             m_axis_tlast;
`ifdef VITERBI_RADIX4
    wire             m_axis_tuser;
`else
    wire             m_axis_tuser = 1'b0;
`endif

    reg [IN_W+UW:0] in_mem  [0:`TB_IN_BEATS-1];
    reg [OW-1:0] out_mem [0:`TB_OUT_BEATS-1];
    integer seed = `TB_SEED;
    integer ii = 0, oi = 0, cycles = 0;
    integer src_pause = 0, sink_pause = 0;   // clocks left of a long pause
    integer held = 0;           // clocks in a row the source has waited for s_axis_tready
    integer filling = 0;        // clocks of the fill pause so far (0: none)
    reg     filled_once = 1'b0;
    integer fills = 0;          // fill pauses started

`ifdef BER_PRESENT
    wire [`BER_RATE_WIDTH+1:0] ber_count;
    wire                       ber_valid;
    reg  [`BER_RATE_WIDTH+1:0] ber_mem [0:`TB_BER_WINDOWS];
    integer bi = 0;
`endif

    viterbi_axis dut (
        .aclk(aclk), .aresetn(aresetn),
        .s_axis_tdata(s_axis_tdata), .s_axis_tvalid(s_axis_tvalid),
        .s_axis_tready(s_axis_tready), .s_axis_tlast(s_axis_tlast),
`ifdef VITERBI_TUSER
        .s_axis_tuser(s_axis_tuser[UW-1:0]),
`endif
        .m_axis_tdata(m_axis_tdata), .m_axis_tvalid(m_axis_tvalid),
        .m_axis_tready(m_axis_tready), .m_axis_tlast(m_axis_tlast)
`ifdef VITERBI_RADIX4
        , .m_axis_tuser(m_axis_tuser)
`endif
`ifdef BER_PRESENT
        , .ber_count(ber_count), .ber_valid(ber_valid)
`endif
    );

    always #5 aclk = !aclk;

    initial begin
        $readmemh("tb_in.hex", in_mem);
        $readmemh("tb_out.hex", out_mem);
`ifdef BER_PRESENT
        $readmemh("tb_ber.hex", ber_mem);
`endif
        repeat (3) @(posedge aclk);
        aresetn <= 1'b1;
    end

`ifdef TB_FULL_RATE
    localparam FULL = 1;
`else
    localparam FULL = 0;
`endif
`ifdef TB_STEADY_OUT
    localparam STEADY = 1;
`else
    localparam STEADY = 0;
`endif
    integer first_in = -1, first_out = -1;

    // Source: a beat stays until taken; between beats random gaps, and now
    // and then (1 in 128) a pause of 16 to 63 clocks.
    always @(posedge aclk) begin
        if (aresetn) begin
            if (s_axis_tvalid && s_axis_tready) begin
                if (first_in < 0)
                    first_in = cycles;
                ii = ii + 1;
            end
            if (FULL && first_in >= 0 && ii < `TB_IN_BEATS && s_axis_tready !== 1'b1) begin
                $display("input gap at clock %0d, beat %0d", cycles, ii);
                fail_now;
            end
            if (FULL) begin
                if (!s_axis_tvalid || s_axis_tready) begin
                    s_axis_tvalid <= ii < `TB_IN_BEATS;
                    if (ii < `TB_IN_BEATS) begin
                        s_axis_tlast <= in_mem[ii][IN_W+UW];
                        s_axis_tuser <= in_mem[ii][IN_W +: UW+1];
                        s_axis_tdata <= in_mem[ii][IN_W-1:0];
                    end
                end
            end else if (!s_axis_tvalid || s_axis_tready) begin
                if (src_pause > 0) begin
                    src_pause = src_pause - 1;
                    s_axis_tvalid <= 1'b0;
                end else if (($random(seed) & 127) == 0) begin
                    src_pause = 16 + ($random(seed) & 47);
                    s_axis_tvalid <= 1'b0;
                end else if (ii < `TB_IN_BEATS && ($random(seed) & 3) != 0) begin
                    s_axis_tvalid <= 1'b1;
                    s_axis_tlast <= in_mem[ii][IN_W+UW];
                    s_axis_tuser <= in_mem[ii][IN_W +: UW+1];
                    s_axis_tdata <= in_mem[ii][IN_W-1:0];
                end else begin
                    s_axis_tvalid <= 1'b0;
                end
            end
        end
    end

    task fail_now;
        begin
            $display("FAIL");
            $finish;
        end
    endtask

    // Sink: random stalls, now and then (1 in 256) one of 16 to
    // SINK_PAUSE + 15 clocks; every bit checked in order.
    always @(posedge aclk) begin
        cycles = cycles + 1;
        held = (aresetn && s_axis_tvalid && !s_axis_tready) ? held + 1 : 0;
        if (FULL) begin
            m_axis_tready <= 1'b1;
        end else if (filling > 0) begin
            filling = filling + 1;
            if (held >= HELD_FULL || filling > FILL_MAX)
                filling = 0;
            m_axis_tready <= 1'b0;
        end else if (m_axis_tvalid === 1'b1 && (!filled_once || ($random(seed) & 1023) == 0)) begin
            filled_once = 1'b1;
            filling = 1;
            fills = fills + 1;
            m_axis_tready <= 1'b0;
        end else if (sink_pause > 0) begin
            sink_pause = sink_pause - 1;
            m_axis_tready <= 1'b0;
        end else if (($random(seed) & 255) == 0) begin
            sink_pause = 16 + {$random(seed)} % SINK_PAUSE;
            m_axis_tready <= 1'b0;
        end else begin
            m_axis_tready <= ($random(seed) % 4) != 0;
        end
        if (aresetn && ^{s_axis_tready, m_axis_tvalid} === 1'bx) begin
            $display("s_axis_tready %b, m_axis_tvalid %b at clock %0d: not 0 or 1",
                     s_axis_tready, m_axis_tvalid, cycles);
            fail_now;
        end
        if (STEADY && first_out >= 0 && oi < `TB_OUT_BEATS && m_axis_tvalid !== 1'b1) begin
            $display("output gap at clock %0d, bit %0d", cycles, oi);
            fail_now;
        end
        if (aresetn && m_axis_tvalid && m_axis_tready) begin
            if (first_out < 0) begin
                first_out = cycles;
                if (FULL)
                    $display("latency: %0d clocks from the first beat to the first bit",
                             first_out - first_in);
            end
            if (oi >= `TB_OUT_BEATS) begin
                $display("extra output bit %0d", oi);
                fail_now;
            end
`ifdef VITERBI_RADIX4
            if ({m_axis_tlast, m_axis_tuser, m_axis_tdata} !==
                {out_mem[oi][3], out_mem[oi][2], 6'b0, out_mem[oi][1:0]}) begin
                $display("output beat %0d is %b (tlast %b, tuser %b), expected %b", oi,
                         m_axis_tdata, m_axis_tlast, m_axis_tuser, out_mem[oi]);
                fail_now;
            end
`else
            if ({m_axis_tlast, m_axis_tdata} !== {out_mem[oi][1], 7'b0, out_mem[oi][0]}) begin
                $display("output bit %0d is %b (tlast %b), expected %b (tlast %b)", oi,
                         m_axis_tdata, m_axis_tlast, out_mem[oi][0], out_mem[oi][1]);
                fail_now;
            end
`endif
            oi = oi + 1;
        end
`ifdef BER_PRESENT
        if (aresetn && ber_valid !== 1'b0) begin
            if (bi >= `TB_BER_WINDOWS || ber_valid !== 1'b1 || ber_count !== ber_mem[bi]) begin
                $display("BER window %0d counted %0d (ber_valid %b)", bi, ber_count, ber_valid);
                fail_now;
            end
            bi = bi + 1;
        end
`endif
        if (oi == `TB_OUT_BEATS && ii == `TB_IN_BEATS
`ifdef BER_PRESENT
            && bi == `TB_BER_WINDOWS
`endif
            ) begin
            $display("PASS");
            $finish;
        end
        if (cycles > BASE_LIMIT + fills * FILL_MAX) begin
            $display("timeout with %0d of %0d beats in, %0d of %0d bits out", ii,
                     `TB_IN_BEATS, oi, `TB_OUT_BEATS);
            fail_now;
        end
    end
endmodule

`default_nettype wire
