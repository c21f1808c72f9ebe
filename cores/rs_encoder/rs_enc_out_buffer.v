// Two-entry output buffer of the AXI4-Stream top. Its `space` comes from a
// register, so the encoder's stall (the clock enable of every register in
// it) and s_axis_tready do not depend on m_axis_tready through logic: the
// enable reaches the remainder register from a flip-flop. With the consumer
// always ready one entry is in use and a symbol goes out every clock.
`timescale 1ns/1ns

`include "rsenc_params.v"

module rs_enc_out_buffer (
    input  wire                          clk,
    input  wire                          rst_n,
    // from the encoder
    output wire                          space,     // a symbol may be written
    input  wire                          in_valid,  // written when space is high
    input  wire [`INPUT_DATA_WIDTH:0]    in_data,   // {last, symbol}
    // to the consumer
    output wire                          out_valid,
    input  wire                          out_ready,
    output wire [`INPUT_DATA_WIDTH:0]    out_data
);

localparam B = `INPUT_DATA_WIDTH + 1;

reg [B-1:0] head, tail;   // head goes out first
reg [1:0]   count;        // entries in use, 0 to 2

wire write = in_valid & space;
wire read  = out_valid & out_ready;

assign space     = ~count[1];
assign out_valid = count != 2'd0;
assign out_data  = head;

always @(posedge clk or negedge rst_n) begin
    if (!rst_n) begin
        head  <= {B{1'b0}};
        tail  <= {B{1'b0}};
        count <= 2'd0;
    end else begin
        // head: the oldest symbol; refilled from tail or from the input
        if (count == 2'd0 || (read && count == 2'd1))
            head <= in_data;
        else if (read)
            head <= tail;
        if (write && (count == 2'd1) && !read)
            tail <= in_data;
        count <= count + {1'b0, write} - {1'b0, read};
    end
end

endmodule
