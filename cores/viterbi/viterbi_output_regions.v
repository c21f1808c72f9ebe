`timescale 1ns/1ns
`default_nettype none

// Three output regions of decoded bits, filled by the traceback (two bits
// per word, in any order) and drained in order as a stream, one bit per
// beat. A region is committed full by the traceback once all its words are
// written, and is refilled only after it has been drained. out_last is the
// block's last bit, or in a continuous stream (STREAM) the frame mark the
// bit carries.
//
// The drain reads the region memory through a register: every clock it
// reads the word of the position the drain has next (the one after a beat
// taken now, else the current one), and out_valid says that word is the
// one of a full region: a region committed in one clock drains from the
// second clock after. out_bit, out_err and out_last come from that word
// and the read position's registers; a beat is taken when out_valid and
// out_ready are high. The stream queue behind it registers the beats.
// (A synchronous read lets the memory be block RAM, and keeps the address
// decoding out of the path to the queue.)
module viterbi_output_regions #(
    parameter SA  = 6,              // a region holds 2^SA words
    parameter EW  = 0,              // mismatch count bits per decoded bit (0 or 2)
    parameter EW1 = (EW > 0) ? EW : 1,
    parameter STREAM = 0,           // each bit carries its frame mark (out_last)
    parameter R4  = 0,              // four bits per word, two per beat
    // word bits: two {mark, mismatches, bit}; R4 two {mark, mismatches,
    // bit 1, mismatches, bit 0}, the mark that of the beat's newer bit
    parameter OW  = R4 ? 2 * (2 * (1 + EW) + STREAM) : 2 * (1 + EW + STREAM)
) (
    input  wire              clk,
    input  wire              rst_n,      // synchronous, active low
    // from the traceback
    input  wire              ob_we,
    input  wire [1:0]        ob_region,
    input  wire [SA-1:0]     ob_addr,
    input  wire [OW-1:0]     ob_wdata,
    input  wire              commit,
    input  wire [SA+1:0]     commit_len,
    input  wire              commit_last,
    output wire [2:0]        region_full_next,  // the regions' full flags after this clock
    // decoded bits
    output wire              out_bit,
    output wire              out_bit1,   // (R4) the beat's second bit
    output wire              out_one,    // (R4) the beat carries out_bit only
    output wire [EW1-1:0]    out_err,    // symbol mismatches of the bit (0 without the monitor)
    output wire [EW1-1:0]    out_err1,   // (R4) those of the second bit
    output wire              out_last,   // the block's last bit
    output wire              out_valid,
    input  wire              out_ready
);
    localparam NPR = 1 << SA;
    localparam BW  = R4 ? 2 * (1 + EW) + STREAM : 1 + EW + STREAM;   // bits of a beat

    // A word is read while its region is written only when the drain does
    // not use it (fresh low): no read-during-write logic is needed.
    (* no_rw_check *)
    reg [OW-1:0] mem [0:3*NPR-1];
    always @(posedge clk) begin
        if (ob_we)
            mem[ob_region * NPR + ob_addr] <= ob_wdata;
    end

    reg [2:0]    region_full;
    reg [1:0]    rd_rgn;
    reg [SA:0]   pos;
    reg [SA+1:0] end_q [0:2];   // position of each region's last beat
    reg [2:0]    one_q;         // (R4) its last beat carries one bit
    reg [2:0]    last_q;
    reg [OW-1:0] word;      // the word at rd_rgn, pos (when fresh)
    reg          fresh;     // word holds it and the region is full

    wire [BW-1:0] half   = pos[0] ? word[BW +: BW] : word[0 +: BW];
    wire          at_end = ({1'b0, pos} == end_q[rd_rgn]);
    wire          take   = out_valid && out_ready;

    // the position after this clock
    wire [1:0]  next_rgn = (take && at_end) ? ((rd_rgn == 2'd2) ? 2'd0 : rd_rgn + 1'b1) : rd_rgn;
    wire [SA:0] next_pos = take ? (at_end ? {SA+1{1'b0}} : pos + 1'b1) : pos;

    always @(posedge clk) begin
        word <= mem[next_rgn * NPR + next_pos[SA:1]];
    end

    genvar r;
    generate
        for (r = 0; r < 3; r = r + 1) begin : next_full
            assign region_full_next[r] = (commit && ob_region == r) ||
                                         (region_full[r] && !(take && at_end && rd_rgn == r));
        end
    endgenerate

    assign out_valid = fresh;
    assign out_bit   = half[0];
    assign out_one   = R4 && one_q[rd_rgn] && at_end;
    generate
        // R4: {mark, mismatches 1, bit 1, mismatches 0, bit 0}
        if (R4) begin : second_bit
            assign out_bit1 = half[1 + EW];
        end else begin : one_bit
            assign out_bit1 = 1'b0;
        end
        if (R4 && EW > 0) begin : second_mismatches
            assign out_err1 = half[2 + EW +: EW1];
        end else begin : no_second_mismatches
            assign out_err1 = {EW1{1'b0}};
        end
        if (STREAM) begin : frame_mark
            assign out_last = half[BW-1];
        end else begin : block_end
            assign out_last = last_q[rd_rgn] && at_end;
        end
        if (EW > 0) begin : mismatches
            assign out_err = half[EW:1];
        end else begin : no_mismatches
            assign out_err = 1'b0;
        end
    endgenerate

    always @(posedge clk) begin
        if (!rst_n) begin
            region_full <= 3'b000;
            rd_rgn      <= 2'd0;
            pos         <= {SA+1{1'b0}};
            last_q      <= 3'b000;
            fresh       <= 1'b0;
        end else begin
            rd_rgn <= next_rgn;
            pos    <= next_pos;
            // a region full now was written completely a clock ago
            fresh  <= region_full[next_rgn];
            if (take && at_end)
                region_full[rd_rgn] <= 1'b0;
            if (commit) begin
                region_full[ob_region] <= 1'b1;
                last_q[ob_region]      <= commit_last;
            end
        end
    end

    always @(posedge clk) begin
        // R4: two bits per beat, the last one alone when the length is odd
        if (commit) begin
            end_q[ob_region] <= R4 ? (commit_len - 1'b1) >> 1 : commit_len - 1'b1;
            one_q[ob_region] <= commit_len[0];
        end
    end
endmodule

`default_nettype wire
