`timescale 1ns/1ns
`default_nettype none
// Polyphase coefficient selection: for phase p, multiplier i gets tap
// i*R+p of the impulse response, zero beyond the filter length.
module fir_phase_taps #(
    parameter TAPS = 1,          // filter length
    parameter R = 1,             // phases (decimation or interpolation ratio)
    parameter M = 1,             // multipliers
    parameter HW = 9,            // bits per coefficient operand
    parameter PW = 1             // bits of the phase
) (
    input  wire [TAPS*HW-1:0] taps_h,     // word k for tap k
    input  wire [PW-1:0]      phase,
    output wire [M*HW-1:0]    coeffs      // word i for multiplier i
);
    genvar i, p;
    generate
        for (i = 0; i < M; i = i + 1) begin : g_mult
            wire [R*HW-1:0] by_phase;
            for (p = 0; p < R; p = p + 1) begin : g_phase
                if (i * R + p < TAPS) begin : g_tap
                    assign by_phase[p*HW +: HW] = taps_h[(i*R+p)*HW +: HW];
                end else begin : g_pad
                    assign by_phase[p*HW +: HW] = {HW{1'b0}};
                end
            end
            assign coeffs[i*HW +: HW] = by_phase[phase*HW +: HW];
        end
    endgenerate
endmodule
`default_nettype wire
