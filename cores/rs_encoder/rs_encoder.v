`timescale 1ns/1ns
`default_nettype none

// Reed-Solomon encoder, native interface: one symbol per clock, the k data
// symbols of a codeword pass unchanged, then the n-k parity symbols follow.
//
// A data symbol is taken on a clock with `enable` and `ready` high. `ready`
// is low during the n-k clocks in which the parity slots are issued (they
// go out `latency` clocks later, see README.md); a symbol offered then is
// ignored. Without CONTINUOUS each codeword begins with a symbol that has
// `start` high; with CONTINUOUS the codewords follow each other by count
// from reset on. `out_valid` marks the clocks with a symbol on `data_out`,
// `out_start` its first and `out_end` its n-th symbol (data_out, out_start
// and out_end mean nothing while out_valid is low).
//
// This top reads the generated rsenc_params.v and passes its values down.

`include "rsenc_params.v"

module rs_encoder #(
    parameter W = `INPUT_DATA_WIDTH     // bits per symbol
) (
    // clock and synchronous active-low reset
    input  wire          clk,
    input  wire          rst_n,
    // input symbols
    input  wire          start,
    input  wire          enable,
    input  wire [W-1:0]  data_in,
    output wire          ready,
    // codeword out
    output wire [W-1:0]  data_out,
    output wire          out_valid,
    output wire          out_start,
    output wire          out_end
);

// n and k as W-bit numbers in the parameter file, passed down as integers
localparam [W-1:0] N_BITS = `NUM_TOTAL_SYMBOLS;
localparam [W-1:0] K_BITS = `NUM_DATA_SYMBOLS;
localparam integer N = {{(32-W){1'b0}}, N_BITS};
localparam integer K = {{(32-W){1'b0}}, K_BITS};
`ifdef CONTINUOUS
localparam CONTINUOUS = 1;
`else
localparam CONTINUOUS = 0;
`endif
`ifdef CCSDS
localparam CCSDS = 1;
`else
localparam CCSDS = 0;
`endif
`ifdef REGISTERED_INPUT
localparam REGISTERED_INPUT = 1;
`else
localparam REGISTERED_INPUT = 0;
`endif
`ifdef PIPE1
localparam OUT_STAGES = 1;
`elsif PIPE2
localparam OUT_STAGES = 2;
`else
localparam OUT_STAGES = 0;
`endif

rs_encoder_core #(
    .W                (W),
    .N                (N),
    .K                (K),
    .CONTINUOUS       (CONTINUOUS),
    .CCSDS            (CCSDS),
    .REGISTERED_INPUT (REGISTERED_INPUT),
    .OUT_STAGES       (OUT_STAGES)
) core (
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

`default_nettype wire
