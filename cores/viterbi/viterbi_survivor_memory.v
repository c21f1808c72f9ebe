`timescale 1ns/1ns
`default_nettype none

// Survivor memory: simple dual-port RAM, one write and one registered read
// per clock. A word holds the decisions of two consecutive trellis steps
// (and, with the BER monitor, their hard-sliced symbols), so the traceback
// walks two steps per read. The device class only picks the memory style.
module viterbi_survivor_memory #(
    parameter AW          = 7,      // address bits
    parameter DW          = 128,    // word bits
    parameter DISTRIBUTED = 0       // 1: LUT RAM (device class 1), 0: block RAM
) (
    input  wire          clk,
    input  wire          we,
    input  wire [AW-1:0] waddr,
    input  wire [DW-1:0] wdata,
    input  wire          re,
    input  wire [AW-1:0] raddr,
    output reg  [DW-1:0] rdata
);
    generate
        if (DISTRIBUTED) begin : lut_ram
            (* ram_style = "distributed" *)
            reg [DW-1:0] mem [0:(1<<AW)-1];
            always @(posedge clk) begin
                if (we)
                    mem[waddr] <= wdata;
                if (re)
                    rdata <= mem[raddr];
            end
        end else begin : block_ram
            (* ram_style = "block" *)
            reg [DW-1:0] mem [0:(1<<AW)-1];
            always @(posedge clk) begin
                if (we)
                    mem[waddr] <= wdata;
                if (re)
                    rdata <= mem[raddr];
            end
        end
    endgenerate
endmodule

`default_nettype wire
