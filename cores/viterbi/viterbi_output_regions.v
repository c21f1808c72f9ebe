`timescale 1ns/1ns
`default_nettype none

// Three output regions of decoded bits, filled by the traceback (two bits
// per word, in any order) and drained in order as a stream, one bit per
// beat. A region is committed full by the traceback once all its words are
// written, and is refilled only after it has been drained. out_last is the
// block's last bit, or in a continuous stream (STREAM) the frame mark the
// bit carries.
//
// The drain is combinational: out_valid says the region at the read
// pointer is full, out_bit, out_err and out_last are read from the region
// memory (no read register), and a beat is taken when out_valid and
// out_ready are high. The stream queue behind it registers the beats.
module viterbi_output_regions #(
    parameter SA  = 6,              // a region holds 2^SA words
    parameter EW  = 0,              // mismatch count bits per decoded bit (0 or 2)
    parameter EW1 = (EW > 0) ? EW : 1,
    parameter STREAM = 0,           // each bit carries its frame mark (out_last)
    parameter OW  = 2 * (1 + EW + STREAM)   // word bits: two {mark, mismatches, bit}
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
    output reg  [2:0]        region_full,
    // decoded bits
    output wire              out_bit,
    output wire [EW1-1:0]    out_err,    // symbol mismatches of the bit (0 without the monitor)
    output wire              out_last,   // the block's last bit
    output wire              out_valid,
    input  wire              out_ready
);
    localparam NPR = 1 << SA;
    localparam BW  = 1 + EW + STREAM;

    reg [OW-1:0] mem [0:3*NPR-1];
    always @(posedge clk) begin
        if (ob_we)
            mem[ob_region * NPR + ob_addr] <= ob_wdata;
    end

    reg [1:0]    rd_rgn;
    reg [SA:0]   pos;
    reg [SA+1:0] len_q [0:2];
    reg [2:0]    last_q;

    wire [OW-1:0] word   = mem[rd_rgn * NPR + pos[SA:1]];
    wire [BW-1:0] half   = pos[0] ? word[BW +: BW] : word[0 +: BW];
    wire          at_end = ({1'b0, pos} == len_q[rd_rgn] - 1'b1);
    wire          take   = out_valid && out_ready;

    assign out_valid = region_full[rd_rgn];
    assign out_bit   = half[0];
    generate
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
        end else begin
            if (take) begin
                if (at_end) begin
                    pos                 <= {SA+1{1'b0}};
                    region_full[rd_rgn] <= 1'b0;
                    rd_rgn              <= (rd_rgn == 2'd2) ? 2'd0 : rd_rgn + 1'b1;
                end else begin
                    pos <= pos + 1'b1;
                end
            end
            if (commit) begin
                region_full[ob_region] <= 1'b1;
                last_q[ob_region]      <= commit_last;
            end
        end
    end

    always @(posedge clk) begin
        if (commit)
            len_q[ob_region] <= commit_len;
    end
endmodule

`default_nettype wire
