`timescale 1ns/1ns
`default_nettype none
// Decimating engine: one sample per clock in, one output per D samples.
// Samples come in blocks of D; the sample of phase p (D-1 for the first of
// a block down to 0 for the last) is one firing in which multiplier i
// takes the sample i*D places back from it (the sample itself for i = 0)
// with tap i*D+p (zero beyond the filter length). The D firings of a block
// add up to the output at the block's last sample: polyphase decimation
// without a multiplexer on the data side.
// With P samples per clock (P dividing D) a block is D/P beats; lane l
// fires sample l of each beat (0 the oldest), so lane l's firings of a
// block are D/P of its D firings and the lanes' sums add up to the output
// (outside this engine). op_first and op_last mark a block's first and
// last beat for every lane.
// With C interleaved channels (one sample per clock) the line is C times
// as long, sample i*D of the channel C*i*D places back; a block is D
// rounds of C samples, the phase advancing once per round. The firings of
// the channels interleave, so their sums are formed outside this engine
// (fir_channel_accum); a set boundary is the first sample of a round that
// starts a block.
module fir_engine_decimator #(
    parameter TAPS = 1,          // filter length
    parameter D = 1,             // decimation ratio
    parameter C = 1,             // interleaved channels
    parameter P = 1,             // samples per clock (lanes), dividing D
    parameter M = 1,             // multipliers per lane
    parameter SW = 8,            // bits per sample (both parts when complex)
    parameter HW = 9             // bits per coefficient operand
) (
    input  wire                 clk,
    input  wire                 rst_n,      // synchronous, active low
    // samples in, sample l of the beat at [l*SW +: SW]
    input  wire [P*SW-1:0]      in_data,
    input  wire                 in_valid,
    output wire                 in_ready,
    output wire                 boundary,   // a coefficient set may change here
    output wire                 block_first, // a sample (beat) starts its channel's block
    // impulse response, word k for tap k
    input  wire [TAPS*HW-1:0]   taps_h,
    // operands of one firing per lane, lane l at [l*M*SW +: M*SW] (op_c:
    // [l*M*HW +: M*HW])
    output reg                  op_valid,
    output reg                  op_first,
    output reg                  op_last,
    output wire [P*M*SW-1:0]    op_a,
    output wire [P*M*SW-1:0]    op_b,
    output wire [P*M*HW-1:0]    op_c
);
    localparam K = D / P;                        // beats per block
    localparam LEN = (M - 1) * D * C + P;        // samples the firings reach
    localparam PW = (D > 1) ? $clog2(D) : 1;     // phase
    localparam BW = (K > 1) ? $clog2(K) : 1;     // beat of a block
    localparam [31:0] LAST = K - 1;
    wire [BW-1:0] last_beat = LAST[BW-1:0];

    reg [BW-1:0]     beat;     // beat (round) of the next sample(s) in its block
    wire             round_end;    // the next sample is the last of its round
    reg [BW-1:0]     fired;    // beat of the samples in the line's front
    wire accept = in_valid;
    wire [LEN*SW-1:0] line;    // sample k of the past at [k*SW +: SW], k = 0 newest
    wire [P*SW-1:0] newest_first;
    genvar i, l;
    generate
        for (l = 0; l < P; l = l + 1) begin : g_order
            assign newest_first[l*SW +: SW] = in_data[(P-1-l)*SW +: SW];
        end
    endgenerate
    fir_shift_line #(.LEN(LEN), .SW(SW), .STEP(P)) past (
        .clk(clk), .rst_n(rst_n), .shift(accept), .in_word(newest_first), .line(line));

    always @(posedge clk) begin
        if (!rst_n) begin
            beat     <= {BW{1'b0}};
            fired    <= {BW{1'b0}};
            op_valid <= 1'b0;
            op_first <= 1'b0;
            op_last  <= 1'b0;
        end else begin
            op_valid <= accept;
            if (accept) begin
                if (round_end) beat <= (beat == last_beat) ? {BW{1'b0}} : beat + 1'b1;
                fired    <= beat;
                op_first <= (beat == 0);
                op_last  <= (beat == last_beat);
            end
        end
    end

    generate
        for (l = 0; l < P; l = l + 1) begin : g_lane
            // phase of lane l's sample: D-1 for the first sample of a block
            localparam [31:0] TOP = D - 1 - l;
            wire [31:0]   phase32 = TOP - fired * P;
            fir_phase_taps #(.TAPS(TAPS), .R(D), .M(M), .HW(HW), .PW(PW)) phases (
                .taps_h(taps_h), .phase(phase32[PW-1:0]), .coeffs(op_c[l*M*HW +: M*HW]));
            for (i = 0; i < M; i = i + 1) begin : g_mult
                assign op_a[(l*M+i)*SW +: SW] = line[(P-1-l+i*D*C)*SW +: SW];
            end
        end
    endgenerate
    assign op_b = {P*M*SW{1'b0}};

    generate
        if (C > 1) begin : g_channels
            localparam CHW = $clog2(C);
            localparam [31:0] LAST_CH = C - 1;
            reg [CHW-1:0] channel;   // channel of the next sample
            always @(posedge clk)
                if (!rst_n) channel <= {CHW{1'b0}};
                else if (accept) channel <= round_end ? {CHW{1'b0}} : channel + 1'b1;
            assign round_end = (channel == LAST_CH[CHW-1:0]);
            assign boundary = accept && (beat == 0) && (channel == 0);
        end else begin : g_one
            assign round_end = 1'b1;
            assign boundary = accept && (beat == 0);
        end
    endgenerate
    assign block_first = accept && (beat == 0);
    assign in_ready = 1'b1;
endmodule
`default_nettype wire
