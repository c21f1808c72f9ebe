`timescale 1ns/1ns
`default_nettype none
// One registered stage of the adder tree: ADDERS pairwise sums of the first
// 2*ADDERS elements, then DIRECT elements passed on widened. Elements are
// PARTS parts of IW/PARTS bits (complex: {imaginary, real}); each part is
// added on its own and grows to OW/PARTS bits. Element e at [e*IW +: IW].
module fir_adder_stage #(
    parameter ADDERS = 1,
    parameter DIRECT = 0,
    parameter IW = 16,           // element width in
    parameter OW = 17,           // element width out
    parameter PARTS = 1,
    parameter SIGNED = 1         // parts are two's complement
) (
    input  wire                               clk,
    input  wire [(2*ADDERS+DIRECT)*IW-1:0]    in_bus,
    output reg  [(ADDERS+DIRECT)*OW-1:0]      out_bus
);
    localparam IP = IW / PARTS;
    localparam OP = OW / PARTS;

    genvar e, q;
    generate
        for (e = 0; e < ADDERS + DIRECT; e = e + 1) begin : g_elem
            for (q = 0; q < PARTS; q = q + 1) begin : g_part
                localparam XI = (e < ADDERS) ? 2 * e : ADDERS + e;   // first operand
                wire [IP-1:0] x = in_bus[XI*IW + q*IP +: IP];
                wire [OP-1:0] xw = {{OP-IP{SIGNED ? x[IP-1] : 1'b0}}, x};
                if (e < ADDERS) begin : g_add
                    wire [IP-1:0] y = in_bus[(2*e+1)*IW + q*IP +: IP];
                    wire [OP-1:0] yw = {{OP-IP{SIGNED ? y[IP-1] : 1'b0}}, y};
                    always @(posedge clk) out_bus[e*OW + q*OP +: OP] <= xw + yw;
                end else begin : g_pass
                    always @(posedge clk) out_bus[e*OW + q*OP +: OP] <= xw;
                end
            end
        end
    endgenerate
endmodule
`default_nettype wire
