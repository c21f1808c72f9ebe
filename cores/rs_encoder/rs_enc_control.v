`timescale 1ns/1ns
`default_nettype none

// Codeword framing of the Reed-Solomon encoder: counts the symbol slots of
// a codeword (k data slots, then n-k parity slots), tells the datapath what
// the slot entering it on this clock is, and keeps the "last data" and
// "last symbol" decisions in registers computed two slots ahead, so that no
// counter comparison sits in front of the remainder register.
//
// A slot enters when `ce` is high and either a parity slot is due (they are
// issued on their own, one per clock) or a data symbol is offered in the
// data phase. Without CONTINUOUS a codeword begins only with a symbol that
// carries `in_start`; symbols offered between codewords without it are
// taken and dropped. With CONTINUOUS the count alone frames the codewords
// from reset on and `in_start` is not looked at. A start in the middle of a
// codeword is not a restart: that symbol is ordinary data. The slot outputs
// are combinational from the registers and the input handshake.
module rs_enc_control #(
    parameter W          = 8,       // bits per symbol (and of the slot count)
    parameter integer N  = 255,     // symbols per codeword, 2 to 2^W - 1
    parameter integer K  = 239,     // data symbols per codeword, 1 to N - 1
    parameter CONTINUOUS = 1        // 1: framing by count alone
) (
    // clock, synchronous active-low reset, pipeline advance
    input  wire clk,
    input  wire rst_n,
    input  wire ce,
    // the data symbol offered at the input
    input  wire in_valid,
    input  wire in_start,
    output wire in_ready,     // data phase: an offered symbol is taken
    // the slot entering the datapath on this clock (when ce)
    output wire slot_valid,
    output wire slot_parity,  // a parity slot: the remainder shifts out
    output wire slot_first,   // first symbol of a codeword
    output wire slot_last     // n-th symbol of a codeword
);

// Counts (modulo 2^W) at which the flags two slots ahead are set: k-3 and
// n-3, the counts two before the last data and the last symbol.
localparam integer DATA_PRELAST_I  = K - 3;
localparam integer TOTAL_PRELAST_I = N - 3;
localparam [W-1:0] DATA_PRELAST_COUNT  = DATA_PRELAST_I[W-1:0];
localparam [W-1:0] TOTAL_PRELAST_COUNT = TOTAL_PRELAST_I[W-1:0];
// Flag values at the first slot of a codeword (count 0). n = 2 (one data
// and one parity symbol): count 0 is already n-2.
localparam DATA_LAST_AT_0    = (K == 1) ? 1'b1 : 1'b0;
localparam DATA_PRELAST_AT_0 = (K == 2) ? 1'b1 : 1'b0;
localparam TOTAL_PRELAST_AT_0 = (N == 2) ? 1'b1 : 1'b0;

reg [W-1:0] count;        // slot of the codeword now at the input, 0 .. n-1
reg first;                // count == 0
reg parity_phase;         // count >= k
reg data_prelast;         // count == k-2
reg data_last;            // count == k-1
reg total_prelast;        // count == n-2
reg total_last;           // count == n-1

wire take_data;
assign in_ready    = ~parity_phase;
assign slot_valid  = parity_phase | take_data;
assign slot_parity = parity_phase;
assign slot_first  = first;
assign slot_last   = total_last;

wire advance = ce & slot_valid;

always @(posedge clk) begin
    if (!rst_n) begin
        count         <= {W{1'b0}};
        first         <= 1'b1;
        parity_phase  <= 1'b0;
        data_prelast  <= DATA_PRELAST_AT_0;
        data_last     <= DATA_LAST_AT_0;
        total_prelast <= TOTAL_PRELAST_AT_0;
        total_last    <= 1'b0;
    end else if (advance) begin
        first <= total_last;
        if (total_last) begin
            count         <= {W{1'b0}};
            parity_phase  <= 1'b0;
            data_prelast  <= DATA_PRELAST_AT_0;
            data_last     <= DATA_LAST_AT_0;
            total_prelast <= TOTAL_PRELAST_AT_0;
            total_last    <= 1'b0;
        end else begin
            count         <= count + 1'b1;
            parity_phase  <= parity_phase | data_last;
            data_prelast  <= (count == DATA_PRELAST_COUNT);
            data_last     <= data_prelast;
            total_prelast <= (count == TOTAL_PRELAST_COUNT);
            total_last    <= total_prelast;
        end
    end
end

generate
    if (CONTINUOUS) begin : by_count
        assign take_data = in_valid;
        wire unused_start = in_start;   // framing by count alone
    end else begin : by_start
        reg active;               // inside a codeword
        assign take_data = in_valid & (active | in_start);
        always @(posedge clk) begin
            if (!rst_n)
                active <= 1'b0;
            else if (advance)
                active <= ~total_last;
        end
    end
endgenerate

endmodule

`default_nettype wire
