

assign g_0_8 = mult_in[0] ^ mult_in[5] ; 
assign g_0_9 = mult_in[1] ^ mult_in[6] ; 
assign g_0_10 = mult_in[2] ^ mult_in[7] ; 
assign g_0_11 = mult_in[3] ^ mult_in[4] ; 
assign g_0_12 = mult_in[4] ^ g_0_8 ; 
assign g_0_13 = g_0_9 ^ g_0_10 ; 


assign mult_out[120] = g_0_8 ^ g_0_11 ;
assign mult_out[121] = g_0_9 ^ g_0_12 ;
assign mult_out[122] = g_0_11 ^ g_0_13 ;
assign mult_out[123] = mult_in[0] ^ g_0_10 ;
assign mult_out[124] = mult_in[1] ^ g_0_12 ;
assign mult_out[125] = mult_in[2] ^ g_0_8 ^ g_0_9 ;
assign mult_out[126] = mult_in[3] ^ g_0_13 ;
assign mult_out[127] = g_0_10 ^ g_0_11 ;


assign g_1_8 = mult_in[6] ^ mult_in[7] ; 
assign g_1_9 = mult_in[5] ^ g_1_8 ; 
assign g_1_10 = mult_in[3] ^ mult_in[4] ; 
assign g_1_11 = mult_in[0] ^ g_1_9 ; 
assign g_1_12 = mult_in[2] ^ g_1_9 ; 


assign mult_out[112] = mult_in[3] ^ g_1_8 ;
assign mult_out[113] = mult_in[4] ^ mult_in[7] ;
assign mult_out[114] = mult_in[3] ^ g_1_11 ;
assign mult_out[115] = mult_in[1] ^ g_1_10 ;
assign mult_out[116] = g_1_10 ^ g_1_12 ;
assign mult_out[117] = g_1_10 ^ g_1_11 ;
assign mult_out[118] = mult_in[1] ^ mult_in[4] ^ g_1_9 ;
assign mult_out[119] = g_1_12 ;


assign g_2_8 = mult_in[0] ^ mult_in[7] ; 
assign g_2_9 = mult_in[2] ^ mult_in[3] ; 
assign g_2_10 = mult_in[3] ^ mult_in[4] ; 
assign g_2_11 = mult_in[5] ^ mult_in[6] ; 


assign mult_out[104] = g_2_10 ;
assign mult_out[105] = mult_in[0] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[106] = mult_in[1] ^ g_2_10 ^ g_2_11 ;
assign mult_out[107] = mult_in[7] ^ g_2_9 ^ g_2_11 ;
assign mult_out[108] = mult_in[6] ^ g_2_8 ;
assign mult_out[109] = mult_in[1] ^ g_2_8 ;
assign mult_out[110] = mult_in[1] ^ mult_in[2] ;
assign mult_out[111] = g_2_9 ;


assign g_3_8 = mult_in[3] ^ mult_in[7] ; 
assign g_3_9 = mult_in[0] ^ mult_in[4] ; 
assign g_3_10 = mult_in[1] ^ mult_in[5] ; 
assign g_3_11 = mult_in[2] ^ mult_in[6] ; 
assign g_3_12 = g_3_8 ^ g_3_11 ; 


assign mult_out[96] = g_3_12 ;
assign mult_out[97] = g_3_8 ^ g_3_9 ;
assign mult_out[98] = mult_in[4] ^ g_3_10 ^ g_3_12 ;
assign mult_out[99] = mult_in[4] ^ mult_in[5] ;
assign mult_out[100] = mult_in[2] ^ mult_in[5] ^ g_3_8 ;
assign mult_out[101] = mult_in[3] ^ mult_in[6] ^ g_3_9 ;
assign mult_out[102] = mult_in[7] ^ g_3_9 ^ g_3_10 ;
assign mult_out[103] = g_3_10 ^ g_3_11 ;


assign g_4_8 = mult_in[1] ^ mult_in[6] ; 
assign g_4_9 = mult_in[4] ^ g_4_8 ; 
assign g_4_10 = mult_in[0] ^ mult_in[5] ; 
assign g_4_11 = mult_in[2] ^ mult_in[3] ; 
assign g_4_12 = mult_in[7] ^ g_4_10 ; 
assign g_4_13 = g_4_9 ^ g_4_11 ; 
assign g_4_14 = g_4_9 ^ g_4_12 ; 
assign g_4_15 = g_4_11 ^ g_4_12 ; 


assign mult_out[88] = g_4_8 ^ g_4_15 ;
assign mult_out[89] = mult_in[7] ^ g_4_13 ;
assign mult_out[90] = mult_in[0] ^ g_4_9 ;
assign mult_out[91] = mult_in[3] ^ mult_in[6] ;
assign mult_out[92] = mult_in[5] ^ g_4_13 ;
assign mult_out[93] = mult_in[4] ^ mult_in[6] ^ g_4_15 ;
assign mult_out[94] = mult_in[3] ^ g_4_14 ;
assign mult_out[95] = mult_in[2] ^ g_4_14 ;


assign g_5_8 = mult_in[0] ^ mult_in[7] ; 
assign g_5_9 = mult_in[1] ^ mult_in[3] ; 
assign g_5_10 = mult_in[2] ^ mult_in[4] ; 
assign g_5_11 = mult_in[5] ^ g_5_8 ; 


assign mult_out[80] = mult_in[3] ^ g_5_11 ;
assign mult_out[81] = mult_in[1] ^ mult_in[4] ^ mult_in[6] ;
assign mult_out[82] = mult_in[2] ^ mult_in[3] ;
assign mult_out[83] = mult_in[4] ^ g_5_11 ;
assign mult_out[84] = mult_in[6] ^ mult_in[7] ^ g_5_9 ;
assign mult_out[85] = g_5_8 ^ g_5_10 ;
assign mult_out[86] = mult_in[5] ^ g_5_9 ;
assign mult_out[87] = mult_in[6] ^ g_5_10 ;


assign g_6_8 = mult_in[2] ^ mult_in[6] ; 


assign mult_out[72] = mult_in[0] ^ mult_in[7] ^ g_6_8 ;
assign mult_out[73] = mult_in[1] ^ mult_in[3] ^ mult_in[7] ;
assign mult_out[74] = mult_in[4] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[75] = mult_in[5] ^ g_6_8 ;
assign mult_out[76] = mult_in[2] ^ mult_in[3] ;
assign mult_out[77] = mult_in[3] ^ mult_in[4] ;
assign mult_out[78] = mult_in[0] ^ mult_in[4] ^ mult_in[5] ;
assign mult_out[79] = mult_in[1] ^ mult_in[5] ^ mult_in[6] ;


assign g_7_8 = mult_in[0] ^ mult_in[6] ; 
assign g_7_9 = mult_in[1] ^ mult_in[5] ; 
assign g_7_10 = mult_in[2] ^ mult_in[4] ; 
assign g_7_11 = mult_in[3] ^ g_7_9 ; 
assign g_7_12 = g_7_8 ^ g_7_10 ; 
assign g_7_13 = mult_in[7] ^ g_7_11 ; 


assign mult_out[64] = g_7_8 ^ g_7_13 ;
assign mult_out[65] = mult_in[1] ^ mult_in[7] ^ g_7_12 ;
assign mult_out[66] = mult_in[2] ^ mult_in[6] ;
assign mult_out[67] = mult_in[6] ^ g_7_9 ;
assign mult_out[68] = mult_in[2] ^ g_7_11 ;
assign mult_out[69] = mult_in[3] ^ g_7_12 ;
assign mult_out[70] = mult_in[4] ^ g_7_13 ;
assign mult_out[71] = mult_in[5] ^ g_7_12 ;


assign g_8_8 = mult_in[5] ^ mult_in[6] ; 


assign mult_out[56] = mult_in[5] ;
assign mult_out[57] = mult_in[6] ;
assign mult_out[58] = mult_in[5] ^ mult_in[7] ;
assign mult_out[59] = mult_in[0] ^ g_8_8 ;
assign mult_out[60] = mult_in[1] ^ mult_in[7] ^ g_8_8 ;
assign mult_out[61] = mult_in[2] ^ mult_in[6] ^ mult_in[7] ;
assign mult_out[62] = mult_in[3] ^ mult_in[7] ;
assign mult_out[63] = mult_in[4] ;


assign g_9_8 = mult_in[4] ^ mult_in[5] ; 
assign g_9_9 = mult_in[6] ^ mult_in[7] ; 
assign g_9_10 = mult_in[0] ^ mult_in[1] ; 
assign g_9_11 = mult_in[2] ^ mult_in[3] ; 
assign g_9_12 = mult_in[4] ^ g_9_10 ; 
assign g_9_13 = g_9_8 ^ g_9_9 ; 
assign g_9_14 = g_9_8 ^ g_9_11 ; 


assign mult_out[48] = g_9_13 ;
assign mult_out[49] = mult_in[0] ^ mult_in[5] ^ g_9_9 ;
assign mult_out[50] = g_9_8 ^ g_9_10 ;
assign mult_out[51] = mult_in[2] ^ mult_in[7] ^ g_9_12 ;
assign mult_out[52] = g_9_9 ^ g_9_11 ^ g_9_12 ;
assign mult_out[53] = mult_in[1] ^ mult_in[7] ^ g_9_14 ;
assign mult_out[54] = mult_in[6] ^ g_9_14 ;
assign mult_out[55] = mult_in[3] ^ g_9_13 ;


assign g_10_8 = mult_in[1] ^ mult_in[5] ; 
assign g_10_9 = mult_in[6] ^ mult_in[7] ; 
assign g_10_10 = g_10_8 ^ g_10_9 ; 
assign g_10_11 = mult_in[0] ^ mult_in[4] ; 
assign g_10_12 = mult_in[2] ^ mult_in[3] ; 


assign mult_out[40] = mult_in[2] ^ g_10_8 ^ g_10_11 ;
assign mult_out[41] = mult_in[6] ^ g_10_8 ^ g_10_12 ;
assign mult_out[42] = mult_in[3] ^ g_10_10 ;
assign mult_out[43] = g_10_10 ;
assign mult_out[44] = g_10_10 ^ g_10_11 ;
assign mult_out[45] = mult_in[2] ^ g_10_10 ;
assign mult_out[46] = mult_in[0] ^ g_10_9 ^ g_10_12 ;
assign mult_out[47] = mult_in[1] ^ mult_in[3] ^ mult_in[7] ^ g_10_11 ;


assign g_11_8 = mult_in[2] ^ mult_in[7] ; 
assign g_11_9 = mult_in[4] ^ mult_in[7] ; 


assign mult_out[32] = g_11_8 ;
assign mult_out[33] = mult_in[3] ;
assign mult_out[34] = mult_in[0] ^ mult_in[4] ^ g_11_8 ;
assign mult_out[35] = mult_in[1] ^ mult_in[3] ^ mult_in[5] ^ g_11_8 ;
assign mult_out[36] = mult_in[3] ^ mult_in[6] ^ g_11_9 ;
assign mult_out[37] = mult_in[5] ^ g_11_9 ;
assign mult_out[38] = mult_in[0] ^ mult_in[5] ^ mult_in[6] ;
assign mult_out[39] = mult_in[1] ^ mult_in[6] ^ mult_in[7] ;


assign g_12_8 = mult_in[0] ^ mult_in[4] ; 
assign g_12_9 = mult_in[5] ^ mult_in[6] ; 
assign g_12_10 = mult_in[1] ^ mult_in[2] ; 
assign g_12_11 = mult_in[7] ^ g_12_9 ; 
assign g_12_12 = g_12_8 ^ g_12_11 ; 


assign mult_out[24] = mult_in[1] ^ mult_in[3] ^ g_12_8 ;
assign mult_out[25] = mult_in[4] ^ mult_in[5] ^ g_12_10 ;
assign mult_out[26] = g_12_8 ^ g_12_9 ^ g_12_10 ;
assign mult_out[27] = mult_in[2] ^ g_12_12 ;
assign mult_out[28] = g_12_12 ;
assign mult_out[29] = mult_in[0] ^ mult_in[1] ^ g_12_11 ;
assign mult_out[30] = mult_in[6] ^ mult_in[7] ^ g_12_10 ;
assign mult_out[31] = mult_in[0] ^ mult_in[2] ^ mult_in[3] ^ mult_in[7] ;


assign g_13_8 = mult_in[2] ^ mult_in[6] ; 
assign g_13_9 = mult_in[3] ^ mult_in[4] ; 
assign g_13_10 = mult_in[7] ^ g_13_8 ; 


assign mult_out[16] = mult_in[3] ^ mult_in[5] ^ g_13_8 ;
assign mult_out[17] = mult_in[6] ^ mult_in[7] ^ g_13_9 ;
assign mult_out[18] = g_13_9 ^ g_13_10 ;
assign mult_out[19] = mult_in[0] ^ mult_in[4] ^ g_13_10 ;
assign mult_out[20] = mult_in[1] ^ g_13_10 ;
assign mult_out[21] = mult_in[0] ^ mult_in[2] ^ mult_in[3] ^ mult_in[7] ;
assign mult_out[22] = mult_in[0] ^ mult_in[1] ^ g_13_9 ;
assign mult_out[23] = mult_in[1] ^ mult_in[2] ^ mult_in[4] ^ mult_in[5] ;


assign g_14_8 = mult_in[0] ^ mult_in[5] ; 
assign g_14_9 = mult_in[6] ^ mult_in[7] ; 
assign g_14_10 = mult_in[2] ^ mult_in[5] ; 


assign mult_out[8] = mult_in[6] ^ g_14_8 ;
assign mult_out[9] = mult_in[1] ^ g_14_9 ;
assign mult_out[10] = mult_in[2] ^ g_14_8 ^ g_14_9 ;
assign mult_out[11] = mult_in[1] ^ mult_in[3] ^ mult_in[7] ^ g_14_8 ;
assign mult_out[12] = mult_in[1] ^ mult_in[4] ^ g_14_10 ;
assign mult_out[13] = mult_in[3] ^ mult_in[6] ^ g_14_10 ;
assign mult_out[14] = mult_in[3] ^ mult_in[4] ^ g_14_9 ;
assign mult_out[15] = mult_in[4] ^ mult_in[5] ^ mult_in[7] ;


assign g_15_8 = mult_in[0] ^ mult_in[5] ; 
assign g_15_9 = mult_in[1] ^ mult_in[6] ; 
assign g_15_10 = mult_in[2] ^ mult_in[7] ; 
assign g_15_11 = mult_in[3] ^ mult_in[4] ; 
assign g_15_12 = mult_in[4] ^ g_15_8 ; 
assign g_15_13 = g_15_9 ^ g_15_10 ; 


assign mult_out[0] = g_15_8 ^ g_15_11 ;
assign mult_out[1] = g_15_9 ^ g_15_12 ;
assign mult_out[2] = g_15_11 ^ g_15_13 ;
assign mult_out[3] = mult_in[0] ^ g_15_10 ;
assign mult_out[4] = mult_in[1] ^ g_15_12 ;
assign mult_out[5] = mult_in[2] ^ g_15_8 ^ g_15_9 ;
assign mult_out[6] = mult_in[3] ^ g_15_13 ;
assign mult_out[7] = g_15_10 ^ g_15_11 ;


