`timescale 1ns/1ns
`default_nettype none
// Change of basis for CCSDS symbols (GF(2^8) over x^8+x^7+x^2+x+1): the
// CCSDS ports carry the dual-basis representation of a symbol, the decoder
// works in the polynomial basis. TO_DUAL = 0 maps dual to polynomial basis,
// TO_DUAL = 1 back; both are fixed linear maps (XORs of the input bits).
module rs_decoder_ccsds_basis #(
   parameter TO_DUAL = 0
) (
   input  wire [7:0] din,
   output wire [7:0] dout
);

generate
   if (TO_DUAL == 0) begin : to_poly
      assign dout[0] = din[2] ^ din[4] ^ din[7];
      assign dout[1] = din[5] ^ din[6];
      assign dout[2] = din[0] ^ din[1] ^ din[4] ^ din[5] ^ din[7];
      assign dout[3] = din[0] ^ din[1] ^ din[2] ^ din[4] ^ din[5];
      assign dout[4] = din[2] ^ din[3] ^ din[4];
      assign dout[5] = din[1] ^ din[2] ^ din[3] ^ din[4] ^ din[5];
      assign dout[6] = din[0] ^ din[2] ^ din[3] ^ din[4] ^ din[6] ^ din[7];
      assign dout[7] = din[0] ^ din[1] ^ din[3] ^ din[4] ^ din[7];
   end else begin : to_dual
      assign dout[0] = din[0] ^ din[1] ^ din[2] ^ din[6] ^ din[7];
      assign dout[1] = din[0] ^ din[1] ^ din[3] ^ din[4] ^ din[6];
      assign dout[2] = din[1] ^ din[4] ^ din[5] ^ din[6] ^ din[7];
      assign dout[3] = din[0] ^ din[1] ^ din[2] ^ din[3] ^ din[5] ^ din[6] ^ din[7];
      assign dout[4] = din[0] ^ din[2] ^ din[3];
      assign dout[5] = din[0] ^ din[1] ^ din[3] ^ din[5] ^ din[6];
      assign dout[6] = din[0] ^ din[3] ^ din[5] ^ din[6];
      assign dout[7] = din[1] ^ din[2] ^ din[3] ^ din[4] ^ din[5] ^ din[6] ^ din[7];
   end
endgenerate

endmodule

`default_nettype wire
