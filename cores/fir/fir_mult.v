`timescale 1ns/1ns
`default_nettype none
// Signed multiplier p = a * b with LATENCY registers. Two forms of the same
// product: by default the `*` operator between input and output registers
// (so synthesis can use DSP blocks and their pipeline registers); with
// LUT_ROWS set, BW conditional-add rows (row i adds a at
// weight 2^i when b[i] is set, the last row subtracts it), registered every
// ROWS rows. A row is one LUT and one carry per bit on a LUT4 device
// without multipliers, where the operator would cost about three times more.
module fir_mult #(
    parameter AW = 8,            // bits of a (two's complement)
    parameter BW = 8,            // bits of b (two's complement)
    parameter LATENCY = 2,       // registers; equal to ceil(BW / ROWS)
    parameter LUT_ROWS = 0       // 1: conditional-add rows, 0: the `*` operator
) (
    input  wire                 clk,
    input  wire [AW-1:0]        a,
    input  wire [BW-1:0]        b,
    output wire [AW+BW-1:0]     p
);
    genvar i, s;
    generate
        if (LUT_ROWS != 0) begin : g_lut
            localparam ROWS = (BW + LATENCY - 1) / LATENCY;   // rows between registers

            // Row i takes the running sum divided by 2^i (high_in, it fits AW
            // bits) and the product bits already final (low_in), with a and b
            // delayed along the rows; it passes the same on, registered every
            // ROWS rows.
            for (i = 0; i < BW; i = i + 1) begin : g_row
                wire [AW-1:0] high_in, mcand;
                wire [BW-1:0] low_in, mplier;
                if (i == 0) begin : g_start
                    assign high_in = {AW{1'b0}};
                    assign low_in  = {BW{1'b0}};
                    assign mcand   = a;
                    assign mplier  = b;
                end else begin : g_chain
                    assign high_in = g_row[i-1].high_out;
                    assign low_in  = g_row[i-1].low_out;
                    assign mcand   = g_row[i-1].mcand_out;
                    assign mplier  = g_row[i-1].mplier_out;
                end
                wire [AW:0] h   = {high_in[AW-1], high_in};
                wire [AW:0] ax  = {mcand[AW-1], mcand};
                wire [AW:0] sum = (i == BW - 1) ? h - ax : h + ax;
                wire [AW:0] row = mplier[i] ? sum : h;
                wire [BW-1:0] low = low_in | ({{BW-1{1'b0}}, row[0]} << i);
                wire [AW-1:0] high_out, mcand_out;
                wire [BW-1:0] low_out, mplier_out;
                if ((i + 1) % ROWS == 0 || i == BW - 1) begin : g_reg
                    reg [AW-1:0] high_r, mcand_r;
                    reg [BW-1:0] low_r, mplier_r;
                    always @(posedge clk) begin
                        high_r   <= row[AW:1];
                        low_r    <= low;
                        mcand_r  <= mcand;
                        mplier_r <= mplier;
                    end
                    assign high_out   = high_r;
                    assign low_out    = low_r;
                    assign mcand_out  = mcand_r;
                    assign mplier_out = mplier_r;
                end else begin : g_wire
                    assign high_out   = row[AW:1];
                    assign low_out    = low;
                    assign mcand_out  = mcand;
                    assign mplier_out = mplier;
                end
            end
            assign p = {g_row[BW-1].high_out, g_row[BW-1].low_out};
        end else begin : g_op
            // operands registered once (when LATENCY > 1), the product, then
            // delays: the layout of a DSP block's input, multiplier and output
            // registers
            if (LATENCY > 1) begin : g_in
                reg [AW-1:0] a_r;
                reg [BW-1:0] b_r;
                always @(posedge clk) begin
                    a_r <= a;
                    b_r <= b;
                end
            end
            for (s = (LATENCY > 1) ? 1 : 0; s < LATENCY; s = s + 1) begin : g_stage
                reg [AW+BW-1:0] q;
                if (s == 0) begin : g_direct
                    always @(posedge clk) q <= $signed(a) * $signed(b);
                end else if (s == 1) begin : g_mul
                    always @(posedge clk) q <= $signed(g_in.a_r) * $signed(g_in.b_r);
                end else begin : g_delay
                    always @(posedge clk) q <= g_stage[s-1].q;
                end
            end
            assign p = g_stage[LATENCY-1].q;
        end
    endgenerate
endmodule
`default_nettype wire
