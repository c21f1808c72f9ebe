// Survivor memory: simple dual-port RAM, one write and one registered read
// per clock. A word holds the decisions of two consecutive trellis steps
// (and, with the BER monitor, their hard-sliced symbols), so the traceback
// walks two steps per read. The device class only picks the memory style.
`include "parameters.v"

module viterbi_survivor_memory #(
    parameter AW = 7,    // address bits
    parameter DW = 128   // word bits
) (
    input  wire          clk,
    input  wire          we,
    input  wire [AW-1:0] waddr,
    input  wire [DW-1:0] wdata,
    input  wire          re,
    input  wire [AW-1:0] raddr,
    output reg  [DW-1:0] rdata
);
`ifdef QUARRY_DEVICE
    (* ram_style = "distributed" *)
`else
    (* ram_style = "block" *)
`endif
    reg [DW-1:0] mem [0:(1<<AW)-1];

    always @(posedge clk) begin
        if (we)
            mem[waddr] <= wdata;
        if (re)
            rdata <= mem[raddr];
    end
endmodule
