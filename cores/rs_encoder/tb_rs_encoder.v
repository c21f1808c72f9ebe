`timescale 1ns/1ns
`default_nettype none

// Self-checking testbench of the Reed-Solomon encoder.
//
// tb_in.hex:  one data symbol per line, {tlast, data}: bit m is 1 on the
//             k-th symbol of each message, bits m-1..0 the symbol.
// tb_out.hex: one codeword symbol per line, {tlast, data}: bit m is 1 on
//             the n-th symbol of each codeword.
// tb_config.vh defines TB_SEED, TB_IN_BEATS and TB_OUT_BEATS (whole
// codewords: k and n beats each).
//
// The AXI4-Stream top takes the input beats with random s_axis_tvalid gaps
// and gives the codewords against random m_axis_tready; beside it the native
// top takes the same symbols with random enable gaps (and, without
// CONTINUOUS, stray symbols without start between codewords, to be
// dropped). Now and then a gap or a stall lasts 16 to 79 clocks. For the
// first two codewords both sides run at full rate, and their 2n output
// symbols must come on 2n consecutive clocks. Every output symbol of both
// tops is checked in order (data, tlast / out_end, out_start) with !==, and
// the handshake outputs (valid, ready) must be 0 or 1 on every clock out of
// reset: an X or Z anywhere fails. One line at the end: "PASS" or
// "FAIL: <what, where>".

`include "rsenc_params.v"
`include "tb_config.vh"

module tb_rs_encoder;

localparam W = `INPUT_DATA_WIDTH;
localparam N = `NUM_TOTAL_SYMBOLS;
localparam K = `NUM_DATA_SYMBOLS;
localparam FULL_RATE_IN  = 2 * K;   // beats sent without gaps at the start
localparam FULL_RATE_OUT = 2 * N;
localparam TIMEOUT = 20 * (`TB_IN_BEATS + `TB_OUT_BEATS) + 1000;

reg [W:0] in_mem  [0:`TB_IN_BEATS-1];
reg [W:0] out_mem [0:`TB_OUT_BEATS-1];

reg clk = 1'b0;
reg rst_n = 1'b0;
always #5 clk = ~clk;

integer seed;
integer cycles;
reg     failed;
integer pause [0:2];                 // clocks left of a long pause

// ---- AXI4-Stream top ---------------------------------------------------------
reg  [W-1:0] s_tdata;
reg          s_tvalid, s_tlast, m_tready;
wire         s_tready, m_tvalid, m_tlast;
wire [W-1:0] m_tdata;

rs_encoder_axis axis_dut (
    .aclk          (clk),
    .aresetn       (rst_n),
    .s_axis_tdata  (s_tdata),
    .s_axis_tvalid (s_tvalid),
    .s_axis_tready (s_tready),
    .s_axis_tlast  (s_tlast),
    .m_axis_tdata  (m_tdata),
    .m_axis_tvalid (m_tvalid),
    .m_axis_tready (m_tready),
    .m_axis_tlast  (m_tlast)
);

// ---- native top ------------------------------------------------------------
reg  [W-1:0] n_data_in;
reg          n_start, n_enable, n_junk;
wire         n_ready, n_valid, n_first, n_end;
wire [W-1:0] n_data_out;

rs_encoder native_dut (
    .clk       (clk),
    .rst_n     (rst_n),
    .start     (n_start),
    .enable    (n_enable),
    .data_in   (n_data_in),
    .ready     (n_ready),
    .data_out  (n_data_out),
    .out_valid (n_valid),
    .out_start (n_first),
    .out_end   (n_end)
);

integer s_i, m_i, ni_i, no_i;        // beats taken / checked per side
integer m_first_clk, n_first_clk;    // clock of the first output symbol

task fail;
    input [8*48-1:0] what;
    input integer where;
    begin
        if (!failed)
            $display("FAIL: %0s at symbol %0d", what, where);
        failed = 1'b1;
    end
endtask

// A 3-in-4 chance, after the full-rate start; and now and then (1 in 64)
// a long pause: the next 16 to 79 calls say no.
function busy;
    input integer pause_of;         // which pause counter: 0 AXI in, 1 AXI out, 2 native
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

task offer_axis;
    begin
        if (s_i < `TB_IN_BEATS && (s_i < FULL_RATE_IN || busy(0))) begin
            s_tvalid <= 1'b1;
            s_tdata  <= in_mem[s_i][W-1:0];
            s_tlast  <= in_mem[s_i][W];
        end else begin
            s_tvalid <= 1'b0;
            s_tdata  <= {W{1'bx}};
            s_tlast  <= 1'bx;
        end
    end
endtask

// Without CONTINUOUS a symbol without start between codewords is dropped:
// now and then one is offered there (junk, not counted).
task offer_native;
    reg junk;
    begin
`ifdef CONTINUOUS
        junk = 1'b0;
`else
        junk = ni_i >= FULL_RATE_IN && ni_i % K == 0 && ($random(seed) & 7) == 0;
`endif
        n_junk    <= junk;
        n_enable  <= ni_i < `TB_IN_BEATS && (ni_i < FULL_RATE_IN || busy(2));
        n_data_in <= junk ? $random(seed) : ni_i < `TB_IN_BEATS ? in_mem[ni_i][W-1:0] : {W{1'bx}};
        n_start   <= !junk && ni_i % K == 0;
    end
endtask

initial begin
    $readmemh("tb_in.hex", in_mem);
    $readmemh("tb_out.hex", out_mem);
    seed = `TB_SEED;
    failed = 1'b0;
    cycles = 0;
    s_i = 0; m_i = 0; ni_i = 0; no_i = 0;
    m_first_clk = -1; n_first_clk = -1;
    pause[0] = 0; pause[1] = 0; pause[2] = 0;
    s_tvalid = 1'b0; s_tdata = {W{1'b0}}; s_tlast = 1'b0; m_tready = 1'b0;
    n_enable = 1'b0; n_start = 1'b0; n_junk = 1'b0; n_data_in = {W{1'b0}};
    repeat (3) @(posedge clk);
    #1 rst_n = 1'b1;
    @(posedge clk);
    offer_axis;
    offer_native;
    m_tready <= 1'b1;
end

always @(posedge clk) if (rst_n) begin
    cycles = cycles + 1;
    // Handshake outputs: 0 or 1, never X or Z.
    if (^{s_tready, m_tvalid} === 1'bx)
        fail("AXI: s_axis_tready or m_axis_tvalid is X or Z", m_i);
    if (^{n_ready, n_valid} === 1'bx)
        fail("native: ready or out_valid is X or Z", no_i);
    // AXI input: a new beat (or a gap) once the offered one is taken.
    if (s_tvalid && s_tready)
        s_i = s_i + 1;
    if (!s_tvalid || s_tready)
        offer_axis;
    // AXI output, checked in order.
    if (m_tvalid && m_tready) begin
        if (m_i >= `TB_OUT_BEATS)
            fail("AXI: output beat beyond the expected ones", m_i);
        else if (m_tdata !== out_mem[m_i][W-1:0])
            fail("AXI: m_axis_tdata differs", m_i);
        else if (m_tlast !== out_mem[m_i][W])
            fail("AXI: m_axis_tlast differs", m_i);
        if (m_i == 0)
            m_first_clk = cycles;
        if (m_i == FULL_RATE_OUT - 1 && cycles - m_first_clk != FULL_RATE_OUT - 1)
            fail("AXI: gaps at full rate", m_i);
        m_i = m_i + 1;
    end
    m_tready <= m_i < FULL_RATE_OUT || busy(1);
    // Native input.
    if (n_enable && n_ready && !n_junk)
        ni_i = ni_i + 1;
    offer_native;
    // Native output.
    if (n_valid) begin
        if (no_i >= `TB_OUT_BEATS)
            fail("native: output symbol beyond the expected ones", no_i);
        else if (n_data_out !== out_mem[no_i][W-1:0])
            fail("native: data_out differs", no_i);
        else if (n_end !== out_mem[no_i][W])
            fail("native: out_end differs", no_i);
        else if (n_first !== (no_i % N == 0))
            fail("native: out_start differs", no_i);
        if (no_i == 0)
            n_first_clk = cycles;
        if (no_i == FULL_RATE_OUT - 1 && cycles - n_first_clk != FULL_RATE_OUT - 1)
            fail("native: gaps at full rate", no_i);
        no_i = no_i + 1;
    end
    if (failed || cycles > TIMEOUT || (m_i == `TB_OUT_BEATS && no_i == `TB_OUT_BEATS)) begin
        if (!failed && cycles > TIMEOUT)
            $display("FAIL: timeout after %0d clocks, %0d AXI and %0d native symbols out",
                     cycles, m_i, no_i);
        else if (!failed)
            $display("PASS");
        $finish;
    end
end

endmodule

`default_nettype wire
