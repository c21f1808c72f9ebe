`timescale 1ns/1ns
`default_nettype none
// Result queue of the AXI4-Stream top, with the ports of the shared stream
// block (cores/common/axis_queue.v), which it stands in for: DEPTH entries
// (a power of two, 2 or more) in a memory without a reset and without a
// style attribute, so synthesis may put a deep queue in block RAM (iCE40)
// or LUT RAM (Xilinx), a shallow one in LUT RAM or registers. The oldest
// entry is always on m_payload; a beat pushed is on m_payload from the next
// clock. level, full and m_valid come from the registered count.
// It stands in because the shared block, as it is, keeps a queue of up to
// four entries in flip-flops (on Xilinx 7 that costs the 64-tap
// multi-cycle row 99 LUTs and 192 flip-flops over LUT RAM) and marks a
// deeper one for distributed RAM, which Yosys 0.23's synth_ice40 cannot
// map (every single-cycle and interpolating configuration needs 8 or more
// entries).
// fir_axis never pushes into a full queue (it reserves room before it
// takes a sample), so s_valid is taken as it comes: s_ready and full are
// given for the interface only.
module fir_out_fifo #(
    parameter WIDTH = 8,
    parameter DEPTH = 2,
    parameter LW = $clog2(DEPTH + 1)   // bits of level: leave it to its default
) (
    input  wire             aclk,
    input  wire             aresetn,    // synchronous, active low
    input  wire [WIDTH-1:0] s_payload,
    input  wire             s_valid,
    output wire             s_ready,
    output wire [WIDTH-1:0] m_payload,  // the oldest entry
    output wire             m_valid,
    input  wire             m_ready,
    output wire [LW-1:0]    level,      // entries held, 0 .. DEPTH
    output wire             full
);
    localparam AW = $clog2(DEPTH);
    localparam integer DEPTH_I = DEPTH;

    reg [WIDTH-1:0] slots [0:DEPTH-1];
    reg [AW-1:0]    wr, rd;
    reg [LW-1:0]    count;

    wire push = s_valid;
    wire pop  = m_valid && m_ready;

    always @(posedge aclk) if (push) slots[wr] <= s_payload;

    always @(posedge aclk) begin
        if (!aresetn) begin
            wr    <= {AW{1'b0}};
            rd    <= {AW{1'b0}};
            count <= {LW{1'b0}};
        end else begin
            if (push) wr <= wr + 1'b1;
            if (pop)  rd <= rd + 1'b1;
            count <= count + {{LW-1{1'b0}}, push} - {{LW-1{1'b0}}, pop};
        end
    end

    assign m_payload = slots[rd];
    assign m_valid   = (count != {LW{1'b0}});
    assign level     = count;
    assign full      = (count == DEPTH_I[LW-1:0]);
    assign s_ready   = !full;
endmodule
`default_nettype wire
