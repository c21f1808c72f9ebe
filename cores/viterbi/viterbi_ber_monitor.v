`timescale 1ns/1ns
`default_nettype none

// Channel error monitor: over every BER_RATE delivered bits, the number of
// received hard-sliced code symbols that differ from the re-encoded decoded
// path (erased symbols do not count). ber_valid is high for one clock with
// the count of the window that just ended; then the next window starts.
module viterbi_ber_monitor #(
    parameter BRW  = 7,             // window counter bits
    parameter RATE = 127            // bits per window, below 2^BRW
) (
    input  wire                          clk,
    input  wire                          rst_n,      // synchronous, active low
    input  wire                          bit_done,   // a decoded bit left the core
    input  wire [1:0]                    bit_err,    // its symbol mismatches
    output reg  [BRW+1:0]                ber_count,
    output reg                           ber_valid
);
    reg [BRW-1:0]   nbits;
    reg [BRW+1:0]   nerr;
    wire [BRW+1:0]  nerr_next = nerr + {{BRW{1'b0}}, bit_err};

    always @(posedge clk) begin
        if (!rst_n) begin
            nbits     <= {BRW{1'b0}};
            nerr      <= {BRW+2{1'b0}};
            ber_count <= {BRW+2{1'b0}};
            ber_valid <= 1'b0;
        end else begin
            ber_valid <= 1'b0;
            if (bit_done) begin
                if (nbits == RATE - 1) begin
                    ber_count <= nerr_next;
                    ber_valid <= 1'b1;
                    nbits     <= {BRW{1'b0}};
                    nerr      <= {BRW+2{1'b0}};
                end else begin
                    nbits <= nbits + 1'b1;
                    nerr  <= nerr_next;
                end
            end
        end
    end
endmodule

`default_nettype wire
