// The output registers of the encoder: STAGES (0, 1 or 2) registers in a
// row, each holding a symbol with its valid bit and codeword flags, all
// moving together when `ce` is high. With 0 stages the output is the input.
`timescale 1ns/1ns

`include "rsenc_params.v"

module rs_enc_out_stages #(
    parameter STAGES = 1
) (
    input  wire                          clk,
    input  wire                          rst_n,
    input  wire                          ce,
    // symbol in
    input  wire                          in_valid,
    input  wire [`INPUT_DATA_WIDTH-1:0]  in_data,
    input  wire                          in_first,
    input  wire                          in_last,
    // symbol out, STAGES clocks later
    output wire                          out_valid,
    output wire [`INPUT_DATA_WIDTH-1:0]  out_data,
    output wire                          out_first,
    output wire                          out_last
);

localparam B = `INPUT_DATA_WIDTH + 3;  // valid, first, last, data

wire [B-1:0] chain [0:STAGES];
assign chain[0] = {in_valid, in_first, in_last, in_data};

genvar s;
generate
    if (STAGES == 0) begin : no_stage
        wire unused_clocking = &{1'b0, clk, rst_n, ce};
    end
    for (s = 0; s < STAGES; s = s + 1) begin : stage
        reg [B-1:0] q;
        always @(posedge clk or negedge rst_n) begin
            if (!rst_n)
                q <= {B{1'b0}};
            else if (ce)
                q <= chain[s];
        end
        assign chain[s+1] = q;
    end
endgenerate

assign {out_valid, out_first, out_last, out_data} = chain[STAGES];

endmodule
