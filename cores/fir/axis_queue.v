`timescale 1ns/1ns
`default_nettype none

// AXI4-Stream register slice / small queue: holds up to DEPTH beats of
// WIDTH bits (the user packs {tuser, tlast, tdata} into s_payload) and gives
// them out in order, none lost and none repeated.
//
// Latency: one clock. A beat taken on s (s_valid && s_ready at a rising
// edge) is on m from the next clock; there is no bypass from s to m.
// Throughput: one beat per clock in and out, from empty as from full: a
// beat is taken on s in the same clock one leaves on m. s_ready is !full
// whatever m_ready does, so a full queue takes no beat in the clock it gives
// one out: with DEPTH 2 or more and m_ready high the level never reaches
// DEPTH and the stream does not stop; DEPTH 1 passes a beat every other
// clock (a plain register stage).
//
// The beats sit in a ring of DEPTH entries (any DEPTH from 1 to 64, a power
// of two or not); m_payload is the oldest entry, read through the ring's
// read pointer. The ring has no reset and no read port of its own, so a
// deep queue maps to LUT-RAM where the FPGA has it; a shallow one (DEPTH up
// to 4) is kept in flip-flops.
//
// s_ready, full, m_valid and level come straight from flip-flops: none of
// them depends on m_ready or s_valid through logic. Cores that run only
// while the queue has room use ~full (or level against what they reserve)
// as their clock enable, and push at most one beat per clock when not full.
//
// aresetn: active low, synchronous; out of reset the queue is empty
// (m_valid low) and no beat of before the reset comes out.
module axis_queue #(
    parameter WIDTH = 8,   // payload bits per beat
    parameter DEPTH = 2,   // beats held, 1 to 64
    parameter LW = $clog2(DEPTH + 1)   // bits of level (0 to DEPTH): leave it to its default
) (
    input  wire             aclk,
    input  wire             aresetn,    // active low, synchronous
    input  wire [WIDTH-1:0] s_payload,
    input  wire             s_valid,
    output wire             s_ready,    // room for one more beat (== !full)
    output wire [WIDTH-1:0] m_payload,  // the oldest beat held
    output wire             m_valid,
    input  wire             m_ready,
    output wire [LW-1:0]    level,      // beats held now, 0 to DEPTH
    output wire             full        // level == DEPTH
);
    // ring pointers: 0 to DEPTH-1 (a queue of one beat keeps a ring of two
    // entries, only the first of which is used, so the pointers have a bit)
    localparam AW      = (DEPTH > 1) ? $clog2(DEPTH) : 1;
    localparam RING    = (DEPTH > 1) ? DEPTH : 2;
    localparam integer LAST_I  = DEPTH - 1;
    localparam integer DEPTH_I = DEPTH;
    localparam [AW-1:0] LAST       = LAST_I[AW-1:0];
    localparam [LW-1:0] FULL_LEVEL = DEPTH_I[LW-1:0];

    reg [LW-1:0]    level_q;
    reg             full_q;
    reg             valid_q;
    reg [AW-1:0]    wr_ptr;
    reg [AW-1:0]    rd_ptr;

    wire push = s_valid & ~full_q;
    wire pop  = valid_q & m_ready;

    // level after this clock
    wire [LW-1:0] level_next = level_q + {{LW-1{1'b0}}, push} - {{LW-1{1'b0}}, pop};

    generate
        if (DEPTH <= 4) begin : g_flops
            (* ram_style = "logic" *) reg [WIDTH-1:0] ring [0:RING-1];
            always @(posedge aclk) begin
                if (push)
                    ring[wr_ptr] <= s_payload;
            end
            assign m_payload = ring[rd_ptr];
        end else begin : g_ram
            (* ram_style = "distributed" *) reg [WIDTH-1:0] ring [0:RING-1];
            always @(posedge aclk) begin
                if (push)
                    ring[wr_ptr] <= s_payload;
            end
            assign m_payload = ring[rd_ptr];
        end
    endgenerate

    always @(posedge aclk) begin
        if (!aresetn) begin
            level_q <= {LW{1'b0}};
            full_q  <= 1'b0;
            valid_q <= 1'b0;
            wr_ptr  <= {AW{1'b0}};
            rd_ptr  <= {AW{1'b0}};
        end else begin
            level_q <= level_next;
            full_q  <= (level_next == FULL_LEVEL);
            valid_q <= (level_next != {LW{1'b0}});
            if (push)
                wr_ptr <= (wr_ptr == LAST) ? {AW{1'b0}} : wr_ptr + 1'b1;
            if (pop)
                rd_ptr <= (rd_ptr == LAST) ? {AW{1'b0}} : rd_ptr + 1'b1;
        end
    end

    assign s_ready = ~full_q;
    assign m_valid = valid_q;
    assign level   = level_q;
    assign full    = full_q;

endmodule

`default_nettype wire
