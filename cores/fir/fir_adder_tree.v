`timescale 1ns/1ns
`default_nettype none
// Adder tree over the multiplier products: STAGES registered stages,
// stage STAGES (the first) takes the products, stage 1 (the last) gives
// the OW-bit sum. Stage s is described by bits [32*(s-1) +: 32] of the
// ST_* vectors (the values the top takes from the stage defines of
// parameters.v): it adds ADDERS pairs of the first 2*ADDERS elements and
// passes DIRECT elements on, IN_W bits an element in, OUT_W out. One
// register per stage, so the tree's latency is STAGES (none with one
// multiplier: the sum is the product itself).
module fir_adder_tree #(
    parameter PARTS = 1,         // 1 real, 2 complex ({imaginary, real})
    parameter SIGNED = 1,        // products are two's complement
    parameter IW = 16,           // product bus
    parameter OW = 16,           // sum
    parameter STAGES = 0,        // 0 .. 6
    parameter [191:0] ST_ADDERS = 0,
    parameter [191:0] ST_DIRECT = 0,
    parameter [191:0] ST_IN_W = 0,
    parameter [191:0] ST_OUT_W = 0
) (
    input  wire          clk,
    input  wire [IW-1:0] products,   // product j at [j*IW/M +: IW/M]
    output wire [OW-1:0] sum
);
    genvar s;
    generate
        if (STAGES == 0) begin : g_wire
            assign sum = products;
        end else begin : g_tree
            for (s = STAGES; s >= 1; s = s - 1) begin : g_stage
                localparam [31:0] A  = ST_ADDERS[32*(s-1) +: 32];
                localparam [31:0] D  = ST_DIRECT[32*(s-1) +: 32];
                localparam [31:0] EI = ST_IN_W[32*(s-1) +: 32];
                localparam [31:0] EO = ST_OUT_W[32*(s-1) +: 32];
                wire [(2*A+D)*EI-1:0] in_bus;
                wire [(A+D)*EO-1:0]   out_bus;
                if (s == STAGES) begin : g_first
                    assign in_bus = products;
                end else begin : g_next
                    assign in_bus = g_stage[s+1].out_bus;
                end
                fir_adder_stage #(.ADDERS(A), .DIRECT(D), .IW(EI), .OW(EO), .PARTS(PARTS),
                    .SIGNED(SIGNED)) stage (.clk(clk), .in_bus(in_bus), .out_bus(out_bus));
            end
            assign sum = g_stage[1].out_bus;
        end
    endgenerate
endmodule
`default_nettype wire
