`timescale 1ns/1ns
`default_nettype none
// Multi-cycle engine: NCA firings per sample over M shared multipliers.
// The past samples live in a circular buffer (one write and one registered
// read per operand, so it maps to block RAM). In firing c multiplier j
// takes coefficient k = c*M + j with tap k and, for symmetric sets, its
// mirror tap TAPS-1-k as pre-adder partner; k beyond the coefficient count
// (zero padding) and taps older than the first sample since reset read as
// zero. A new sample is taken while the last firing of the previous one is
// issued, so the engine accepts one sample every NCA clocks.
// With C interleaved channels the buffer holds TAPS*C samples of all
// channels in arrival order; tap k of the sample's channel is C*k places
// back.
module fir_engine_multicycle #(
    parameter TAPS = 1,          // filter length
    parameter C = 1,             // interleaved channels
    parameter NCF = 1,           // coefficient words
    parameter M = 1,             // multipliers
    parameter NCA = 1,           // firings per sample
    parameter SW = 8,            // bits per sample (both parts when complex)
    parameter HW = 9,            // bits per coefficient operand
    parameter PREADD = 0         // pair tap k with tap TAPS-1-k
) (
    input  wire                 clk,
    input  wire                 rst_n,      // synchronous, active low
    // samples in
    input  wire [SW-1:0]        in_data,
    input  wire                 in_valid,
    output wire                 in_ready,
    output wire                 boundary,   // a coefficient set may change here
    // coefficient operands, word k for coefficient k
    input  wire [NCF*HW-1:0]    taps_h,
    // operands of one firing
    output reg                  op_valid,
    output reg                  op_first,
    output reg                  op_last,
    output wire [M*SW-1:0]      op_a,
    output wire [M*SW-1:0]      op_b,
    output reg  [M*HW-1:0]      op_c
);
    localparam N = TAPS * C;                          // buffer length
    localparam AW = (N > 1) ? $clog2(N) : 1;          // buffer address
    localparam FW = $clog2(N + 1);                    // samples held, 0 .. N
    localparam CYW = (NCA > 1) ? $clog2(NCA) : 1;     // firing counter
    localparam KW = $clog2((NCA * M + TAPS + 1) * C + 1) + 1; // index arithmetic

    reg [SW-1:0]  buffer [0:N-1];
    reg [AW-1:0]  newest;     // buffer slot of the newest sample
    reg [FW-1:0]  filled;     // samples written since reset, saturating at N
    reg           busy;
    reg [CYW-1:0] cyc;        // firing being issued
    reg [KW-1:0]  kbase;      // cyc * M

    localparam [31:0] LAST = NCA - 1;
    wire last_firing = (cyc == LAST[CYW-1:0]);
    assign in_ready = !busy || last_firing;
    wire accept = in_valid && in_ready;
    assign boundary = accept;
    localparam [31:0] LAST_SLOT = N - 1;
    wire [AW-1:0] slot = (newest == LAST_SLOT[AW-1:0]) ? {AW{1'b0}} : newest + 1'b1;

    always @(posedge clk) begin
        if (accept) buffer[slot] <= in_data;
    end

    always @(posedge clk) begin
        if (!rst_n) begin
            newest <= {AW{1'b0}};
            filled <= {FW{1'b0}};
            busy   <= 1'b0;
            cyc    <= {CYW{1'b0}};
            kbase  <= {KW{1'b0}};
        end else if (accept) begin
            newest <= slot;
            if (filled != N) filled <= filled + 1'b1;
            busy   <= 1'b1;
            cyc    <= {CYW{1'b0}};
            kbase  <= {KW{1'b0}};
        end else if (busy) begin
            if (last_firing) busy <= 1'b0;
            cyc   <= cyc + 1'b1;
            kbase <= kbase + M;
        end
    end

    always @(posedge clk) begin
        if (!rst_n) begin
            op_valid <= 1'b0;
            op_first <= 1'b0;
            op_last  <= 1'b0;
        end else begin
            op_valid <= busy;
            op_first <= (cyc == 0);
            op_last  <= last_firing;
        end
    end

    genvar j;
    generate
        for (j = 0; j < M; j = j + 1) begin : g_mult
            wire [KW-1:0] k = kbase + j;
            wire          in_set = (k < NCF);
            wire [KW-1:0] kk = in_set ? k : {KW{1'b0}};
            wire [KW-1:0] held = {{KW-FW{1'b0}}, filled};
            wire [KW-1:0] mirror = TAPS - 1 - kk;
            // slot of tap kk and of its mirror, modulo N
            wire [KW-1:0] a_back = {{KW-AW{1'b0}}, newest} + N - kk * C;
            wire [KW-1:0] b_fwd  = {{KW-AW{1'b0}}, newest} + (kk + 1) * C;
            wire [KW-1:0] a_slot = (a_back >= N) ? a_back - N : a_back;
            wire [KW-1:0] b_slot = (b_fwd >= N) ? b_fwd - N : b_fwd;
            reg  [SW-1:0] ra, rb;
            reg           va, vb;
            always @(posedge clk) begin
                ra <= buffer[a_slot[AW-1:0]];
                rb <= buffer[b_slot[AW-1:0]];
                va <= in_set && (kk * C < held);
                vb <= (PREADD != 0) && in_set && (mirror != kk) && (mirror * C < held);
                op_c[j*HW +: HW] <= in_set ? taps_h[kk*HW +: HW] : {HW{1'b0}};
            end
            assign op_a[j*SW +: SW] = va ? ra : {SW{1'b0}};
            assign op_b[j*SW +: SW] = vb ? rb : {SW{1'b0}};
        end
    endgenerate
endmodule
`default_nettype wire
