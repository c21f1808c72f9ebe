`timescale 1ns/1ns
`default_nettype none

// Register stage between the branch metrics and the add-compare-select
// array, holding one step (its branch metrics, its hard-sliced and erased
// symbols, its end-of-block flag): the stream queue of two beats, so that
// in_ready comes from a register and the step's hold-back (out_ready, from
// the scheduler) reaches only this stage's enables, not the input port. It
// takes a new step in the clock the held one is consumed, one step per
// clock. Latency one clock.
module viterbi_metric_register #(
    parameter W = 21                // bits of a step
) (
    input  wire             clk,
    input  wire             rst_n,  // synchronous, active low
    input  wire [W-1:0]     in_step,
    input  wire             in_valid,
    output wire             in_ready,
    output wire [W-1:0]     out_step,
    output wire             out_valid,
    input  wire             out_ready
);
    wire [1:0] unused_level;
    wire       unused_full;
    axis_queue #(.WIDTH(W), .DEPTH(2)) slot (
        .aclk(clk), .aresetn(rst_n),
        .s_payload(in_step), .s_valid(in_valid), .s_ready(in_ready),
        .m_payload(out_step), .m_valid(out_valid), .m_ready(out_ready),
        .level(unused_level), .full(unused_full));
endmodule

`default_nettype wire
