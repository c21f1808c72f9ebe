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
// codeword is not a restart: that symbol is ordinary data.
//
// Reset: asynchronous, active low, like every register of the core.
`timescale 1ns/1ns

`include "rsenc_params.v"

module rs_enc_control (
    // clock, reset, pipeline advance
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

localparam W = `INPUT_DATA_WIDTH;

// Flag values at the first slot of a codeword (count 0).
`ifdef DSYMB_EQ_ONE
localparam DATA_LAST_AT_0 = 1'b1;
`else
localparam DATA_LAST_AT_0 = 1'b0;
`endif
`ifdef DSYMB_EQ_TWO
localparam DATA_PRELAST_AT_0 = 1'b1;
`else
localparam DATA_PRELAST_AT_0 = 1'b0;
`endif
// n = 2 (one data and one parity symbol): count 0 is already n-2.
localparam TOTAL_PRELAST_AT_0 = (`MAX_COUNT_TOTAL_SYMBOL == 1);

reg [W-1:0] count;        // slot of the codeword now at the input, 0 .. n-1
reg first;                // count == 0
reg parity_phase;         // count >= k
reg data_prelast;         // count == k-2
reg data_last;            // count == k-1
reg total_prelast;        // count == n-2
reg total_last;           // count == n-1

`ifdef CONTINUOUS
wire take_data = in_valid;
wire unused_start = in_start;   // framing by count alone
`else
reg active;               // inside a codeword
wire take_data = in_valid & (active | in_start);
`endif
assign in_ready    = ~parity_phase;
assign slot_valid  = parity_phase | take_data;
assign slot_parity = parity_phase;
assign slot_first  = first;
assign slot_last   = total_last;

wire advance = ce & slot_valid;

always @(posedge clk or negedge rst_n) begin
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
            data_prelast  <= (count == `MAX_COUNT_DATA_SYMBOL_MINUS_TWO);
            data_last     <= data_prelast;
            total_prelast <= (count == `MAX_COUNT_TOTAL_SYMBOL_MINUS_TWO);
            total_last    <= total_prelast;
        end
    end
end

`ifndef CONTINUOUS
always @(posedge clk or negedge rst_n) begin
    if (!rst_n)
        active <= 1'b0;
    else if (advance)
        active <= ~total_last;
end
`endif

endmodule
