`timescale 1ns/1ns
`default_nettype none
// Decimating engine: one sample per clock in, one output per D samples.
// Samples come in blocks of D; the sample of phase p (D-1 for the first of
// a block down to 0 for the last) is one firing in which multiplier i
// takes the sample i*D places back from it (the sample itself for i = 0)
// with tap i*D+p (zero beyond the filter length). The D firings of a block
// add up to the output at the block's last sample: polyphase decimation
// without a multiplexer on the data side.
module fir_engine_decimator #(
    parameter TAPS = 1,          // filter length
    parameter D = 1,             // decimation ratio
    parameter M = 1,             // multipliers
    parameter SW = 8,            // bits per sample (both parts when complex)
    parameter HW = 9             // bits per coefficient operand
) (
    input  wire                 clk,
    input  wire                 rst_n,      // synchronous, active low
    // samples in
    input  wire [SW-1:0]        in_data,
    input  wire                 in_valid,
    output wire                 in_ready,
    output wire                 boundary,   // a coefficient set may change here
    // impulse response, word k for tap k
    input  wire [TAPS*HW-1:0]   taps_h,
    // operands of one firing
    output reg                  op_valid,
    output reg                  op_first,
    output reg                  op_last,
    output wire [M*SW-1:0]      op_a,
    output wire [M*SW-1:0]      op_b,
    output wire [M*HW-1:0]      op_c
);
    localparam LEN = (M - 1) * D + 1;            // samples the firings reach
    localparam PW = (D > 1) ? $clog2(D) : 1;     // phase counter
    localparam [31:0] FIRST = D - 1;             // phase of a block's first sample
    wire [PW-1:0] first_phase = FIRST[PW-1:0];

    reg [PW-1:0]     phase;    // phase of the next sample
    reg [PW-1:0]     fired;    // phase of the sample in the line's front
    wire accept = in_valid;
    wire [LEN*SW-1:0] line;    // sample k of the past at [k*SW +: SW], k = 0 newest
    fir_shift_line #(.LEN(LEN), .SW(SW)) past (
        .clk(clk), .rst_n(rst_n), .shift(accept), .in_word(in_data), .line(line));

    always @(posedge clk) begin
        if (!rst_n) begin
            phase    <= first_phase;
            fired    <= {PW{1'b0}};
            op_valid <= 1'b0;
            op_first <= 1'b0;
            op_last  <= 1'b0;
        end else begin
            op_valid <= accept;
            if (accept) begin
                phase    <= (phase == 0) ? first_phase : phase - 1'b1;
                fired    <= phase;
                op_first <= (phase == first_phase);
                op_last  <= (phase == 0);
            end
        end
    end

    fir_phase_taps #(.TAPS(TAPS), .R(D), .M(M), .HW(HW), .PW(PW)) phases (
        .taps_h(taps_h), .phase(fired), .coeffs(op_c));

    genvar i;
    generate
        for (i = 0; i < M; i = i + 1) begin : g_mult
            assign op_a[i*SW +: SW] = line[i*D*SW +: SW];
        end
    endgenerate
    assign op_b = {M*SW{1'b0}};

    assign in_ready = 1'b1;
    assign boundary = accept && (phase == first_phase);
endmodule
`default_nettype wire
