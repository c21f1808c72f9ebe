// Reed-Solomon encoder core
// configuration under test
`timescale 1ns/1ns


`include "rsenc_params.v"


module multiplier(
             mult_out,
             mult_in
                );
// input ports
input  [`INPUT_DATA_WIDTH-1:0] mult_in;


// output ports
output  [`REMAINDER_WIDTH-1:0] mult_out;




assign mult_out[120] = mult_in[0] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[121] = mult_in[0] ^ mult_in[1] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[122] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[123] = mult_in[0] ^ mult_in[2] ^ mult_in[7] ;
assign mult_out[124] = mult_in[0] ^ mult_in[1] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[125] = mult_in[0] ^ mult_in[1] ^ mult_in[2] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[126] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[127] = mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[7] ;




assign mult_out[112] = mult_in[3] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[113] = mult_in[4] ^ mult_in[7] ;
assign mult_out[114] = mult_in[0] ^ mult_in[3] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[115] = mult_in[1] ^ mult_in[3] ^ mult_in[4] ;
assign mult_out[116] = mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[117] = mult_in[0] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[118] = mult_in[1] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[119] = mult_in[2] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;




assign mult_out[104] = mult_in[3] ^ mult_in[4] ;
assign mult_out[105] = mult_in[0] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[106] = mult_in[1] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[107] = mult_in[2] ^ mult_in[3] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[108] = mult_in[0] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[109] = mult_in[0] ^ mult_in[1] ^ mult_in[7] ;
assign mult_out[110] = mult_in[1] ^ mult_in[2] ;
assign mult_out[111] = mult_in[2] ^ mult_in[3] ;




assign mult_out[96] = mult_in[2] ^ mult_in[3] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[97] = mult_in[0] ^ mult_in[3] ^ mult_in[4] ^ mult_in[7] ;
assign mult_out[98] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[99] = mult_in[4] ^ mult_in[5] ;
assign mult_out[100] = mult_in[2] ^ mult_in[3] ^ mult_in[5] ^ mult_in[7] ;
assign mult_out[101] = mult_in[0] ^ mult_in[3] ^ mult_in[4] ^ mult_in[6] ;
assign mult_out[102] = mult_in[0] ^ mult_in[1] ^ mult_in[4] ^ mult_in[5] ^ mult_in[7] ;
assign mult_out[103] = mult_in[1] ^ mult_in[2] ^ mult_in[5] ^ mult_in[6] ;




assign mult_out[88] = mult_in[0] ^ mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[89] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[90] = mult_in[0] ^ mult_in[1] ^ mult_in[4] ^ mult_in[6] ;
assign mult_out[91] = mult_in[3] ^ mult_in[6] ;
assign mult_out[92] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[93] = mult_in[0] ^ mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[94] = mult_in[0] ^ mult_in[1] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[95] = mult_in[0] ^ mult_in[1] ^ mult_in[2] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;




assign mult_out[80] = mult_in[0] ^ mult_in[3] ^ mult_in[5] ^ mult_in[7] ;
assign mult_out[81] = mult_in[1] ^ mult_in[4] ^ mult_in[6] ;
assign mult_out[82] = mult_in[2] ^ mult_in[3] ;
assign mult_out[83] = mult_in[0] ^ mult_in[4] ^ mult_in[5] ^ mult_in[7] ;
assign mult_out[84] = mult_in[1] ^ mult_in[3] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[85] = mult_in[0] ^ mult_in[2] ^ mult_in[4] ^ mult_in[7] ;
assign mult_out[86] = mult_in[1] ^ mult_in[3] ^ mult_in[5] ;
assign mult_out[87] = mult_in[2] ^ mult_in[4] ^ mult_in[6] ;




assign mult_out[72] = mult_in[0] ^ mult_in[2] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[73] = mult_in[1] ^ mult_in[3] ^ mult_in[7] ;
assign mult_out[74] = mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[75] = mult_in[2] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[76] = mult_in[2] ^ mult_in[3] ;
assign mult_out[77] = mult_in[3] ^ mult_in[4] ;
assign mult_out[78] = mult_in[0] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[79] = mult_in[1] ^ mult_in[5] ^ mult_in[6] ;




assign mult_out[64] = mult_in[0] ^ mult_in[1] ^ mult_in[3] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[65] = mult_in[0] ^ mult_in[1] ^ mult_in[2] ^ mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[66] = mult_in[2] ^ mult_in[6] ;
assign mult_out[67] = mult_in[1] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[68] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[5] ;
assign mult_out[69] = mult_in[0] ^ mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[6] ;
assign mult_out[70] = mult_in[1] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[7] ;
assign mult_out[71] = mult_in[0] ^ mult_in[2] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ;




assign mult_out[56] = mult_in[5] ;
assign mult_out[57] = mult_in[6] ;
assign mult_out[58] = mult_in[5] ^ mult_in[7] ;
assign mult_out[59] = mult_in[0] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[60] = mult_in[1] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[61] = mult_in[2] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[62] = mult_in[3] ^ mult_in[7] ;
assign mult_out[63] = mult_in[4] ;




assign mult_out[48] = mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[49] = mult_in[0] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[50] = mult_in[0] ^ mult_in[1] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[51] = mult_in[0] ^ mult_in[1] ^ mult_in[2] ^ mult_in[4] ^ mult_in[7] ;
assign mult_out[52] = mult_in[0] ^ mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[53] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[7] ;
assign mult_out[54] = mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[55] = mult_in[3] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;




assign mult_out[40] = mult_in[0] ^ mult_in[1] ^ mult_in[2] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[41] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[42] = mult_in[1] ^ mult_in[3] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[43] = mult_in[1] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[44] = mult_in[0] ^ mult_in[1] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[45] = mult_in[1] ^ mult_in[2] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[46] = mult_in[0] ^ mult_in[2] ^ mult_in[3] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[47] = mult_in[0] ^ mult_in[1] ^ mult_in[3] ^ mult_in[4] ^ mult_in[7] ;




assign mult_out[32] = mult_in[2] ^ mult_in[7] ;
assign mult_out[33] = mult_in[3] ;
assign mult_out[34] = mult_in[0] ^ mult_in[2] ^ mult_in[4] ^ mult_in[7] ;
assign mult_out[35] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[5] ^ mult_in[7] ;
assign mult_out[36] = mult_in[3] ^ mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[37] = mult_in[4] ^ mult_in[5] ^ mult_in[7] ;
assign mult_out[38] = mult_in[0] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[39] = mult_in[1] ^ mult_in[6] ^ mult_in[7] ;




assign mult_out[24] = mult_in[0] ^ mult_in[1] ^ mult_in[3] ^ mult_in[4] ;
assign mult_out[25] = mult_in[1] ^ mult_in[2] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[26] = mult_in[0] ^ mult_in[1] ^ mult_in[2] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[27] = mult_in[0] ^ mult_in[2] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[28] = mult_in[0] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[29] = mult_in[0] ^ mult_in[1] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[30] = mult_in[1] ^ mult_in[2] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[31] = mult_in[0] ^ mult_in[2] ^ mult_in[3] ^ mult_in[7] ;




assign mult_out[16] = mult_in[2] ^ mult_in[3] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[17] = mult_in[3] ^ mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[18] = mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[19] = mult_in[0] ^ mult_in[2] ^ mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[20] = mult_in[1] ^ mult_in[2] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[21] = mult_in[0] ^ mult_in[2] ^ mult_in[3] ^ mult_in[7] ;
assign mult_out[22] = mult_in[0] ^ mult_in[1] ^ mult_in[3] ^ mult_in[4] ;
assign mult_out[23] = mult_in[1] ^ mult_in[2] ^ mult_in[4] ^ mult_in[5] ;




assign mult_out[8] = mult_in[0] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[9] = mult_in[1] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[10] = mult_in[0] ^ mult_in[2] ^ mult_in[5] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[11] = mult_in[0] ^ mult_in[1] ^ mult_in[3] ^ mult_in[5] ^ mult_in[7] ;
assign mult_out[12] = mult_in[1] ^ mult_in[2] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[13] = mult_in[2] ^ mult_in[3] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[14] = mult_in[3] ^ mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[15] = mult_in[4] ^ mult_in[5] ^ mult_in[7] ;




assign mult_out[0] = mult_in[0] ^ mult_in[3] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[1] = mult_in[0] ^ mult_in[1] ^ mult_in[4] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[2] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[3] = mult_in[0] ^ mult_in[2] ^ mult_in[7] ;
assign mult_out[4] = mult_in[0] ^ mult_in[1] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[5] = mult_in[0] ^ mult_in[1] ^ mult_in[2] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[6] = mult_in[1] ^ mult_in[2] ^ mult_in[3] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[7] = mult_in[2] ^ mult_in[3] ^ mult_in[4] ^ mult_in[7] ;




endmodule
