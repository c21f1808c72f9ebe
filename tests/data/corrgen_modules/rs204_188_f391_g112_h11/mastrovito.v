`timescale 1ns/1ns




module mastrovito(
             mult_out,
             mult_in1,
             mult_in2
                );
// input ports
input  [`INPUT_DATA_WIDTH-1:0] mult_in1;
input  [`INPUT_DATA_WIDTH-1:0] mult_in2;


// output ports
output  [`INPUT_DATA_WIDTH-1:0] mult_out;


assign mult_out[0] = (mult_in1[0] & mult_in2[0]) ^ (mult_in1[7] & mult_in2[1]) ^ (mult_in1[7] & mult_in2[2]) ^ (mult_in1[6] & mult_in2[2]) ^ (mult_in1[7] & mult_in2[3]) ^ (mult_in1[6] & mult_in2[3]) ^ (mult_in1[5] & mult_in2[3]) ^ (mult_in1[7] & mult_in2[4]) ^ (mult_in1[6] & mult_in2[4]) ^ (mult_in1[5] & mult_in2[4]) ^ (mult_in1[4] & mult_in2[4]) ^ (mult_in1[7] & mult_in2[5]) ^ (mult_in1[6] & mult_in2[5]) ^ (mult_in1[5] & mult_in2[5]) ^ (mult_in1[4] & mult_in2[5]) ^ (mult_in1[3] & mult_in2[5]) ^ (mult_in1[7] & mult_in2[6]) ^ (mult_in1[6] & mult_in2[6]) ^ (mult_in1[5] & mult_in2[6]) ^ (mult_in1[4] & mult_in2[6]) ^ (mult_in1[3] & mult_in2[6]) ^ (mult_in1[2] & mult_in2[6]) ^ (mult_in1[6] & mult_in2[7]) ^ (mult_in1[5] & mult_in2[7]) ^ (mult_in1[4] & mult_in2[7]) ^ (mult_in1[3] & mult_in2[7]) ^ (mult_in1[2] & mult_in2[7]) ^ (mult_in1[1] & mult_in2[7]) ; 
assign mult_out[1] = (mult_in1[1] & mult_in2[0]) ^ (mult_in1[0] & mult_in2[1]) ^ (mult_in1[7] & mult_in2[1]) ^ (mult_in1[6] & mult_in2[2]) ^ (mult_in1[5] & mult_in2[3]) ^ (mult_in1[4] & mult_in2[4]) ^ (mult_in1[3] & mult_in2[5]) ^ (mult_in1[2] & mult_in2[6]) ^ (mult_in1[7] & mult_in2[7]) ^ (mult_in1[1] & mult_in2[7]) ; 
assign mult_out[2] = (mult_in1[2] & mult_in2[0]) ^ (mult_in1[1] & mult_in2[1]) ^ (mult_in1[7] & mult_in2[1]) ^ (mult_in1[0] & mult_in2[2]) ^ (mult_in1[6] & mult_in2[2]) ^ (mult_in1[7] & mult_in2[3]) ^ (mult_in1[5] & mult_in2[3]) ^ (mult_in1[7] & mult_in2[4]) ^ (mult_in1[6] & mult_in2[4]) ^ (mult_in1[4] & mult_in2[4]) ^ (mult_in1[7] & mult_in2[5]) ^ (mult_in1[6] & mult_in2[5]) ^ (mult_in1[5] & mult_in2[5]) ^ (mult_in1[3] & mult_in2[5]) ^ (mult_in1[7] & mult_in2[6]) ^ (mult_in1[6] & mult_in2[6]) ^ (mult_in1[5] & mult_in2[6]) ^ (mult_in1[4] & mult_in2[6]) ^ (mult_in1[2] & mult_in2[6]) ^ (mult_in1[6] & mult_in2[7]) ^ (mult_in1[5] & mult_in2[7]) ^ (mult_in1[4] & mult_in2[7]) ^ (mult_in1[3] & mult_in2[7]) ^ (mult_in1[1] & mult_in2[7]) ; 
assign mult_out[3] = (mult_in1[3] & mult_in2[0]) ^ (mult_in1[2] & mult_in2[1]) ^ (mult_in1[1] & mult_in2[2]) ^ (mult_in1[7] & mult_in2[2]) ^ (mult_in1[0] & mult_in2[3]) ^ (mult_in1[6] & mult_in2[3]) ^ (mult_in1[7] & mult_in2[4]) ^ (mult_in1[5] & mult_in2[4]) ^ (mult_in1[7] & mult_in2[5]) ^ (mult_in1[6] & mult_in2[5]) ^ (mult_in1[4] & mult_in2[5]) ^ (mult_in1[7] & mult_in2[6]) ^ (mult_in1[6] & mult_in2[6]) ^ (mult_in1[5] & mult_in2[6]) ^ (mult_in1[3] & mult_in2[6]) ^ (mult_in1[7] & mult_in2[7]) ^ (mult_in1[6] & mult_in2[7]) ^ (mult_in1[5] & mult_in2[7]) ^ (mult_in1[4] & mult_in2[7]) ^ (mult_in1[2] & mult_in2[7]) ; 
assign mult_out[4] = (mult_in1[4] & mult_in2[0]) ^ (mult_in1[3] & mult_in2[1]) ^ (mult_in1[2] & mult_in2[2]) ^ (mult_in1[1] & mult_in2[3]) ^ (mult_in1[7] & mult_in2[3]) ^ (mult_in1[0] & mult_in2[4]) ^ (mult_in1[6] & mult_in2[4]) ^ (mult_in1[7] & mult_in2[5]) ^ (mult_in1[5] & mult_in2[5]) ^ (mult_in1[7] & mult_in2[6]) ^ (mult_in1[6] & mult_in2[6]) ^ (mult_in1[4] & mult_in2[6]) ^ (mult_in1[7] & mult_in2[7]) ^ (mult_in1[6] & mult_in2[7]) ^ (mult_in1[5] & mult_in2[7]) ^ (mult_in1[3] & mult_in2[7]) ; 
assign mult_out[5] = (mult_in1[5] & mult_in2[0]) ^ (mult_in1[4] & mult_in2[1]) ^ (mult_in1[3] & mult_in2[2]) ^ (mult_in1[2] & mult_in2[3]) ^ (mult_in1[1] & mult_in2[4]) ^ (mult_in1[7] & mult_in2[4]) ^ (mult_in1[0] & mult_in2[5]) ^ (mult_in1[6] & mult_in2[5]) ^ (mult_in1[7] & mult_in2[6]) ^ (mult_in1[5] & mult_in2[6]) ^ (mult_in1[7] & mult_in2[7]) ^ (mult_in1[6] & mult_in2[7]) ^ (mult_in1[4] & mult_in2[7]) ; 
assign mult_out[6] = (mult_in1[6] & mult_in2[0]) ^ (mult_in1[5] & mult_in2[1]) ^ (mult_in1[4] & mult_in2[2]) ^ (mult_in1[3] & mult_in2[3]) ^ (mult_in1[2] & mult_in2[4]) ^ (mult_in1[1] & mult_in2[5]) ^ (mult_in1[7] & mult_in2[5]) ^ (mult_in1[0] & mult_in2[6]) ^ (mult_in1[6] & mult_in2[6]) ^ (mult_in1[7] & mult_in2[7]) ^ (mult_in1[5] & mult_in2[7]) ; 
assign mult_out[7] = (mult_in1[7] & mult_in2[0]) ^ (mult_in1[6] & mult_in2[1]) ^ (mult_in1[7] & mult_in2[1]) ^ (mult_in1[5] & mult_in2[2]) ^ (mult_in1[7] & mult_in2[2]) ^ (mult_in1[6] & mult_in2[2]) ^ (mult_in1[4] & mult_in2[3]) ^ (mult_in1[7] & mult_in2[3]) ^ (mult_in1[6] & mult_in2[3]) ^ (mult_in1[5] & mult_in2[3]) ^ (mult_in1[3] & mult_in2[4]) ^ (mult_in1[7] & mult_in2[4]) ^ (mult_in1[6] & mult_in2[4]) ^ (mult_in1[5] & mult_in2[4]) ^ (mult_in1[4] & mult_in2[4]) ^ (mult_in1[2] & mult_in2[5]) ^ (mult_in1[7] & mult_in2[5]) ^ (mult_in1[6] & mult_in2[5]) ^ (mult_in1[5] & mult_in2[5]) ^ (mult_in1[4] & mult_in2[5]) ^ (mult_in1[3] & mult_in2[5]) ^ (mult_in1[1] & mult_in2[6]) ^ (mult_in1[6] & mult_in2[6]) ^ (mult_in1[5] & mult_in2[6]) ^ (mult_in1[4] & mult_in2[6]) ^ (mult_in1[3] & mult_in2[6]) ^ (mult_in1[2] & mult_in2[6]) ^ (mult_in1[0] & mult_in2[7]) ^ (mult_in1[5] & mult_in2[7]) ^ (mult_in1[4] & mult_in2[7]) ^ (mult_in1[3] & mult_in2[7]) ^ (mult_in1[2] & mult_in2[7]) ^ (mult_in1[1] & mult_in2[7]) ; 
endmodule
