`timescale 1ns/1ns
`default_nettype none

// Channel error monitor: over every BER_RATE delivered bits, the number of
// received hard-sliced code symbols that differ from the re-encoded decoded
// path (erased symbols do not count). ber_valid is high for one clock with
// the count of the window that just ended; then the next window starts.
// Two bits a beat (bit1_done, the newer bit): a window may end with either
// bit, the other one then counts for the next (RATE >= 3: one window end
// per beat at most).
module viterbi_ber_monitor #(
    parameter BRW  = 7,             // window counter bits
    parameter RATE = 127            // bits per window, below 2^BRW
) (
    input  wire                          clk,
    input  wire                          rst_n,      // synchronous, active low
    input  wire                          bit_done,   // a decoded bit left the core
    input  wire [1:0]                    bit_err,    // its symbol mismatches
    input  wire                          bit1_done,  // a second, newer bit with it
    input  wire [1:0]                    bit1_err,
    output reg  [BRW+1:0]                ber_count,
    output reg                           ber_valid
);
    reg [BRW-1:0]   nbits;
    reg [BRW+1:0]   nerr;
    wire [BRW+1:0]  nerr_next = nerr + {{BRW{1'b0}}, bit_err};
    wire [BRW+1:0]  err1      = bit1_done ? {{BRW{1'b0}}, bit1_err} : {BRW+2{1'b0}};
    localparam [BRW-1:0] LAST  = RATE - 1;
    localparam [BRW-1:0] LAST2 = RATE - 2;

    always @(posedge clk) begin
        if (!rst_n) begin
            nbits     <= {BRW{1'b0}};
            nerr      <= {BRW+2{1'b0}};
            ber_count <= {BRW+2{1'b0}};
            ber_valid <= 1'b0;
        end else begin
            ber_valid <= 1'b0;
            if (bit_done) begin
                if (nbits == LAST) begin
                    // the window ends with the older bit; the newer starts the next
                    ber_count <= nerr_next;
                    ber_valid <= 1'b1;
                    nbits     <= {{(BRW-1){1'b0}}, bit1_done};
                    nerr      <= err1;
                end else if (bit1_done && nbits == LAST2) begin
                    ber_count <= nerr_next + err1;
                    ber_valid <= 1'b1;
                    nbits     <= {BRW{1'b0}};
                    nerr      <= {BRW+2{1'b0}};
                end else begin
                    nbits <= nbits + 1'b1 + {{(BRW-1){1'b0}}, bit1_done};
                    nerr  <= nerr_next + err1;
                end
            end
        end
    end
endmodule

`default_nettype wire
