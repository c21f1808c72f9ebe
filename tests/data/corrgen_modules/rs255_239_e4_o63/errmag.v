`timescale 1ns/1ns




module errmag(
             rst_n,
             `ifdef SYNC_RST_ENABLED
             sr,
             `endif
             mxsel,
             clk_en,
             clk,
             omega,
             sumoddreg,
             `ifdef FAILPIN
             buf_out2,
             `endif 
             foundzero,
             `ifdef FAILPIN
             errvalinreg,
             `endif 
             errval
                );
// input ports
input  rst_n;
`ifdef  SYNC_RST_ENABLED  
input  sr;
`endif 
input  mxsel;
input  clk_en;
input  clk;
input  [`OMEGA_WIDTH-1:0] omega    ;
input  [`INPUT_DATA_WIDTH-1:0] sumoddreg;
`ifdef FAILPIN
input  [`INPUT_DATA_WIDTH-1:0] buf_out2;
`endif 
input  foundzero;


// output ports
`ifdef FAILPIN
output [`INPUT_DATA_WIDTH-1:0] errvalinreg;
`endif 
output [`INPUT_DATA_WIDTH-1:0] errval;




`ifdef FAILPIN
reg  [`INPUT_DATA_WIDTH-1:0] errvalinreg ;
`endif 
reg  [`INPUT_DATA_WIDTH-1:0] errval      ;
reg  [`INPUT_DATA_WIDTH-1:0] errval1reg  ;
reg  [`INPUT_DATA_WIDTH-1:0] omegasum    ;
reg  [`INPUT_DATA_WIDTH-1:0] sigmainvreg ;
reg  [`INPUT_DATA_WIDTH-1:0] rootval     ;
reg  [`INPUT_DATA_WIDTH-1:0] rootval_p   ;
reg  [`INPUT_DATA_WIDTH-1:0] omega0mux   ;
reg  [`INPUT_DATA_WIDTH-1:0] omega0      ;
reg [`INPUT_DATA_WIDTH-1:0] rin1    ;
reg [`INPUT_DATA_WIDTH-1:0] rin2    ;
reg [`INPUT_DATA_WIDTH-1:0] rin3    ;
reg [`INPUT_DATA_WIDTH-1:0] rin4    ;
reg [`INPUT_DATA_WIDTH-1:0] rin5    ;
reg [`INPUT_DATA_WIDTH-1:0] rin6    ;
reg [`INPUT_DATA_WIDTH-1:0] rin7    ;
reg [`INPUT_DATA_WIDTH-1:0] rin8    ;
reg [`INPUT_DATA_WIDTH-1:0] rin9    ;
wire [`INPUT_DATA_WIDTH-1:0] rout1  ;
wire [`INPUT_DATA_WIDTH-1:0] rout2  ;
wire [`INPUT_DATA_WIDTH-1:0] rout3  ;
wire [`INPUT_DATA_WIDTH-1:0] rout4  ;
wire [`INPUT_DATA_WIDTH-1:0] rout5  ;
wire [`INPUT_DATA_WIDTH-1:0] rout6  ;
wire [`INPUT_DATA_WIDTH-1:0] rout7  ;
wire [`INPUT_DATA_WIDTH-1:0] rout8  ;
wire [`INPUT_DATA_WIDTH-1:0] rout9  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult1  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult2  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult3  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult4  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult5  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult6  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult7  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult8  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult9  ;
wire [`INPUT_DATA_WIDTH-1:0] sumoddreg   ;
wire [`INPUT_DATA_WIDTH-1:0] omega0int   ;
`ifdef FAILPIN
wire [`INPUT_DATA_WIDTH-1:0] buf_out2;
`endif 
wire [`INPUT_DATA_WIDTH-1:0] sumodd     ;
wire [`INPUT_DATA_WIDTH-1:0] sumeven    ;
wire [`INPUT_DATA_WIDTH-1:0] sumtotl    ;
wire [`INPUT_DATA_WIDTH-1:0] sigmainv   ;
wire [`INPUT_DATA_WIDTH-1:0] errval1    ;
wire [`INPUT_DATA_WIDTH-1:0] errvalin   ;
wire [`INPUT_DATA_WIDTH-1:0] rootvalin  ;
reg [`INPUT_DATA_WIDTH-1:0] omreg1 ;
reg [`INPUT_DATA_WIDTH-1:0] omreg2 ;
reg [`INPUT_DATA_WIDTH-1:0] omreg3 ;
reg [`INPUT_DATA_WIDTH-1:0] omreg4 ;
reg [`INPUT_DATA_WIDTH-1:0] omreg5 ;
reg [`INPUT_DATA_WIDTH-1:0] omreg6 ;
reg [`INPUT_DATA_WIDTH-1:0] omreg7 ;
reg [`INPUT_DATA_WIDTH-1:0] omreg8 ;
reg [`INPUT_DATA_WIDTH-1:0] omreg9 ;
reg  foundzero_p      ;


gfinvrom u1_gfinvrom(.address(sumoddreg),.romout(sigmainv)) ;
mastrovito u1_mastrovito(.mult_out(errvalin),.mult_in1(errval1reg),.mult_in2(sigmainvreg)) ;
assign sumeven =  omega0 ^ ommult2 ^ ommult4 ^ ommult6 ^ ommult8 ;
assign sumodd = ommult1 ^ ommult3 ^ ommult5 ^ ommult7 ^ ommult9 ;
assign sumtotl = sumeven ^ sumodd ;


assign rout1[0] = rin1[7] ;
assign rout1[1] = rin1[0] ;
assign rout1[2] = rin1[1] ^ rin1[7] ;
assign rout1[3] = rin1[2] ^ rin1[7] ;
assign rout1[4] = rin1[3] ^ rin1[7] ;
assign rout1[5] = rin1[4] ;
assign rout1[6] = rin1[5] ;
assign rout1[7] = rin1[6] ;




assign rout2[0] = rin2[6] ;
assign rout2[1] = rin2[7] ;
assign rout2[2] = rin2[0] ^ rin2[6] ;
assign rout2[3] = rin2[1] ^ rin2[6] ^ rin2[7] ;
assign rout2[4] = rin2[2] ^ rin2[6] ^ rin2[7] ;
assign rout2[5] = rin2[3] ^ rin2[7] ;
assign rout2[6] = rin2[4] ;
assign rout2[7] = rin2[5] ;




assign rout3[0] = rin3[5] ;
assign rout3[1] = rin3[6] ;
assign rout3[2] = rin3[5] ^ rin3[7] ;
assign rout3[3] = rin3[0] ^ rin3[5] ^ rin3[6] ;
assign rout3[4] = rin3[1] ^ rin3[5] ^ rin3[6] ^ rin3[7] ;
assign rout3[5] = rin3[2] ^ rin3[6] ^ rin3[7] ;
assign rout3[6] = rin3[3] ^ rin3[7] ;
assign rout3[7] = rin3[4] ;




assign rout4[0] = rin4[4] ;
assign rout4[1] = rin4[5] ;
assign rout4[2] = rin4[4] ^ rin4[6] ;
assign rout4[3] = rin4[4] ^ rin4[5] ^ rin4[7] ;
assign rout4[4] = rin4[0] ^ rin4[4] ^ rin4[5] ^ rin4[6] ;
assign rout4[5] = rin4[1] ^ rin4[5] ^ rin4[6] ^ rin4[7] ;
assign rout4[6] = rin4[2] ^ rin4[6] ^ rin4[7] ;
assign rout4[7] = rin4[3] ^ rin4[7] ;




assign rout5[0] = rin5[3] ^ rin5[7] ;
assign rout5[1] = rin5[4] ;
assign rout5[2] = rin5[3] ^ rin5[5] ^ rin5[7] ;
assign rout5[3] = rin5[3] ^ rin5[4] ^ rin5[6] ^ rin5[7] ;
assign rout5[4] = rin5[3] ^ rin5[4] ^ rin5[5] ;
assign rout5[5] = rin5[0] ^ rin5[4] ^ rin5[5] ^ rin5[6] ;
assign rout5[6] = rin5[1] ^ rin5[5] ^ rin5[6] ^ rin5[7] ;
assign rout5[7] = rin5[2] ^ rin5[6] ^ rin5[7] ;




assign rout6[0] = rin6[2] ^ rin6[6] ^ rin6[7] ;
assign rout6[1] = rin6[3] ^ rin6[7] ;
assign rout6[2] = rin6[2] ^ rin6[4] ^ rin6[6] ^ rin6[7] ;
assign rout6[3] = rin6[2] ^ rin6[3] ^ rin6[5] ^ rin6[6] ;
assign rout6[4] = rin6[2] ^ rin6[3] ^ rin6[4] ;
assign rout6[5] = rin6[3] ^ rin6[4] ^ rin6[5] ;
assign rout6[6] = rin6[0] ^ rin6[4] ^ rin6[5] ^ rin6[6] ;
assign rout6[7] = rin6[1] ^ rin6[5] ^ rin6[6] ^ rin6[7] ;




assign rout7[0] = rin7[1] ^ rin7[5] ^ rin7[6] ^ rin7[7] ;
assign rout7[1] = rin7[2] ^ rin7[6] ^ rin7[7] ;
assign rout7[2] = rin7[1] ^ rin7[3] ^ rin7[5] ^ rin7[6] ;
assign rout7[3] = rin7[1] ^ rin7[2] ^ rin7[4] ^ rin7[5] ;
assign rout7[4] = rin7[1] ^ rin7[2] ^ rin7[3] ^ rin7[7] ;
assign rout7[5] = rin7[2] ^ rin7[3] ^ rin7[4] ;
assign rout7[6] = rin7[3] ^ rin7[4] ^ rin7[5] ;
assign rout7[7] = rin7[0] ^ rin7[4] ^ rin7[5] ^ rin7[6] ;




assign rout8[0] = rin8[0] ^ rin8[4] ^ rin8[5] ^ rin8[6] ;
assign rout8[1] = rin8[1] ^ rin8[5] ^ rin8[6] ^ rin8[7] ;
assign rout8[2] = rin8[0] ^ rin8[2] ^ rin8[4] ^ rin8[5] ^ rin8[7] ;
assign rout8[3] = rin8[0] ^ rin8[1] ^ rin8[3] ^ rin8[4] ;
assign rout8[4] = rin8[0] ^ rin8[1] ^ rin8[2] ^ rin8[6] ;
assign rout8[5] = rin8[1] ^ rin8[2] ^ rin8[3] ^ rin8[7] ;
assign rout8[6] = rin8[2] ^ rin8[3] ^ rin8[4] ;
assign rout8[7] = rin8[3] ^ rin8[4] ^ rin8[5] ;




assign rout9[0] = rin9[3] ^ rin9[4] ^ rin9[5] ;
assign rout9[1] = rin9[0] ^ rin9[4] ^ rin9[5] ^ rin9[6] ;
assign rout9[2] = rin9[1] ^ rin9[3] ^ rin9[4] ^ rin9[6] ^ rin9[7] ;
assign rout9[3] = rin9[0] ^ rin9[2] ^ rin9[3] ^ rin9[7] ;
assign rout9[4] = rin9[0] ^ rin9[1] ^ rin9[5] ;
assign rout9[5] = rin9[0] ^ rin9[1] ^ rin9[2] ^ rin9[6] ;
assign rout9[6] = rin9[1] ^ rin9[2] ^ rin9[3] ^ rin9[7] ;
assign rout9[7] = rin9[2] ^ rin9[3] ^ rin9[4] ;


assign ommult1 = omreg1 ;
assign ommult2 = omreg2 ;
assign ommult3 = omreg3 ;
assign ommult4 = omreg4 ;
assign ommult5 = omreg5 ;
assign ommult6 = omreg6 ;
assign ommult7 = omreg7 ;
assign ommult8 = omreg8 ;
assign ommult9 = omreg9 ;
assign errval1 = omegasum ;
assign omega0int = omega0mux ;


always @ (negedge rst_n or posedge clk)
begin : OMEGA0
   if (rst_n == 1'b0)
      omega0 <= 0;
   else if (clk_en)    
   begin    
   `ifdef SYNC_RST_ENABLED    
      if (sr)    
         omega0 <= 0;
      else    
   `endif    
         omega0 <= omega0int;
   end  
end


`ifdef FAILPIN
always @ (negedge rst_n or posedge clk)
begin : ERRVALINREG
   if (rst_n == 1'b0)
      errvalinreg <= 0;
   else if (clk_en)
   begin    
   `ifdef SYNC_RST_ENABLED 
      if ( sr ==1'b1)
         errvalinreg <= buf_out2;
      else 
   `endif
         errvalinreg <= errvalin ^ buf_out2 ;
   end  
end
`endif 
always @ (negedge rst_n or posedge clk)
begin : CLKEDPRT
   if (rst_n == 1'b0)
   begin : INIT
      omreg1 <= 8'b00000000 ;
      omreg2 <= 8'b00000000 ;
      omreg3 <= 8'b00000000 ;
      omreg4 <= 8'b00000000 ;
      omreg5 <= 8'b00000000 ;
      omreg6 <= 8'b00000000 ;
      omreg7 <= 8'b00000000 ;
      omreg8 <= 8'b00000000 ;
      omreg9 <= 8'b00000000 ;
      omegasum <= 8'b00000000 ;
      sigmainvreg <= 8'b00000000 ;
      errval      <= 8'b00000000 ;
      errval1reg  <= 8'b00000000 ;
      rootval     <= 8'b00000000 ;
      rootval_p   <= 8'b00000000 ;
      foundzero_p <= 1'b1 ;
   end
   else if(clk_en)
   begin : CLKED
   `ifdef SYNC_RST_ENABLED 
   if ( sr ==1'b1)
   begin 
      omreg1 <= 8'b00000000 ;
      omreg2 <= 8'b00000000 ;
      omreg3 <= 8'b00000000 ;
      omreg4 <= 8'b00000000 ;
      omreg5 <= 8'b00000000 ;
      omreg6 <= 8'b00000000 ;
      omreg7 <= 8'b00000000 ;
      omreg8 <= 8'b00000000 ;
      omreg9 <= 8'b00000000 ;
      omegasum <= 8'b00000000 ;
      sigmainvreg <= 8'b00000000 ;
   `ifdef FAILPIN
      errval      <= errvalinreg ; 
   `else 
      errval      <= 8'b00000000 ;
   `endif 
      errval1reg  <= 8'b00000000 ;
      rootval     <= 8'b00000000 ;
      rootval_p   <= 8'b00000000 ;
   end
   else
   `endif
   begin 
      omreg1  <= rout1    ;
      omreg2  <= rout2    ;
      omreg3  <= rout3    ;
      omreg4  <= rout4    ;
      omreg5  <= rout5    ;
      omreg6  <= rout6    ;
      omreg7  <= rout7    ;
      omreg8  <= rout8    ;
      omreg9  <= rout9    ;
      sigmainvreg <= sigmainv  ; 
   `ifdef FAILPIN
      errval      <= errvalinreg ; 
   `endif 
      rootval     <= rootval_p ; 
      rootval_p   <= rootvalin ; 
      omegasum    <= sumtotl   ; 
      foundzero_p <= foundzero ; 
      if (foundzero == 1'b0) 
         errval1reg  <= errval1  ; 
      else 
         errval1reg  <= 8'b00000000 ; 
      `ifdef FAILPIN
      `else 
      if (foundzero_p == 1'b0) 
         errval      <= errvalin ; 
      else 
         errval      <= 8'b00000000 ; 
      `endif 
   end
   end
end


always @ (omreg1 or omreg2 or omreg3 or omreg4 or omreg5 or omreg6 or omreg7 or omreg8 or omreg9 or  omega or mxsel or omega0)
begin : MUXPRT
   if (mxsel == 1'b1)
   begin : MXPRT1
      rin2 = omega[23:16]   ;
      rin4 = omega[39:32]   ;
      rin6 = omega[55:48]   ;
      rin8 = omega[71:64]   ;
      rin1 = omega[15:8]   ;
      rin3 = omega[31:24]   ;
      rin5 = omega[47:40]   ;
      rin7 = omega[63:56]   ;
      rin9 = omega[79:72]   ;
      omega0mux = omega[7:0]   ;
   end
   else
   begin : MXPRT2
      rin2 = omreg2[7:0] ;
      rin4 = omreg4[7:0] ;
      rin6 = omreg6[7:0] ;
      rin8 = omreg8[7:0] ;
      rin1 = omreg1[7:0] ;
      rin3 = omreg3[7:0] ;
      rin5 = omreg5[7:0] ;
      rin7 = omreg7[7:0] ;
      rin9 = omreg9[7:0] ;
      omega0mux = omega0    ;
   end
end


endmodule
