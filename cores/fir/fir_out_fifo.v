`timescale 1ns/1ns
`default_nettype none
// Result queue of the AXI4-Stream top: DEPTH entries (a power of two) in
// registers, first word always on `head`. The top never pushes into a full
// queue (it reserves room before it takes a sample), so push has no ready.
module fir_out_fifo #(
    parameter WIDTH = 8,
    parameter DEPTH = 2
) (
    input  wire                 clk,
    input  wire                 rst_n,      // synchronous, active low
    input  wire [WIDTH-1:0]     push_data,
    input  wire                 push,
    input  wire                 pop,
    output wire [WIDTH-1:0]     head,
    output wire                 empty,
    output reg  [AW:0]          count      // entries held
);
    localparam AW = (DEPTH > 1) ? $clog2(DEPTH) : 1;

    reg [WIDTH-1:0] slots [0:DEPTH-1];
    reg [AW-1:0]    wr, rd;

    always @(posedge clk) if (push) slots[wr] <= push_data;

    always @(posedge clk) begin
        if (!rst_n) begin
            wr    <= {AW{1'b0}};
            rd    <= {AW{1'b0}};
            count <= {AW+1{1'b0}};
        end else begin
            if (push) wr <= wr + 1'b1;
            if (pop)  rd <= rd + 1'b1;
            count <= count + {{AW{1'b0}}, push} - {{AW{1'b0}}, pop};
        end
    end

    assign head  = slots[rd];
    assign empty = (count == 0);
endmodule
`default_nettype wire
