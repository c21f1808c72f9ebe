// Three output regions of decoded bits, filled by the traceback (two bits
// per word, in any order) and drained in order, one bit per beat, behind a
// register stage. A region is refilled only after it has been drained.
`include "parameters.v"

module viterbi_output_buffer (
    input  wire                       clk,
    input  wire                       rst_n,
    // from the traceback
    input  wire                       ob_we,
    input  wire [1:0]                 ob_region,
    input  wire [`SM_ADDR_WIDTH-1:0]  ob_addr,
    input  wire [OW-1:0]              ob_wdata,
    input  wire                       commit,
    input  wire [`SM_ADDR_WIDTH+1:0]  commit_len,
    input  wire                       commit_last,
    output reg  [2:0]                 region_full,
    // decoded bits
    output reg                        m_data,
    output reg  [EW1-1:0]             m_err,      // symbol mismatches of the bit (BER monitor)
    output reg                        m_valid,
    input  wire                       m_ready,
    output reg                        m_last
);
    localparam SA  = `SM_ADDR_WIDTH;
    localparam NPR = 1 << SA;
`ifdef BER_PRESENT
    localparam EW = 2;
`else
    localparam EW = 0;
`endif
    localparam EW1 = (EW > 0) ? EW : 1;
    localparam BW  = 1 + EW;
    localparam OW  = 2 * BW;

    reg [OW-1:0] mem [0:3*NPR-1];
    always @(posedge clk) begin
        if (ob_we)
            mem[ob_region * NPR + ob_addr] <= ob_wdata;
    end

    reg [1:0]    rd_rgn;
    reg [SA:0]   pos;
    reg [SA+1:0] len_q [0:2];
    reg [2:0]    last_q;

    wire [OW-1:0] word    = mem[rd_rgn * NPR + pos[SA:1]];
    wire [BW-1:0] half    = pos[0] ? word[BW +: BW] : word[0 +: BW];
    wire          at_end  = ({1'b0, pos} == len_q[rd_rgn] - 1'b1);
    wire          load    = region_full[rd_rgn] && (!m_valid || m_ready);

    always @(posedge clk) begin
        if (!rst_n) begin
            region_full <= 3'b000;
            rd_rgn      <= 2'd0;
            pos         <= {SA+1{1'b0}};
            m_valid     <= 1'b0;
            m_data      <= 1'b0;
            m_last      <= 1'b0;
            m_err       <= {EW1{1'b0}};
            last_q      <= 3'b000;
        end else begin
            if (load) begin
                m_valid <= 1'b1;
                m_data  <= half[0];
`ifdef BER_PRESENT
                m_err   <= half[BW-1:1];
`endif
                m_last  <= last_q[rd_rgn] && at_end;
                if (at_end) begin
                    pos                 <= {SA+1{1'b0}};
                    region_full[rd_rgn] <= 1'b0;
                    rd_rgn              <= (rd_rgn == 2'd2) ? 2'd0 : rd_rgn + 1'b1;
                end else begin
                    pos <= pos + 1'b1;
                end
            end else if (m_ready) begin
                m_valid <= 1'b0;
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
