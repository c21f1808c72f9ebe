`timescale 1ns/1ns
`default_nettype none

// The output registers of the encoder: STAGES (0, 1 or 2) registers in a
// row, each holding a symbol with its valid bit and codeword flags, all
// moving together when `ce` is high. With 0 stages the output is the input;
// otherwise the latency is STAGES clocks of `ce`. Only the valid bits are
// reset: the symbol and its flags mean nothing without them.
module rs_enc_out_stages #(
    parameter W      = 8,           // bits per symbol
    parameter STAGES = 1
) (
    input  wire          clk,
    input  wire          rst_n,     // synchronous, active low
    input  wire          ce,
    // symbol in
    input  wire          in_valid,
    input  wire [W-1:0]  in_data,
    input  wire          in_first,
    input  wire          in_last,
    // symbol out, STAGES clocks later
    output wire          out_valid,
    output wire [W-1:0]  out_data,
    output wire          out_first,
    output wire          out_last
);

localparam B = W + 2;  // first, last, data

wire [B-1:0] chain [0:STAGES];
wire         chain_valid [0:STAGES];
assign chain[0]       = {in_first, in_last, in_data};
assign chain_valid[0] = in_valid;

genvar s;
generate
    if (STAGES == 0) begin : no_stage
        wire unused_clocking = &{1'b0, clk, rst_n, ce};
    end
    for (s = 0; s < STAGES; s = s + 1) begin : stage
        reg         v;
        reg [B-1:0] q;
        always @(posedge clk) begin
            if (!rst_n)
                v <= 1'b0;
            else if (ce)
                v <= chain_valid[s];
        end
        always @(posedge clk) begin
            if (ce)
                q <= chain[s];
        end
        assign chain_valid[s+1] = v;
        assign chain[s+1]       = q;
    end
endgenerate

assign out_valid = chain_valid[STAGES];
assign {out_first, out_last, out_data} = chain[STAGES];

endmodule

`default_nettype wire
