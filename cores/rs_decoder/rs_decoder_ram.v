`timescale 1ns/1ns
`default_nettype none
// Simple dual-port memory with a registered read port: one write and one
// read per enabled clock, the shape FPGA tools map to a block RAM. A read of
// the address written on the same edge returns the old contents.
module rs_decoder_ram #(
   parameter AW = 8,            // address bits
   parameter DW = 8             // data bits
) (
   input  wire             clk,
   input  wire             ce,      // clock enable: nothing changes while low
   // write port
   input  wire             we,
   input  wire [AW-1:0]    waddr,
   input  wire [DW-1:0]    wdata,
   // read port: rdata follows raddr one enabled clock later
   input  wire [AW-1:0]    raddr,
   output reg  [DW-1:0]    rdata
);

reg [DW-1:0] mem [0:(1<<AW)-1];

always @(posedge clk) begin
   if (ce) begin
      if (we)
         mem[waddr] <= wdata;
      rdata <= mem[raddr];
   end
end

endmodule

`default_nettype wire
