`timescale 1ns/1ns




module multiplier(
             mult_out,
             mult_in
                );
// input ports
input  [`CHKSYMBS_WIDTH-1:0] mult_in;


// output ports
output  [`CHKSYMBS_WIDTH-1:0] mult_out;




assign mult_out[0] = mult_in[0] ;
assign mult_out[1] = mult_in[1] ;
assign mult_out[2] = mult_in[2] ;
assign mult_out[3] = mult_in[3] ;
assign mult_out[4] = mult_in[4] ;
assign mult_out[5] = mult_in[5] ;
assign mult_out[6] = mult_in[6] ;
assign mult_out[7] = mult_in[7] ;




assign mult_out[8] = mult_in[15] ;
assign mult_out[9] = mult_in[8] ;
assign mult_out[10] = mult_in[9] ^ mult_in[15] ;
assign mult_out[11] = mult_in[10] ^ mult_in[15] ;
assign mult_out[12] = mult_in[11] ^ mult_in[15] ;
assign mult_out[13] = mult_in[12] ;
assign mult_out[14] = mult_in[13] ;
assign mult_out[15] = mult_in[14] ;




assign mult_out[16] = mult_in[22] ;
assign mult_out[17] = mult_in[23] ;
assign mult_out[18] = mult_in[16] ^ mult_in[22] ;
assign mult_out[19] = mult_in[17] ^ mult_in[22] ^ mult_in[23] ;
assign mult_out[20] = mult_in[18] ^ mult_in[22] ^ mult_in[23] ;
assign mult_out[21] = mult_in[19] ^ mult_in[23] ;
assign mult_out[22] = mult_in[20] ;
assign mult_out[23] = mult_in[21] ;




assign mult_out[24] = mult_in[29] ;
assign mult_out[25] = mult_in[30] ;
assign mult_out[26] = mult_in[29] ^ mult_in[31] ;
assign mult_out[27] = mult_in[24] ^ mult_in[29] ^ mult_in[30] ;
assign mult_out[28] = mult_in[25] ^ mult_in[29] ^ mult_in[30] ^ mult_in[31] ;
assign mult_out[29] = mult_in[26] ^ mult_in[30] ^ mult_in[31] ;
assign mult_out[30] = mult_in[27] ^ mult_in[31] ;
assign mult_out[31] = mult_in[28] ;




assign mult_out[32] = mult_in[36] ;
assign mult_out[33] = mult_in[37] ;
assign mult_out[34] = mult_in[36] ^ mult_in[38] ;
assign mult_out[35] = mult_in[36] ^ mult_in[37] ^ mult_in[39] ;
assign mult_out[36] = mult_in[32] ^ mult_in[36] ^ mult_in[37] ^ mult_in[38] ;
assign mult_out[37] = mult_in[33] ^ mult_in[37] ^ mult_in[38] ^ mult_in[39] ;
assign mult_out[38] = mult_in[34] ^ mult_in[38] ^ mult_in[39] ;
assign mult_out[39] = mult_in[35] ^ mult_in[39] ;




assign mult_out[40] = mult_in[43] ^ mult_in[47] ;
assign mult_out[41] = mult_in[44] ;
assign mult_out[42] = mult_in[43] ^ mult_in[45] ^ mult_in[47] ;
assign mult_out[43] = mult_in[43] ^ mult_in[44] ^ mult_in[46] ^ mult_in[47] ;
assign mult_out[44] = mult_in[43] ^ mult_in[44] ^ mult_in[45] ;
assign mult_out[45] = mult_in[40] ^ mult_in[44] ^ mult_in[45] ^ mult_in[46] ;
assign mult_out[46] = mult_in[41] ^ mult_in[45] ^ mult_in[46] ^ mult_in[47] ;
assign mult_out[47] = mult_in[42] ^ mult_in[46] ^ mult_in[47] ;




assign mult_out[48] = mult_in[50] ^ mult_in[54] ^ mult_in[55] ;
assign mult_out[49] = mult_in[51] ^ mult_in[55] ;
assign mult_out[50] = mult_in[50] ^ mult_in[52] ^ mult_in[54] ^ mult_in[55] ;
assign mult_out[51] = mult_in[50] ^ mult_in[51] ^ mult_in[53] ^ mult_in[54] ;
assign mult_out[52] = mult_in[50] ^ mult_in[51] ^ mult_in[52] ;
assign mult_out[53] = mult_in[51] ^ mult_in[52] ^ mult_in[53] ;
assign mult_out[54] = mult_in[48] ^ mult_in[52] ^ mult_in[53] ^ mult_in[54] ;
assign mult_out[55] = mult_in[49] ^ mult_in[53] ^ mult_in[54] ^ mult_in[55] ;




assign mult_out[56] = mult_in[57] ^ mult_in[61] ^ mult_in[62] ^ mult_in[63] ;
assign mult_out[57] = mult_in[58] ^ mult_in[62] ^ mult_in[63] ;
assign mult_out[58] = mult_in[57] ^ mult_in[59] ^ mult_in[61] ^ mult_in[62] ;
assign mult_out[59] = mult_in[57] ^ mult_in[58] ^ mult_in[60] ^ mult_in[61] ;
assign mult_out[60] = mult_in[57] ^ mult_in[58] ^ mult_in[59] ^ mult_in[63] ;
assign mult_out[61] = mult_in[58] ^ mult_in[59] ^ mult_in[60] ;
assign mult_out[62] = mult_in[59] ^ mult_in[60] ^ mult_in[61] ;
assign mult_out[63] = mult_in[56] ^ mult_in[60] ^ mult_in[61] ^ mult_in[62] ;




assign mult_out[64] = mult_in[64] ^ mult_in[68] ^ mult_in[69] ^ mult_in[70] ;
assign mult_out[65] = mult_in[65] ^ mult_in[69] ^ mult_in[70] ^ mult_in[71] ;
assign mult_out[66] = mult_in[64] ^ mult_in[66] ^ mult_in[68] ^ mult_in[69] ^ mult_in[71] ;
assign mult_out[67] = mult_in[64] ^ mult_in[65] ^ mult_in[67] ^ mult_in[68] ;
assign mult_out[68] = mult_in[64] ^ mult_in[65] ^ mult_in[66] ^ mult_in[70] ;
assign mult_out[69] = mult_in[65] ^ mult_in[66] ^ mult_in[67] ^ mult_in[71] ;
assign mult_out[70] = mult_in[66] ^ mult_in[67] ^ mult_in[68] ;
assign mult_out[71] = mult_in[67] ^ mult_in[68] ^ mult_in[69] ;




assign mult_out[72] = mult_in[75] ^ mult_in[76] ^ mult_in[77] ;
assign mult_out[73] = mult_in[72] ^ mult_in[76] ^ mult_in[77] ^ mult_in[78] ;
assign mult_out[74] = mult_in[73] ^ mult_in[75] ^ mult_in[76] ^ mult_in[78] ^ mult_in[79] ;
assign mult_out[75] = mult_in[72] ^ mult_in[74] ^ mult_in[75] ^ mult_in[79] ;
assign mult_out[76] = mult_in[72] ^ mult_in[73] ^ mult_in[77] ;
assign mult_out[77] = mult_in[72] ^ mult_in[73] ^ mult_in[74] ^ mult_in[78] ;
assign mult_out[78] = mult_in[73] ^ mult_in[74] ^ mult_in[75] ^ mult_in[79] ;
assign mult_out[79] = mult_in[74] ^ mult_in[75] ^ mult_in[76] ;




assign mult_out[80] = mult_in[82] ^ mult_in[83] ^ mult_in[84] ;
assign mult_out[81] = mult_in[83] ^ mult_in[84] ^ mult_in[85] ;
assign mult_out[82] = mult_in[80] ^ mult_in[82] ^ mult_in[83] ^ mult_in[85] ^ mult_in[86] ;
assign mult_out[83] = mult_in[81] ^ mult_in[82] ^ mult_in[86] ^ mult_in[87] ;
assign mult_out[84] = mult_in[80] ^ mult_in[84] ^ mult_in[87] ;
assign mult_out[85] = mult_in[80] ^ mult_in[81] ^ mult_in[85] ;
assign mult_out[86] = mult_in[80] ^ mult_in[81] ^ mult_in[82] ^ mult_in[86] ;
assign mult_out[87] = mult_in[81] ^ mult_in[82] ^ mult_in[83] ^ mult_in[87] ;




assign mult_out[88] = mult_in[89] ^ mult_in[90] ^ mult_in[91] ^ mult_in[95] ;
assign mult_out[89] = mult_in[90] ^ mult_in[91] ^ mult_in[92] ;
assign mult_out[90] = mult_in[89] ^ mult_in[90] ^ mult_in[92] ^ mult_in[93] ^ mult_in[95] ;
assign mult_out[91] = mult_in[88] ^ mult_in[89] ^ mult_in[93] ^ mult_in[94] ^ mult_in[95] ;
assign mult_out[92] = mult_in[91] ^ mult_in[94] ;
assign mult_out[93] = mult_in[88] ^ mult_in[92] ^ mult_in[95] ;
assign mult_out[94] = mult_in[88] ^ mult_in[89] ^ mult_in[93] ;
assign mult_out[95] = mult_in[88] ^ mult_in[89] ^ mult_in[90] ^ mult_in[94] ;




assign mult_out[96] = mult_in[96] ^ mult_in[97] ^ mult_in[98] ^ mult_in[102] ;
assign mult_out[97] = mult_in[97] ^ mult_in[98] ^ mult_in[99] ^ mult_in[103] ;
assign mult_out[98] = mult_in[96] ^ mult_in[97] ^ mult_in[99] ^ mult_in[100] ^ mult_in[102] ;
assign mult_out[99] = mult_in[96] ^ mult_in[100] ^ mult_in[101] ^ mult_in[102] ^ mult_in[103] ;
assign mult_out[100] = mult_in[98] ^ mult_in[101] ^ mult_in[103] ;
assign mult_out[101] = mult_in[99] ^ mult_in[102] ;
assign mult_out[102] = mult_in[96] ^ mult_in[100] ^ mult_in[103] ;
assign mult_out[103] = mult_in[96] ^ mult_in[97] ^ mult_in[101] ;




assign mult_out[104] = mult_in[104] ^ mult_in[105] ^ mult_in[109] ;
assign mult_out[105] = mult_in[104] ^ mult_in[105] ^ mult_in[106] ^ mult_in[110] ;
assign mult_out[106] = mult_in[104] ^ mult_in[106] ^ mult_in[107] ^ mult_in[109] ^ mult_in[111] ;
assign mult_out[107] = mult_in[107] ^ mult_in[108] ^ mult_in[109] ^ mult_in[110] ;
assign mult_out[108] = mult_in[105] ^ mult_in[108] ^ mult_in[110] ^ mult_in[111] ;
assign mult_out[109] = mult_in[106] ^ mult_in[109] ^ mult_in[111] ;
assign mult_out[110] = mult_in[107] ^ mult_in[110] ;
assign mult_out[111] = mult_in[104] ^ mult_in[108] ^ mult_in[111] ;




assign mult_out[112] = mult_in[112] ^ mult_in[116] ^ mult_in[119] ;
assign mult_out[113] = mult_in[112] ^ mult_in[113] ^ mult_in[117] ;
assign mult_out[114] = mult_in[113] ^ mult_in[114] ^ mult_in[116] ^ mult_in[118] ^ mult_in[119] ;
assign mult_out[115] = mult_in[114] ^ mult_in[115] ^ mult_in[116] ^ mult_in[117] ;
assign mult_out[116] = mult_in[112] ^ mult_in[115] ^ mult_in[117] ^ mult_in[118] ^ mult_in[119] ;
assign mult_out[117] = mult_in[113] ^ mult_in[116] ^ mult_in[118] ^ mult_in[119] ;
assign mult_out[118] = mult_in[114] ^ mult_in[117] ^ mult_in[119] ;
assign mult_out[119] = mult_in[115] ^ mult_in[118] ;




assign mult_out[120] = mult_in[123] ^ mult_in[126] ;
assign mult_out[121] = mult_in[120] ^ mult_in[124] ^ mult_in[127] ;
assign mult_out[122] = mult_in[120] ^ mult_in[121] ^ mult_in[123] ^ mult_in[125] ^ mult_in[126] ;
assign mult_out[123] = mult_in[121] ^ mult_in[122] ^ mult_in[123] ^ mult_in[124] ^ mult_in[127] ;
assign mult_out[124] = mult_in[122] ^ mult_in[124] ^ mult_in[125] ^ mult_in[126] ;
assign mult_out[125] = mult_in[120] ^ mult_in[123] ^ mult_in[125] ^ mult_in[126] ^ mult_in[127] ;
assign mult_out[126] = mult_in[121] ^ mult_in[124] ^ mult_in[126] ^ mult_in[127] ;
assign mult_out[127] = mult_in[122] ^ mult_in[125] ^ mult_in[127] ;




endmodule
