`timescale 1ns/1ns
`default_nettype none
// Self-checking bench of fir_axis. tb_in.hex: one beat per line,
// {coefficient beat, tlast, data} with data INTERNAL_DATA_WIDTH bits wide
// (sample beats use the low INPUT_PORT_WIDTH bits). tb_out.hex: the expected
// m_axis_tdata beats; with COMPLEX_SERI_IN {m_axis_tlast, m_axis_tdata};
// with FIR_SATURATE m_axis_tuser (the clamp flag) above them.
// Beats are offered in file order, each after the one before it was taken,
// with random tvalid gaps, long ones now and then (the defines of
// parameters.v, compiled first, say which ports there are); m_axis_tready is random,
// with long stalls now and then. Every checked signal is compared with
// `!==`, so an X or Z never passes. Every result beat taken is also written
// to tb_result.hex (in the layout of tb_out.hex).
// With channels or coefficient sets (fir_streams.v) an input beat is
// {coefficient beat, tlast, [out of order], tuser, data}, tuser {set,
// channel} (a coefficient beat: its set there), and an expected beat
// {m_axis_tuser, [tlast], data}; channel_error must be high exactly in the
// clock after each marked (out of order) beat is taken.
`include "tb_config.vh"
module tb_fir;
`ifdef FIR_LANES
    localparam P = `FIR_SAMPLES_PER_CLOCK;   // samples per beat
    localparam R = `FIR_RESULTS_PER_CLOCK;   // results per beat
`else
    localparam P = 1;
    localparam R = 1;
`endif
    // the data field: a coefficient word or a beat of P samples
    localparam DW = (P * `INPUT_PORT_WIDTH > `INTERNAL_DATA_WIDTH) ? P * `INPUT_PORT_WIDTH
                                                                 : `INTERNAL_DATA_WIDTH;
`ifdef FIR_USER
    localparam UW = `FIR_USER_WIDTH;
`else
    localparam UW = 0;
`endif
`ifdef FIR_SATURATE
    localparam SATW = 1;                      // the clamp flag, on top of m_axis_tuser
`else
    localparam SATW = 0;
`endif
`ifdef FIR_CHANNELED
    localparam BW = 1;                        // the out-of-order mark
    localparam CHW = `FIR_CHANNEL_WIDTH;
`else
    localparam BW = 0;
    localparam CHW = 0;
`endif
    localparam IW = DW + UW + BW + 2;
`ifdef COMPLEX_SERI_IN
    localparam OW = `OUTPUT_PORT_WIDTH + 1 + CHW + SATW;   // tlast above the data
`else
    localparam OW = R * `OUTPUT_PORT_WIDTH + CHW + SATW;
`endif
    localparam IDLE_LIMIT = 20000;

    reg clk = 1'b0;
    always #5 clk = !clk;
    reg aresetn = 1'b0;

    reg [IW-1:0] in_beats  [0:`TB_IN_BEATS-1];
    reg [OW-1:0] out_beats [0:`TB_OUT_BEATS-1];
    integer seed = `TB_SEED;
    integer in_i = 0;
    integer out_i = 0;
    integer idle = 0;
    integer in_gap = 0;       // clocks left of a long input gap
    integer out_stall = 0;    // clocks left of a long m_axis_tready stall
    integer result_file;

    wire [IW-1:0] beat = (in_i < `TB_IN_BEATS) ? in_beats[in_i] : {IW{1'b0}};
    wire more = (in_i < `TB_IN_BEATS);
    wire is_coef = beat[IW-1];
    wire is_last = beat[IW-2];
    reg offer = 1'b0;
    reg m_ready = 1'b0;

    wire                            s_tready, m_tvalid;
    wire [R*`OUTPUT_PORT_WIDTH-1:0] m_tdata;
    wire [OW-1:0]                   m_beat;
    wire                            s_tvalid = offer && more && !is_coef;
    wire                            s_take = s_tvalid && s_tready;
`ifdef COEFF_LOAD
    wire c_tready;
    wire c_tvalid = offer && more && is_coef;
    wire c_take = c_tvalid && c_tready;
`else
    wire c_take = 1'b0;
`endif
    localparam TW = CHW + SATW;   // m_axis_tuser: {clamped, channel}
`ifdef FIR_CHANNELED
    wire           channel_error;
    reg            error_due = 1'b0;   // a marked beat was taken in the clock before
`endif
`ifdef COMPLEX_SERI_IN
    wire m_tlast;
    wire [OW-TW-1:0] m_low = {m_tlast, m_tdata};
`else
    wire [OW-TW-1:0] m_low = m_tdata;
`endif
`ifdef FIR_CHANNELED
    wire [TW-1:0] m_tuser;
    assign m_beat = {m_tuser, m_low};
`elsif FIR_SATURATE
    wire [TW-1:0] m_tuser;
    assign m_beat = {m_tuser, m_low};
`else
    assign m_beat = m_low;
`endif

    fir_axis dut (
        .aclk(clk), .aresetn(aresetn),
        .s_axis_tdata(beat[P*`INPUT_PORT_WIDTH-1:0]), .s_axis_tvalid(s_tvalid),
        .s_axis_tready(s_tready),
`ifdef FIR_USER
        .s_axis_tuser(beat[DW +: UW]),
`endif
`ifdef COEFF_LOAD
        .s_axis_coef_tdata(beat[`INTERNAL_DATA_WIDTH-1:0]), .s_axis_coef_tvalid(c_tvalid),
        .s_axis_coef_tready(c_tready), .s_axis_coef_tlast(is_last),
`ifdef FIR_SETS
        .s_axis_coef_tuser(beat[DW+CHW +: `FIR_SET_WIDTH]),
`endif
`endif
`ifdef COMPLEX_SERI_IN
        .m_axis_tlast(m_tlast),
`endif
`ifdef FIR_CHANNELED
        .m_axis_tuser(m_tuser), .channel_error(channel_error),
`elsif FIR_SATURATE
        .m_axis_tuser(m_tuser),
`endif
        .m_axis_tdata(m_tdata), .m_axis_tvalid(m_tvalid), .m_axis_tready(m_ready));

    initial begin
        $readmemh("tb_in.hex", in_beats);
        $readmemh("tb_out.hex", out_beats);
        result_file = $fopen("tb_result.hex", "w");
        repeat (3) @(posedge clk);
        aresetn <= 1'b1;
    end

    always @(posedge clk) begin
        if (aresetn) begin
            // a beat on offer stays until it is taken; one offer in 64 is
            // followed by a gap of up to 63 clocks
            if (s_take || c_take) in_i <= in_i + 1;
            if (!offer || s_take || c_take) begin
                if (in_gap > 0) begin
                    in_gap <= in_gap - 1;
                    offer  <= 1'b0;
                end else begin
                    offer <= ($random(seed) & 3) != 0;
                    if (($random(seed) & 63) == 0) in_gap <= $random(seed) & 63;
                end
            end
            // m_axis_tready: random, and one clock in 48 starts a stall of
            // up to 127 clocks (long enough to fill the result queue)
            if (out_stall > 0) begin
                out_stall <= out_stall - 1;
                m_ready <= 1'b0;
            end else if (($random(seed) % 48) == 0) begin
                out_stall <= $random(seed) & 127;
                m_ready <= 1'b0;
            end else begin
                m_ready <= ($random(seed) & 3) != 0;
            end
`ifdef FIR_CHANNELED
            error_due <= s_take && beat[DW+UW];
            if (channel_error !== error_due) begin
                $display("FAIL: channel_error is %b after input beat %0d, expected %b",
                         channel_error, in_i - 1, error_due);
                $finish;
            end
`endif
            // unknown handshakes count as no progress, so they end in a timeout
            idle <= ((s_take || c_take || (m_tvalid && m_ready)) === 1'b1) ? 0 : idle + 1;
            if ((m_tvalid !== 1'b0 && m_tvalid !== 1'b1) && out_i < `TB_OUT_BEATS) begin
                $display("FAIL: m_axis_tvalid unknown before result beat %0d", out_i);
                $finish;
            end
            if (m_tvalid && m_ready) begin
                $fwrite(result_file, "%h\n", m_beat);
                if (out_i >= `TB_OUT_BEATS) begin
                    $display("FAIL: result beat %0d is one too many (%h)", out_i, m_beat);
                    $finish;
                end else if (m_beat !== out_beats[out_i]) begin
                    $display("FAIL: result beat %0d is %h, expected %h", out_i, m_beat,
                             out_beats[out_i]);
                    $finish;
                end
                out_i <= out_i + 1;
            end
            if (!more && out_i == `TB_OUT_BEATS && idle > 200) begin
                $display("PASS");
                $finish;
            end
            if (idle > IDLE_LIMIT) begin
                $display("FAIL: no progress after input beat %0d of %0d, result beat %0d of %0d",
                         in_i, `TB_IN_BEATS, out_i, `TB_OUT_BEATS);
                $finish;
            end
        end
    end
endmodule
`default_nettype wire
