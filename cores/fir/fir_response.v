`timescale 1ns/1ns
`default_nettype none
// Impulse response of the filter as multiplier operands: word k (tap k,
// k = 0 .. TAPS-1) at [k*HW +: HW], each part widened by one bit to W+1
// bits two's complement (sign-extended for signed coefficients,
// zero-extended for unsigned ones). Taps below NCF are the coefficient
// words themselves; with MIRROR the remaining taps repeat them backwards,
// tap k = coefficient TAPS-1-k, negated when NEGATE (antisymmetric sets).
// Pure wiring and, for negated loadable sets, one negation per word.
module fir_response #(
    parameter NCF = 1,           // coefficient words in
    parameter TAPS = 1,          // taps out (NCF, or the full length with MIRROR)
    parameter W = 8,             // bits per coefficient part
    parameter PARTS = 1,         // 1 real, 2 complex ({imaginary, real})
    parameter CSIGNED = 1,       // coefficients are two's complement
    parameter MIRROR = 0,        // build the second half from the first
    parameter NEGATE = 0         // the mirrored half is negated
) (
    input  wire [NCF*PARTS*W-1:0]      coeffs,   // word k at [(NCF-1-k)*PARTS*W +: PARTS*W]
    output wire [TAPS*PARTS*(W+1)-1:0] taps      // word k at [k*PARTS*(W+1) +: PARTS*(W+1)]
);
    localparam CW = PARTS * W;
    localparam HW = PARTS * (W + 1);

    genvar k, q;
    generate
        for (k = 0; k < TAPS; k = k + 1) begin : g_tap
            for (q = 0; q < PARTS; q = q + 1) begin : g_part
                localparam SRC = (k < NCF) ? k : TAPS - 1 - k;
                wire [W-1:0] c = coeffs[(NCF-1-SRC)*CW + q*W +: W];
                wire [W:0]   wide = {CSIGNED ? c[W-1] : 1'b0, c};
                if (MIRROR && NEGATE && k >= NCF) begin : g_neg
                    assign taps[k*HW + q*(W+1) +: W+1] = -wide;
                end else begin : g_pos
                    assign taps[k*HW + q*(W+1) +: W+1] = wide;
                end
            end
        end
    endgenerate
endmodule
`default_nettype wire
