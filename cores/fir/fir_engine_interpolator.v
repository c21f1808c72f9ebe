`timescale 1ns/1ns
`default_nettype none
// Interpolating engine: U outputs per sample, polyphase. The last M samples
// sit in a shift register; output p (p = 0 .. U-1, in this order) of a
// sample is one firing in which multiplier i takes the sample i places back
// with tap i*U+p (zero beyond the filter length). A new sample is taken
// while the last output of the previous one is issued, so the engine
// accepts one sample every U clocks and gives one output per clock.
// With C interleaved channels the line is C times as long and sample i of
// the channel sits C*i places back.
module fir_engine_interpolator #(
    parameter TAPS = 1,          // filter length
    parameter C = 1,             // interleaved channels
    parameter U = 1,             // interpolation ratio
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
    output wire                 op_first,
    output wire                 op_last,
    output reg  [M*SW-1:0]      op_a,
    output wire [M*SW-1:0]      op_b,
    output reg  [M*HW-1:0]      op_c
);
    localparam PW = (U > 1) ? $clog2(U) : 1;     // phase counter
    localparam [31:0] LAST = U - 1;

    reg [PW-1:0]   phase;      // output being issued
    reg            busy;
    wire last_phase = (phase == LAST[PW-1:0]);
    assign in_ready = !busy || last_phase;
    wire accept = in_valid && in_ready;
    assign boundary = accept;
    localparam LEN = (M - 1) * C + 1;
    wire [LEN*SW-1:0] line;    // sample i of the past at [i*SW +: SW], i = 0 newest
    fir_shift_line #(.LEN(LEN), .SW(SW)) past (
        .clk(clk), .rst_n(rst_n), .shift(accept), .in_word(in_data), .line(line));

    always @(posedge clk) begin
        if (!rst_n) begin
            phase    <= {PW{1'b0}};
            busy     <= 1'b0;
            op_valid <= 1'b0;
        end else begin
            op_valid <= busy;
            if (accept) begin
                phase <= {PW{1'b0}};
                busy  <= 1'b1;
            end else if (busy) begin
                phase <= phase + 1'b1;
                if (last_phase) busy <= 1'b0;
            end
        end
    end

    wire [M*HW-1:0] coeffs;
    fir_phase_taps #(.TAPS(TAPS), .R(U), .M(M), .HW(HW), .PW(PW)) phases (
        .taps_h(taps_h), .phase(phase), .coeffs(coeffs));
    integer i;
    always @(posedge clk) begin
        for (i = 0; i < M; i = i + 1) op_a[i*SW +: SW] <= line[i*C*SW +: SW];
        op_c <= coeffs;
    end

    assign op_b     = {M*SW{1'b0}};
    assign op_first = 1'b1;
    assign op_last  = 1'b1;
endmodule
`default_nettype wire
