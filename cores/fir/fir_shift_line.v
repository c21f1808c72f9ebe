`timescale 1ns/1ns
`default_nettype none
// A line of LEN words of SW bits that shifts STEP words in at the low end
// (word 0 newest) when `shift` is high; cleared to zero by reset, so a
// filter reading it starts from an all-zero past. No latency of its own:
// the words shifted in at a clock edge are words 0 .. STEP-1 from then on
// (in_word's word 0 becomes word 0).
module fir_shift_line #(
    parameter LEN = 1,
    parameter SW = 8,
    parameter STEP = 1           // words shifted in at once (at most LEN)
) (
    input  wire              clk,
    input  wire              rst_n,      // synchronous, active low
    input  wire              shift,
    input  wire [STEP*SW-1:0] in_word,
    output reg  [LEN*SW-1:0] line        // word k at [k*SW +: SW]
);
    generate
        if (LEN > STEP) begin : g_long
            always @(posedge clk)
                if (!rst_n) line <= {LEN*SW{1'b0}};
                else if (shift) line <= {line[(LEN-STEP)*SW-1:0], in_word};
        end else begin : g_one
            always @(posedge clk)
                if (!rst_n) line <= {LEN*SW{1'b0}};
                else if (shift) line <= in_word;
        end
    endgenerate
endmodule
`default_nettype wire
