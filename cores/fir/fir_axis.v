`timescale 1ns/1ns
`default_nettype none
// FIR filter, AXI4-Stream top. Samples on s_axis, results on m_axis; with
// COEFF_LOAD coefficient sets on s_axis_coef (one set of NUM_COEFFS words
// per packet, tlast on the last). Complex samples and results are
// {imaginary, real} on the parallel ports (COMPLEX_PARA_IN) or two beats,
// real part first, on the serial ones (COMPLEX_SERI_IN).
// With COMPLEX_SERI_IN, m_axis_tlast marks the second (imaginary) beat of
// each result, so a consumer can pair the beats without counting them.
// Back-pressure: a sample is taken only when the result queue (the shared
// axis_queue) has room for every result it and the samples before it will
// produce, so the filter itself never stalls and m_axis_tready may drop at
// any clock.
// Interleaved channels (FIR_CHANNELS above 1): samples arrive channel 0,
// 1, .., C-1, 0, .., the channel index in the low FIR_CHANNEL_WIDTH bits of
// s_axis_tuser. A sample whose index is not the expected channel's is taken
// and dropped (it reaches no channel's history), and channel_error is high
// for one clock after it; the next sample must still carry the expected
// index. m_axis_tuser carries the channel of each result.
// Coefficient sets (FIR_SETS): the set of a sample in the s_axis_tuser bits
// above the channel index; the set a loaded packet replaces on
// s_axis_coef_tuser of its last beat.
// Samples per clock (FIR_SAMPLES_PER_CLOCK, P): every s_axis beat carries P
// samples, sample 0 (the oldest) in the low bits, and every m_axis beat
// their P results in the same order (DECIMATION_FIR: one result, every
// D/P beats).
// One of the core's two tops: it reads parameters.v (as fir does) and
// hands the values it needs down as parameters.
// The channels, sets and samples per clock are the defines of fir_streams.v
// (compiled after parameters.v, written only when one of them is above 1).
`include "parameters.v"
module fir_axis (
    input  wire                             aclk,
    input  wire                             aresetn,     // synchronous, active low
    // samples
`ifdef FIR_LANES
    input  wire [`FIR_SAMPLES_PER_CLOCK*`INPUT_PORT_WIDTH-1:0] s_axis_tdata,
`else
    input  wire [`INPUT_PORT_WIDTH-1:0]     s_axis_tdata,
`endif
    input  wire                             s_axis_tvalid,
    output wire                             s_axis_tready,
`ifdef FIR_USER
    input  wire [`FIR_USER_WIDTH-1:0]       s_axis_tuser,   // {set, channel}
`endif
`ifdef COEFF_LOAD
    // coefficient sets
    input  wire [`INTERNAL_DATA_WIDTH-1:0]  s_axis_coef_tdata,
    input  wire                             s_axis_coef_tvalid,
    output wire                             s_axis_coef_tready,
    input  wire                             s_axis_coef_tlast,
`ifdef FIR_SETS
    input  wire [`FIR_SET_WIDTH-1:0]        s_axis_coef_tuser,  // the set replaced
`endif
`endif
    // results
`ifdef FIR_LANES
    output wire [`FIR_RESULTS_PER_CLOCK*`OUTPUT_PORT_WIDTH-1:0] m_axis_tdata,
`else
    output wire [`OUTPUT_PORT_WIDTH-1:0]    m_axis_tdata,
`endif
`ifdef COMPLEX_SERI_IN
    output wire                             m_axis_tlast,   // the imaginary beat
`endif
`ifdef FIR_CHANNELED
`ifdef FIR_SATURATE
    output wire [`FIR_CHANNEL_WIDTH:0]      m_axis_tuser,   // {clamped, channel of the result}
`else
    output wire [`FIR_CHANNEL_WIDTH-1:0]    m_axis_tuser,   // channel of the result
`endif
    output reg                              channel_error,  // a sample out of order was dropped
`elsif FIR_SATURATE
    output wire                             m_axis_tuser,   // the result was clamped
`endif
    output wire                             m_axis_tvalid,
    input  wire                             m_axis_tready
);
`ifdef FIR_LANES
    localparam LANES = `FIR_SAMPLES_PER_CLOCK;
    localparam RESULTS = `FIR_RESULTS_PER_CLOCK;
`else
    localparam LANES = 1;
    localparam RESULTS = 1;
`endif
    localparam IDW = LANES * `INTERNAL_DATA_WIDTH;
    localparam OWD = RESULTS * `OUTPUT_WIDTH;
    // results per sample (COST) and clocks between samples at full rate
    // (GAP; for decimation, between results)
`ifdef INTERPOLATION_FIR
    localparam COST = `U_RATIO;
    localparam GAP = `U_RATIO;
`elsif MULTICYCLE_FIR
    localparam COST = 1;
    localparam GAP = `NUM_CYCLES_ADJ;
`elsif DECIMATION_FIR
    localparam COST = 1;
    localparam GAP = `D_RATIO / LANES;   // beats per block
`else
    localparam COST = 1;
    localparam GAP = 1;
`endif
    // A result leaves the filter at most LATENCY clocks after the last
    // firing of its sample (five registers, one multiplier register per
    // four coefficient bits, a complex sum, up to six adder-tree stages),
    // so a queue of NEED entries keeps a full-rate stream going while
    // m_axis_tready stays high.
    localparam LATENCY = 12 + (`INPUT_DATA_WIDTH + 4) / 4 + ((LANES > 1) ? 2 : 0);
    localparam NEED_ONE = ((LATENCY + GAP - 1) / GAP + 1) * COST;
    // decimating channels: the first round of a block reserves the results
    // of all C channels at once, and the next block's first round follows
    // before they have left, so the queue holds two rounds of results
`ifdef DECIMATION_FIR
`ifdef FIR_CHANNELED
    localparam ROUNDS = 2 * `FIR_CHANNELS;
`else
    localparam ROUNDS = 2;
`endif
`else
    localparam ROUNDS = 0;
`endif
    localparam NEED = (NEED_ONE > ROUNDS) ? NEED_ONE : ROUNDS;
    localparam DEPTH = 1 << $clog2(NEED);
    localparam CW = $clog2(DEPTH + 1);   // 0 .. DEPTH, the queue's level

    // ---- room for the results of the next sample
    wire          core_ready;
    wire          core_valid;
    wire          core_take = core_valid && core_ready;
    wire [OWD-1:0] result;
    wire          result_valid;
    wire [CW-1:0] queued;      // results in the queue
    reg  [CW-1:0] promised;    // results reserved, not yet in the queue
`ifdef DECIMATION_FIR
    localparam PW = (GAP > 1) ? $clog2(GAP) : 1;
    localparam [31:0] BLOCK_END = GAP - 1;
    reg [PW-1:0] block_pos;    // position of the next beat (round) in its block
`ifdef FIR_CHANNELED
    // with channels a block is D rounds of C samples, a result per channel
    localparam RCW = `FIR_CHANNEL_WIDTH;
    localparam [31:0] ROUND_END = `FIR_CHANNELS - 1;
    reg [RCW-1:0] round_pos;   // channel of the next sample
    always @(posedge aclk)
        if (!aresetn) round_pos <= {RCW{1'b0}};
        else if (core_take)
            round_pos <= (round_pos == ROUND_END[RCW-1:0]) ? {RCW{1'b0}} : round_pos + 1'b1;
    wire round_end = (round_pos == ROUND_END[RCW-1:0]);
`else
    wire round_end = 1'b1;
`endif
    always @(posedge aclk)
        if (!aresetn) block_pos <= {PW{1'b0}};
        else if (core_take && round_end)
            block_pos <= (block_pos == BLOCK_END[PW-1:0]) ? {PW{1'b0}} : block_pos + 1'b1;
    wire [CW-1:0] cost = (block_pos == 0) ? 1 : 0;
`else
    wire [CW-1:0] cost = COST;
`endif
    wire room = ({1'b0, queued} + promised + cost) <= DEPTH;
    always @(posedge aclk)
        if (!aresetn) promised <= {CW{1'b0}};
        else promised <= promised + (core_take ? cost : {CW{1'b0}}) - {{CW-1{1'b0}}, result_valid};

    // ---- samples in
    wire [IDW-1:0] sample;
    wire           in_order;      // the sample's channel index is the expected one
`ifdef COMPLEX_SERI_IN
    reg                          have_re;
    reg [`INPUT_PORT_WIDTH-1:0]  re_part;
    always @(posedge aclk) begin
        if (!aresetn) have_re <= 1'b0;
        else if (!have_re && s_axis_tvalid) have_re <= 1'b1;
        else if (s_axis_tvalid && s_axis_tready) have_re <= 1'b0;
        if (!have_re && s_axis_tvalid) re_part <= s_axis_tdata;
    end
    assign sample        = {s_axis_tdata, re_part};
    assign core_valid    = have_re && s_axis_tvalid && room && in_order;
    assign s_axis_tready = !have_re || (core_ready && room);
`else
    assign sample        = s_axis_tdata;
    assign core_valid    = s_axis_tvalid && room && in_order;
    assign s_axis_tready = core_ready && room;
`endif

    // ---- channel order (the index on the beat that completes a sample)
`ifdef FIR_CHANNELED
    localparam CHW = `FIR_CHANNEL_WIDTH;
    localparam [31:0] CHANNELS = `FIR_CHANNELS;
    localparam [CHW-1:0] LAST_CHANNEL = CHANNELS[CHW-1:0] - 1'b1;
    reg [CHW-1:0] channel;     // channel of the next sample
`ifdef COMPLEX_SERI_IN
    wire sample_beat = have_re && s_axis_tvalid && s_axis_tready;   // the imaginary beat
`else
    wire sample_beat = s_axis_tvalid && s_axis_tready;
`endif
    assign in_order = (s_axis_tuser[CHW-1:0] == channel);
    always @(posedge aclk)
        if (!aresetn) begin
            channel       <= {CHW{1'b0}};
            channel_error <= 1'b0;
        end else begin
            if (core_take) channel <= (channel == LAST_CHANNEL) ? {CHW{1'b0}} : channel + 1'b1;
            channel_error <= sample_beat && !in_order;
        end
`else
    assign in_order = 1'b1;
`endif
`ifdef FIR_SETS
    // the set index above the channel index
    wire [`FIR_SET_WIDTH-1:0] sample_set = s_axis_tuser[`FIR_USER_WIDTH-1 -: `FIR_SET_WIDTH];
`endif

    fir core (
        .clk(aclk), .rst_n(aresetn),
        .in_data(sample), .in_valid(core_valid), .in_ready(core_ready),
`ifdef FIR_SETS
        .in_set(sample_set),
`endif
`ifdef COEFF_LOAD
        .coef_data(s_axis_coef_tdata), .coef_valid(s_axis_coef_tvalid),
        .coef_last(s_axis_coef_tlast), .coef_ready(s_axis_coef_tready),
`ifdef FIR_SETS
        .coef_set(s_axis_coef_tuser),
`endif
`endif
`ifdef FIR_SATURATE
        .out_overflow(clamped),
`endif
        .out_data(result), .out_valid(result_valid));

    // ---- results out: the shared stream block, its ring as a memory
    // (MEMORY 1: a result is wide, so even two or four of them go into LUT
    // RAM on Xilinx). The room check above keeps it from ever being full
    // when a result arrives, so its s_ready and full are not looked at.
    // With FIR_SATURATE the clamp flag of each result rides above it.
`ifdef FIR_SATURATE
    localparam FW = 1;
    wire               clamped;
    wire [OWD:0]       entry = {clamped, result};
    wire [OWD:0]       head_entry;
    wire               head_clamped = head_entry[OWD];
`else
    localparam FW = 0;
    wire [OWD-1:0]     entry = result;
    wire [OWD-1:0]     head_entry;
`endif
    wire [OWD-1:0] head = head_entry[OWD-1:0];
    wire           pop;
    wire           queue_ready, queue_full;
    axis_queue #(.WIDTH(OWD + FW), .DEPTH(DEPTH), .MEMORY(1)) queue (
        .aclk(aclk), .aresetn(aresetn),
        .s_payload(entry), .s_valid(result_valid), .s_ready(queue_ready),
        .m_payload(head_entry), .m_valid(m_axis_tvalid), .m_ready(pop),
        .level(queued), .full(queue_full));

`ifdef COMPLEX_SERI_IN
    reg im_beat;               // the imaginary part of the head is next
    always @(posedge aclk)
        if (!aresetn) im_beat <= 1'b0;
        else if (m_axis_tvalid && m_axis_tready) im_beat <= !im_beat;
    assign m_axis_tdata = im_beat ? head[OWD-1:OWD/2] : head[OWD/2-1:0];
    assign m_axis_tlast = im_beat;
    assign pop = m_axis_tready && im_beat;
`else
    assign m_axis_tdata = head;
    assign pop = m_axis_tready;
`endif

    // ---- channel of the results: they leave in the order of their samples,
    // COST results per sample
`ifdef FIR_CHANNELED
    localparam RPW = (COST > 1) ? $clog2(COST) : 1;
    localparam [31:0] COST32 = COST;
    localparam [RPW-1:0] LAST_RESULT = COST32[RPW-1:0] - 1'b1;
    reg [CHW-1:0] out_channel;
    reg [RPW-1:0] out_result;  // result of its sample
    always @(posedge aclk)
        if (!aresetn) begin
            out_channel <= {CHW{1'b0}};
            out_result  <= {RPW{1'b0}};
        end else if (m_axis_tvalid && pop) begin
            out_result <= (out_result == LAST_RESULT) ? {RPW{1'b0}} : out_result + 1'b1;
            if (out_result == LAST_RESULT)
                out_channel <= (out_channel == LAST_CHANNEL) ? {CHW{1'b0}} : out_channel + 1'b1;
        end
`ifdef FIR_SATURATE
    assign m_axis_tuser = {head_clamped, out_channel};
`else
    assign m_axis_tuser = out_channel;
`endif
`elsif FIR_SATURATE
    assign m_axis_tuser = head_clamped;
`endif
endmodule
`default_nettype wire
