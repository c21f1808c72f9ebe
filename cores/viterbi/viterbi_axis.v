`timescale 1ns/1ns
`default_nettype none

// Viterbi decoder, AXI4-Stream top. s_axis_tdata carries one step's code
// symbols (or, punctured, one transmitted symbol), DIN_WIDTH bits each,
// packed from bit 0 up, padded to whole bytes; s_axis_tlast marks the last
// beat of a terminated block. s_axis_tuser (when the core has erasures or
// a choice of puncture patterns): the erasure flag of each symbol of the
// beat from bit 0 up, then the pattern pair index (read on a block's first
// beat). m_axis_tdata[0] is the decoded bit,
// m_axis_tlast the block's last bit; the master side comes from the native
// top's stream queue (registers).
// Two steps per clock (VITERBI_RADIX4): s_axis_tdata carries two steps'
// symbols, the older step's from bit 0 up and the newer's right above;
// s_axis_tuser[0] marks a beat that carries the older step only (the last
// beat of a block with an odd number of steps), the erasure flags of the
// beat's 2n symbol slots and the pattern pair index follow from bit 1 up.
// With puncturing the beat holds every slot of its two steps, the ones
// the block's pattern pair leaves out with any value. m_axis_tdata bits 0 and 1
// are two decoded bits in decoding order; m_axis_tuser marks a beat that
// carries bit 0 only (bit 1 then reads 0).
//
// This top reads trellgen's parameters.v and viterbi_options.v for its
// port widths; the native top below it reads the rest.

`include "parameters.v"
`include "viterbi_options.v"

module viterbi_axis #(
`ifdef VITERBI_RADIX4
    parameter DBW      = 2 * `VITERBI_SYMBOLS * `DIN_WIDTH,     // symbol bits of a beat: two steps
`else
    parameter DBW      = `DINBUS_WIDTH,         // symbol bits of a beat
`endif
    parameter IN_BYTES = (DBW + 7) / 8,         // s_axis_tdata bytes
`ifdef VITERBI_RADIX4
    parameter EN       = 2 * `VITERBI_SYMBOLS,  // symbols per beat: two steps
`else
    parameter EN       = `VITERBI_SYMBOLS,      // symbols per beat
`endif
    parameter SETW     = `VITERBI_SETW,         // bits of the pattern pair index
`ifdef VITERBI_TUSER
    parameter UW       = `VITERBI_TUSER,        // s_axis_tuser bits
`endif
`ifdef BER_PRESENT
    parameter BRW      = `BER_RATE_WIDTH        // BER window counter bits
`else
    parameter BRW      = 1                      // (no monitor)
`endif
) (
    input  wire                   aclk,
    input  wire                   aresetn,      // synchronous, active low
    input  wire [IN_BYTES*8-1:0]  s_axis_tdata,
    input  wire                   s_axis_tvalid,
    output wire                   s_axis_tready,
    input  wire                   s_axis_tlast,
`ifdef VITERBI_TUSER
    input  wire [UW-1:0]          s_axis_tuser,
`endif
    output wire [7:0]             m_axis_tdata,
    output wire                   m_axis_tvalid,
    input  wire                   m_axis_tready,
    output wire                   m_axis_tlast
`ifdef VITERBI_RADIX4
    ,
    output wire                   m_axis_tuser  // the beat carries bit 0 only
`endif
`ifdef BER_PRESENT
    ,
    output wire [BRW+1:0]         ber_count,
    output wire                   ber_valid
`endif
);
`ifdef VITERBI_RADIX4
    wire [1:0] out_bit;
`else
    wire       out_bit;
`endif
    viterbi_decoder #(.DBW(DBW), .EN(EN), .SETW(SETW), .BRW(BRW)) core (
        .clk(aclk), .rst_n(aresetn),
        .in_data(s_axis_tdata[DBW-1:0]), .in_valid(s_axis_tvalid),
        .in_ready(s_axis_tready), .in_last(s_axis_tlast),
`ifdef VITERBI_ERASURES
`ifdef VITERBI_RADIX4
        .in_era(s_axis_tuser[1 +: EN]),         // above the one-step flag
`else
        .in_era(s_axis_tuser[EN-1:0]),
`endif
`endif
`ifdef VITERBI_SET_CHOICE
        .in_set(s_axis_tuser[UW-1 -: SETW]),    // the top bits
`endif
`ifdef VITERBI_RADIX4
        .in_one(s_axis_tuser[0]), .out_one(m_axis_tuser),
`endif
        .out_data(out_bit), .out_valid(m_axis_tvalid), .out_ready(m_axis_tready),
        .out_last(m_axis_tlast)
`ifdef BER_PRESENT
        , .ber_count(ber_count), .ber_valid(ber_valid)
`endif
    );
`ifdef VITERBI_RADIX4
    assign m_axis_tdata = {6'b0, out_bit};
`else
    assign m_axis_tdata = {7'b0, out_bit};
`endif
endmodule

`default_nettype wire
