// Reed-Solomon encoder, native interface: one symbol per clock, the k data
// symbols of a codeword pass unchanged, then the n-k parity symbols follow.
//
// A data symbol is taken on a clock with `enable` and `ready` high. `ready`
// is low during the n-k clocks in which the parity slots are issued (they
// go out `latency` clocks later, see README.md); a symbol offered then is
// ignored. Without CONTINUOUS each codeword begins with a symbol that has
// `start` high; with CONTINUOUS the codewords follow each other by count
// from reset on. `out_valid` marks the clocks with a symbol on `data_out`,
// `out_start` its first and `out_end` its n-th symbol.
`timescale 1ns/1ns

`include "rsenc_params.v"

module rs_encoder (
    // clock and asynchronous active-low reset
    input  wire                          clk,
    input  wire                          rst_n,
    // input symbols
    input  wire                          start,
    input  wire                          enable,
    input  wire [`INPUT_DATA_WIDTH-1:0]  data_in,
    output wire                          ready,
    // codeword out
    output wire [`INPUT_DATA_WIDTH-1:0]  data_out,
    output wire                          out_valid,
    output wire                          out_start,
    output wire                          out_end
);

rs_encoder_core core (
    .clk       (clk),
    .rst_n     (rst_n),
    .ce        (1'b1),
    .in_valid  (enable),
    .in_start  (start),
    .in_data   (data_in),
    .in_ready  (ready),
    .out_valid (out_valid),
    .out_data  (data_out),
    .out_first (out_start),
    .out_last  (out_end)
);

endmodule
