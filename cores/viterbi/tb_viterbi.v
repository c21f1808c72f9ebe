// Self-checking testbench of viterbi_axis. tb_in.hex: one input beat per
// line, {tlast, tdata}; tb_out.hex: one decoded bit per line, {tlast, bit}.
// With the BER monitor, tb_ber.hex holds the expected window counts
// (TB_BER_WINDOWS of them, defined in tb_config.vh). Random input gaps and
// output stalls, seeded by TB_SEED.
`include "parameters.v"
`include "tb_config.vh"

module tb_viterbi;
    localparam IN_W = ((`DINBUS_WIDTH + 7) / 8) * 8;

    reg              aclk = 1'b0;
    reg              aresetn = 1'b0;
    reg  [IN_W-1:0]  s_axis_tdata = {IN_W{1'b0}};
    reg              s_axis_tvalid = 1'b0;
    wire             s_axis_tready;
    reg              s_axis_tlast = 1'b0;
    wire [7:0]       m_axis_tdata;
    wire             m_axis_tvalid;
    reg              m_axis_tready = 1'b0;
    wire             m_axis_tlast;

    reg [IN_W:0] in_mem  [0:`TB_IN_BEATS-1];
    reg [1:0]    out_mem [0:`TB_OUT_BEATS-1];
    integer seed = `TB_SEED;
    integer ii = 0, oi = 0, cycles = 0, errors = 0;

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
        .m_axis_tdata(m_axis_tdata), .m_axis_tvalid(m_axis_tvalid),
        .m_axis_tready(m_axis_tready), .m_axis_tlast(m_axis_tlast)
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

    // Source: a beat stays until taken; between beats random gaps.
    always @(posedge aclk) begin
        if (aresetn) begin
            if (s_axis_tvalid && s_axis_tready)
                ii = ii + 1;
            if (!s_axis_tvalid || s_axis_tready) begin
                if (ii < `TB_IN_BEATS && ($random(seed) & 3) != 0) begin
                    s_axis_tvalid <= 1'b1;
                    {s_axis_tlast, s_axis_tdata} <= in_mem[ii];
                end else begin
                    s_axis_tvalid <= 1'b0;
                end
            end
        end
    end

    // Sink: random stalls; every bit checked in order.
    always @(posedge aclk) begin
        cycles = cycles + 1;
        m_axis_tready <= ($random(seed) % 4) != 0;
        if (aresetn && m_axis_tvalid && m_axis_tready) begin
            if (oi >= `TB_OUT_BEATS) begin
                $display("FAIL: extra output bit %0d", oi);
                $finish;
            end
            if ({m_axis_tlast, m_axis_tdata} != {out_mem[oi][1], 7'b0, out_mem[oi][0]}) begin
                $display("FAIL: output bit %0d is %b (tlast %b), expected %b (tlast %b)", oi,
                         m_axis_tdata[0], m_axis_tlast, out_mem[oi][0], out_mem[oi][1]);
                $finish;
            end
            oi = oi + 1;
        end
`ifdef BER_PRESENT
        if (aresetn && ber_valid) begin
            if (bi >= `TB_BER_WINDOWS || ber_count !== ber_mem[bi]) begin
                $display("FAIL: BER window %0d counted %0d", bi, ber_count);
                $finish;
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
        if (cycles > 20 * `PROC_CYCLES * (`TB_IN_BEATS + `TB_OUT_BEATS) + 2000) begin
            $display("FAIL: timeout with %0d of %0d beats in, %0d of %0d bits out", ii,
                     `TB_IN_BEATS, oi, `TB_OUT_BEATS);
            $finish;
        end
    end
endmodule
