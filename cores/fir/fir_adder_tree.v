// Adder tree over the multiplier products, built from the stage defines of
// parameters.v: stage NUM_ADDER_STAGES (the first) takes the products, stage
// 1 (the last) gives the ATO_WIDTH-bit sum. One register per stage, so the
// tree's latency is its number of stages (none with one multiplier).
`include "parameters.v"
module fir_adder_tree #(
    parameter PARTS = 1,         // 1 real, 2 complex ({imaginary, real})
    parameter SIGNED = 1         // products are two's complement
) (
    input                     clk,
    input  [`MBO_WIDTH-1:0]   products,   // product j at [j*MBO_WIDTH/M +: ...]
    output [`ATO_WIDTH-1:0]   sum
);
`ifdef STAGE6
    localparam B6 = `ST6_IN_BUS_WIDTH;
`else
    localparam B6 = `MBO_WIDTH;
`endif
`ifdef STAGE5
    localparam B5 = `ST5_IN_BUS_WIDTH;
`else
    localparam B5 = B6;
`endif
`ifdef STAGE4
    localparam B4 = `ST4_IN_BUS_WIDTH;
`else
    localparam B4 = B5;
`endif
`ifdef STAGE3
    localparam B3 = `ST3_IN_BUS_WIDTH;
`else
    localparam B3 = B4;
`endif
`ifdef STAGE2
    localparam B2 = `ST2_IN_BUS_WIDTH;
`else
    localparam B2 = B3;
`endif
`ifdef STAGE1
    localparam B1 = `ST1_IN_BUS_WIDTH;
`else
    localparam B1 = B2;
`endif
`ifdef STAGE1
    localparam B0 = `ST1_OUT_BUS_WIDTH;
`else
    localparam B0 = B1;
`endif

    // bus_k: input of stage k (the products when stage k is absent)
    wire [B6-1:0] bus6 = products;
    wire [B5-1:0] bus5;
    wire [B4-1:0] bus4;
    wire [B3-1:0] bus3;
    wire [B2-1:0] bus2;
    wire [B1-1:0] bus1;
    wire [B0-1:0] bus0;

`ifdef STAGE6
    fir_adder_stage #(.ADDERS(`ST6_NUM_ADDERS), .DIRECT(`ST6_NUM_DIRECT),
        .IW(`ST6_IN_DATA_WIDTH), .OW(`ST6_OUT_DATA_WIDTH), .PARTS(PARTS), .SIGNED(SIGNED))
        stage6 (.clk(clk), .in_bus(bus6), .out_bus(bus5));
`else
    assign bus5 = bus6;
`endif
`ifdef STAGE5
    fir_adder_stage #(.ADDERS(`ST5_NUM_ADDERS), .DIRECT(`ST5_NUM_DIRECT),
        .IW(`ST5_IN_DATA_WIDTH), .OW(`ST5_OUT_DATA_WIDTH), .PARTS(PARTS), .SIGNED(SIGNED))
        stage5 (.clk(clk), .in_bus(bus5), .out_bus(bus4));
`else
    assign bus4 = bus5;
`endif
`ifdef STAGE4
    fir_adder_stage #(.ADDERS(`ST4_NUM_ADDERS), .DIRECT(`ST4_NUM_DIRECT),
        .IW(`ST4_IN_DATA_WIDTH), .OW(`ST4_OUT_DATA_WIDTH), .PARTS(PARTS), .SIGNED(SIGNED))
        stage4 (.clk(clk), .in_bus(bus4), .out_bus(bus3));
`else
    assign bus3 = bus4;
`endif
`ifdef STAGE3
    fir_adder_stage #(.ADDERS(`ST3_NUM_ADDERS), .DIRECT(`ST3_NUM_DIRECT),
        .IW(`ST3_IN_DATA_WIDTH), .OW(`ST3_OUT_DATA_WIDTH), .PARTS(PARTS), .SIGNED(SIGNED))
        stage3 (.clk(clk), .in_bus(bus3), .out_bus(bus2));
`else
    assign bus2 = bus3;
`endif
`ifdef STAGE2
    fir_adder_stage #(.ADDERS(`ST2_NUM_ADDERS), .DIRECT(`ST2_NUM_DIRECT),
        .IW(`ST2_IN_DATA_WIDTH), .OW(`ST2_OUT_DATA_WIDTH), .PARTS(PARTS), .SIGNED(SIGNED))
        stage2 (.clk(clk), .in_bus(bus2), .out_bus(bus1));
`else
    assign bus1 = bus2;
`endif
`ifdef STAGE1
    fir_adder_stage #(.ADDERS(`ST1_NUM_ADDERS), .DIRECT(`ST1_NUM_DIRECT),
        .IW(`ST1_IN_DATA_WIDTH), .OW(`ST1_OUT_DATA_WIDTH), .PARTS(PARTS), .SIGNED(SIGNED))
        stage1 (.clk(clk), .in_bus(bus1), .out_bus(bus0));
`else
    assign bus0 = bus1;
`endif

    assign sum = bus0;
endmodule
