`timescale 1ns/1ns
`default_nettype none

// Self-checking testbench of the Reed-Solomon encoder with a code length per
// word (rs_encoder_vl_axis), P symbols per beat.
//
// tb_in.hex:  one input beat per line, {tlast, tkeep, tdata}: P symbols of
//             m bits (symbol 0 in the low bits), tkeep P bits (the valid
//             lanes of a word's last beat), tlast on the last beat of each
//             word.
// tb_out.hex: one codeword beat per line, {tuser, tlast, tkeep, tdata}; the
//             lanes without tkeep are zero.
// tb_config.vh defines TB_SEED, TB_IN_BEATS and TB_OUT_BEATS.
//
// The stream top takes the input beats with random s_axis_tvalid gaps (the
// lanes without tkeep filled with random symbols, and tkeep random on the
// beats without tlast: neither is to be looked at) and gives the codewords
// against random m_axis_tready; now and then a gap or a stall lasts 16 to 79
// clocks. Every output beat is checked in order (tdata, tkeep, tlast, tuser)
// with !==, and the handshake outputs must be 0 or 1 on every clock out of
// reset. One line at the end: "PASS" or "FAIL: <what, where>".

`include "rsenc_params.v"
`include "rsenc_wide_params.v"
`include "tb_config.vh"

module tb_rs_encoder_vl;
localparam W = `INPUT_DATA_WIDTH;
localparam P = `SYMBOLS_PER_CLOCK;
localparam BEAT = 1 + P + P * W;            // bits of a vector line
localparam FULL_RATE_IN  = 8;               // beats sent without gaps at the start
localparam FULL_RATE_OUT = 8;
localparam TIMEOUT = 20 * (`TB_IN_BEATS + `TB_OUT_BEATS) + 1000;

reg [BEAT-1:0] in_mem  [0:`TB_IN_BEATS-1];
reg [BEAT:0]   out_mem [0:`TB_OUT_BEATS-1];

reg clk = 1'b0;
reg rst_n = 1'b0;
always #5 clk = ~clk;

integer seed;
integer cycles;
reg     failed;
integer pause [0:1];                 // clocks left of a long pause

reg  [P*W-1:0] s_tdata;
reg  [P-1:0]   s_tkeep;
reg            s_tvalid, s_tlast, m_tready;
wire           s_tready, m_tvalid, m_tlast, m_tuser;
wire [P*W-1:0] m_tdata;
wire [P-1:0]   m_tkeep;

rs_encoder_vl_axis dut (
    .aclk          (clk),
    .aresetn       (rst_n),
    .s_axis_tdata  (s_tdata),
    .s_axis_tkeep  (s_tkeep),
    .s_axis_tvalid (s_tvalid),
    .s_axis_tready (s_tready),
    .s_axis_tlast  (s_tlast),
    .m_axis_tdata  (m_tdata),
    .m_axis_tkeep  (m_tkeep),
    .m_axis_tvalid (m_tvalid),
    .m_axis_tready (m_tready),
    .m_axis_tlast  (m_tlast),
    .m_axis_tuser  (m_tuser)
);

integer s_i, m_i;                    // beats taken / checked

task fail;
    input [8*48-1:0] what;
    input integer where;
    begin
        if (!failed)
            $display("FAIL: %0s at beat %0d", what, where);
        failed = 1'b1;
    end
endtask

// A 3-in-4 chance, after the full-rate start; and now and then (1 in 64)
// a long pause: the next 16 to 79 calls say no.
function busy;
    input integer pause_of;         // which pause counter: 0 input, 1 output
    begin
        if (pause[pause_of] != 0) begin
            pause[pause_of] = pause[pause_of] - 1;
            busy = 1'b0;
        end else if (($random(seed) & 63) == 0) begin
            pause[pause_of] = 16 + ($random(seed) & 63);
            busy = 1'b0;
        end else begin
            busy = ($random(seed) & 3) != 0;
        end
    end
endfunction

// The lanes without tkeep carry random symbols; tkeep is random on the
// beats without tlast.
task offer;
    integer lane;
    reg [BEAT-1:0] beat;
    begin
        if (s_i < `TB_IN_BEATS && (s_i < FULL_RATE_IN || busy(0))) begin
            beat = in_mem[s_i];
            s_tvalid <= 1'b1;
            s_tlast  <= beat[BEAT-1];
            s_tkeep  <= beat[BEAT-1] ? beat[P*W +: P] : $random(seed);
            for (lane = 0; lane < P; lane = lane + 1)
                s_tdata[lane*W +: W] <= beat[P*W + lane] ? beat[lane*W +: W] : $random(seed);
        end else begin
            s_tvalid <= 1'b0;
            s_tdata  <= {P*W{1'bx}};
            s_tkeep  <= {P{1'bx}};
            s_tlast  <= 1'bx;
        end
    end
endtask

initial begin
    $readmemh("tb_in.hex", in_mem);
    $readmemh("tb_out.hex", out_mem);
    seed = `TB_SEED;
    failed = 1'b0;
    cycles = 0;
    s_i = 0; m_i = 0;
    pause[0] = 0; pause[1] = 0;
    s_tvalid = 1'b0; s_tdata = {P*W{1'b0}}; s_tkeep = {P{1'b0}}; s_tlast = 1'b0;
    m_tready = 1'b0;
    repeat (3) @(posedge clk);
    #1 rst_n = 1'b1;
    @(posedge clk);
    offer;
    m_tready <= 1'b1;
end

always @(posedge clk) if (rst_n) begin
    cycles = cycles + 1;
    if (^{s_tready, m_tvalid} === 1'bx)
        fail("s_axis_tready or m_axis_tvalid is X or Z", m_i);
    if (s_tvalid && s_tready)
        s_i = s_i + 1;
    if (!s_tvalid || s_tready)
        offer;
    if (m_tvalid && m_tready) begin
        if (m_i >= `TB_OUT_BEATS)
            fail("output beat beyond the expected ones", m_i);
        else if (m_tdata !== out_mem[m_i][P*W-1:0])
            fail("m_axis_tdata differs", m_i);
        else if (m_tkeep !== out_mem[m_i][P*W +: P])
            fail("m_axis_tkeep differs", m_i);
        else if (m_tlast !== out_mem[m_i][BEAT-1])
            fail("m_axis_tlast differs", m_i);
        else if (m_tuser !== out_mem[m_i][BEAT])
            fail("m_axis_tuser differs", m_i);
        m_i = m_i + 1;
    end
    m_tready <= m_i < FULL_RATE_OUT || busy(1);
    if (failed || cycles > TIMEOUT || m_i == `TB_OUT_BEATS) begin
        if (!failed && cycles > TIMEOUT)
            $display("FAIL: timeout after %0d clocks, %0d beats out", cycles, m_i);
        else if (!failed)
            $display("PASS");
        $finish;
    end
end

endmodule

`default_nettype wire
