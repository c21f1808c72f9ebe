`timescale 1ns/1ns
`default_nettype none

// Register stage between the branch metrics and the add-compare-select
// array: a valid/ready slice holding one step (its branch metrics, its
// hard-sliced and erased symbols, its end-of-block flag). It takes a new
// step in the clock the held one is consumed, so the stream keeps one step
// per clock. Latency one clock; in_ready depends on out_ready.
module viterbi_metric_register #(
    parameter W = 21                // bits of a step
) (
    input  wire             clk,
    input  wire             rst_n,  // synchronous, active low
    input  wire [W-1:0]     in_step,
    input  wire             in_valid,
    output wire             in_ready,
    output reg  [W-1:0]     out_step,
    output reg              out_valid,
    input  wire             out_ready
);

    assign in_ready = !out_valid || out_ready;

    always @(posedge clk) begin
        if (!rst_n) begin
            out_valid <= 1'b0;
            out_step  <= {W{1'b0}};
        end else if (in_ready) begin
            out_valid <= in_valid;
            out_step  <= in_step;
        end
    end
endmodule

`default_nettype wire
