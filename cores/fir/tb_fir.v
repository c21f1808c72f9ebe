// Self-checking bench of fir_axis. tb_in.hex: one beat per line,
// {coefficient beat, tlast, data} with data INTERNAL_DATA_WIDTH bits wide
// (sample beats use the low INPUT_PORT_WIDTH bits). tb_out.hex: the expected
// m_axis_tdata beats. Beats are offered in file order, each after the one
// before it was taken, with random tvalid gaps; m_axis_tready is random.
// Every result beat taken is also written to tb_result.hex.
`include "tb_config.vh"
module tb_fir;
    localparam DW = `INTERNAL_DATA_WIDTH;
    localparam IW = DW + 2;
    localparam OW = `OUTPUT_PORT_WIDTH;
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
    integer result_file;

    wire [IW-1:0] beat = (in_i < `TB_IN_BEATS) ? in_beats[in_i] : {IW{1'b0}};
    wire more = (in_i < `TB_IN_BEATS);
    reg offer = 1'b0;
    reg m_ready = 1'b0;

    wire          s_tready, m_tvalid;
    wire [OW-1:0] m_tdata;
    wire          s_tvalid = offer && more && !beat[DW+1];
    wire          s_take = s_tvalid && s_tready;
`ifdef COEFF_LOAD
    wire c_tready;
    wire c_tvalid = offer && more && beat[DW+1];
    wire c_take = c_tvalid && c_tready;
`else
    wire c_take = 1'b0;
`endif

    fir_axis dut (
        .aclk(clk), .aresetn(aresetn),
        .s_axis_tdata(beat[`INPUT_PORT_WIDTH-1:0]), .s_axis_tvalid(s_tvalid),
        .s_axis_tready(s_tready),
`ifdef COEFF_LOAD
        .s_axis_coef_tdata(beat[DW-1:0]), .s_axis_coef_tvalid(c_tvalid),
        .s_axis_coef_tready(c_tready), .s_axis_coef_tlast(beat[DW]),
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
            // a beat on offer stays until it is taken
            if (s_take || c_take) in_i <= in_i + 1;
            if (!offer || s_take || c_take) offer <= ($random(seed) & 3) != 0;
            m_ready <= ($random(seed) & 3) != 0;
            // unknown handshakes count as no progress, so they end in a timeout
            idle <= ((s_take || c_take || (m_tvalid && m_ready)) === 1'b1) ? 0 : idle + 1;
            if ((m_tvalid === 1'bx || m_tvalid === 1'bz) && out_i < `TB_OUT_BEATS) begin
                $display("FAIL: m_axis_tvalid unknown before result beat %0d", out_i);
                $finish;
            end
            if (m_tvalid && m_ready) begin
                $fwrite(result_file, "%h\n", m_tdata);
                if (out_i >= `TB_OUT_BEATS) begin
                    $display("FAIL: result beat %0d is one too many (%h)", out_i, m_tdata);
                    $finish;
                end else if (m_tdata !== out_beats[out_i]) begin
                    $display("FAIL: result beat %0d is %h, expected %h", out_i, m_tdata,
                             out_beats[out_i]);
                    $finish;
                end
                out_i <= out_i + 1;
            end
            if (!more && out_i == `TB_OUT_BEATS && idle > 64) begin
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
