// A line of LEN words of SW bits that shifts one word in at the low end
// (word 0 newest) when `shift` is high; cleared to zero by reset.
module fir_shift_line #(
    parameter LEN = 1,
    parameter SW = 8
) (
    input                   clk,
    input                   rst,        // synchronous, active high
    input                   shift,
    input  [SW-1:0]         in_word,
    output reg [LEN*SW-1:0] line        // word k at [k*SW +: SW]
);
    generate
        if (LEN > 1) begin : g_long
            always @(posedge clk)
                if (rst) line <= {LEN*SW{1'b0}};
                else if (shift) line <= {line[(LEN-1)*SW-1:0], in_word};
        end else begin : g_one
            always @(posedge clk)
                if (rst) line <= {SW{1'b0}};
                else if (shift) line <= in_word;
        end
    endgenerate
endmodule
