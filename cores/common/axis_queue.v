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
//
// Area with WIDTH 9 (Yosys synth_ice40 / synth_xilinx):
//   DEPTH 1: iCE40 4 LUT4, 10 DFF;          Xilinx 2 LUT, 10 FDRE
//   DEPTH 2: iCE40 24 LUT4, 25 DFF;         Xilinx 18 LUT, 25 FDRE
//   DEPTH 4: iCE40 41 LUT4, 2 carry, 47 DFF; Xilinx 25 LUT, 1 CARRY4, 47 FDRE
//   DEPTH 8: iCE40 77 LUT4, 87 DFF;         Xilinx 17 LUT, 2 RAM32M, 15 FDRE
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

    // Deliberate faults, for the self-test of the formal check only (each
    // must make the proof fail): 1 loses a beat taken in the clock one goes
    // out, 2 writes a beat offered while full over the waiting one, 3 raises
    // full a clock late.
`ifdef AXIS_QUEUE_MUTATION
    localparam MUTATION = `AXIS_QUEUE_MUTATION;
`else
    localparam MUTATION = 0;
`endif
    wire write   = (MUTATION == 2) ? s_valid : push;
    wire advance = (MUTATION == 1) ? push & ~pop : push;

    // the ring's addresses (a queue of one beat has the one entry)
    wire [AW-1:0] wr_at = (DEPTH > 1) ? wr_ptr : {AW{1'b0}};
    wire [AW-1:0] rd_at = (DEPTH > 1) ? rd_ptr : {AW{1'b0}};

    // level after this clock
    wire [LW-1:0] level_next = level_q + {{LW-1{1'b0}}, push} - {{LW-1{1'b0}}, pop};

    generate
        if (DEPTH <= 4) begin : g_flops
            (* ram_style = "logic" *) reg [WIDTH-1:0] ring [0:RING-1];
            always @(posedge aclk) begin
                if (write)
                    ring[wr_at] <= s_payload;
            end
            assign m_payload = ring[rd_at];
        end else begin : g_ram
            reg [WIDTH-1:0] ring [0:RING-1];
            always @(posedge aclk) begin
                if (write)
                    ring[wr_at] <= s_payload;
            end
            assign m_payload = ring[rd_at];
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
            full_q  <= (MUTATION == 3) ? (level_q == FULL_LEVEL) : (level_next == FULL_LEVEL);
            valid_q <= (level_next != {LW{1'b0}});
            if (advance)
                wr_ptr <= (wr_ptr == LAST) ? {AW{1'b0}} : wr_ptr + 1'b1;
            if (pop)
                rd_ptr <= (rd_ptr == LAST) ? {AW{1'b0}} : rd_ptr + 1'b1;
        end
    end

    assign s_ready = ~full_q;
    assign m_valid = valid_q;
    assign level   = level_q;
    assign full    = full_q;

`ifdef FORMAL
    // ---------------------------------------------------------------------
    // Properties (Yosys: read_verilog -formal). The environment is free:
    // s_valid, s_payload, m_ready and aresetn take any value in any clock,
    // except that aresetn is low in the first.
    //
    // Tracked beat: the solver picks a beat number F_INDEX and a payload
    // F_DATA. The beats taken on s and given out on m are counted modulo
    // 2**FW (FW bits count more than twice DEPTH, so the count in and the
    // count out never pass each other); every beat taken with number
    // F_INDEX carries F_DATA, and every beat given out with number F_INDEX
    // must carry it too. As F_INDEX and F_DATA are any, no beat is lost,
    // repeated or put out of order, however long the stream. A reset
    // restarts both counts.
    // ---------------------------------------------------------------------
    localparam FW = LW + 1;

    (* anyconst *) reg [FW-1:0]    f_index;
    (* anyconst *) reg [WIDTH-1:0] f_data;

    reg          f_past_valid = 1'b0;
    reg [FW-1:0] f_in;     // beats taken on s, modulo 2**FW
    reg [FW-1:0] f_out;    // beats given out on m, modulo 2**FW
    reg [LW:0]   f_held;   // beats taken minus beats given out

    wire f_push = s_valid && s_ready;
    wire f_pop  = m_valid && m_ready;

`ifdef AXIS_QUEUE_PROPERTY_MUTATION
    // a wrong property: the tracked beat is expected one place late
    wire [FW-1:0] f_expect = f_index + 1'b1;
`else
    wire [FW-1:0] f_expect = f_index;
`endif

    always @(posedge aclk) begin
        f_past_valid <= 1'b1;
        if (!aresetn) begin
            f_in   <= {FW{1'b0}};
            f_out  <= {FW{1'b0}};
            f_held <= {LW+1{1'b0}};
        end else begin
            if (f_push)
                f_in <= f_in + 1'b1;
            if (f_pop)
                f_out <= f_out + 1'b1;
            f_held <= f_held + {{LW{1'b0}}, f_push} - {{LW{1'b0}}, f_pop};
        end
    end

    always @(*) begin
        if (!f_past_valid)
            assume (!aresetn);
        if (f_push && f_in == f_index)
            assume (s_payload == f_data);
    end

    // where the beat numbered F_INDEX is, if held: f_ahead beats before it
    wire [FW-1:0]    f_ahead   = f_index - f_out;
    wire             f_tracked = ({1'b0, f_ahead} < f_held);
    wire [FW:0]      f_slot_w  = {{FW-AW+1{1'b0}}, rd_ptr} + {1'b0, f_ahead};
    wire [FW:0]      f_wr_w    = {{FW-AW+1{1'b0}}, rd_ptr} + {1'b0, level_q};
    wire [AW-1:0]    f_slot    = (f_slot_w >= DEPTH) ? f_slot_w - DEPTH : f_slot_w;
    wire [AW-1:0]    f_wr      = (f_wr_w >= DEPTH) ? f_wr_w - DEPTH : f_wr_w;
    wire [WIDTH-1:0] f_entry;
    generate
        if (DEPTH <= 4) begin : g_f_flops
            assign f_entry = g_flops.ring[f_slot];
        end else begin : g_f_ram
            assign f_entry = g_ram.ring[f_slot];
        end
    endgenerate

    always @(*) begin
        if (f_past_valid) begin
            // the interface
            assert (level == f_held);
            assert (f_held <= DEPTH);
            assert (full == (level == DEPTH));
            assert (s_ready == !full);
            assert (m_valid == (level != 0));
            // the beat numbered F_INDEX goes out with its payload
            if (f_pop && f_out == f_expect)
                assert (m_payload == f_data);
`ifndef AXIS_QUEUE_INTERFACE_ONLY
            // invariants that make the induction go through
            assert (rd_ptr <= LAST);
            assert (wr_ptr == f_wr);
            assert (f_in - f_out == f_held);
            if (f_tracked)
                assert (f_entry == f_data);
`endif
        end
    end

    always @(posedge aclk) begin
        if (f_past_valid) begin
            // out of reset nothing is held
            if (!$past(aresetn))
                assert (!m_valid && level == 0 && !full);
            // a beat offered on m stays, unchanged, until taken
            if ($past(aresetn) && $past(m_valid) && !$past(m_ready)) begin
                assert (m_valid);
                assert (m_payload == $past(m_payload));
            end
        end
    end
`endif

endmodule

`default_nettype wire
