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
wire [`INPUT_DATA_WIDTH-1:0] rout1  ;
wire [`INPUT_DATA_WIDTH-1:0] rout2  ;
wire [`INPUT_DATA_WIDTH-1:0] rout3  ;
wire [`INPUT_DATA_WIDTH-1:0] rout4  ;
wire [`INPUT_DATA_WIDTH-1:0] rout5  ;
wire [`INPUT_DATA_WIDTH-1:0] rout6  ;
wire [`INPUT_DATA_WIDTH-1:0] rout7  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult1  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult2  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult3  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult4  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult5  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult6  ;
wire [`INPUT_DATA_WIDTH-1:0] ommult7  ;
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
reg  foundzero_p      ;


gfinvrom u1_gfinvrom(.address(sumoddreg),.romout(sigmainv)) ;
mastrovito u1_mastrovito(.mult_out(errvalin),.mult_in1(errval1reg),.mult_in2(sigmainvreg)) ;
assign sumeven =  omega0 ^ ommult2 ^ ommult4 ^ ommult6 ;
assign sumodd = ommult1 ^ ommult3 ^ ommult5 ^ ommult7 ;
assign sumtotl = sumeven ^ sumodd ;


assign rout1[0] = rin1[2] ^ rin1[6] ^ rin1[7] ;
assign rout1[1] = rin1[2] ^ rin1[3] ^ rin1[6] ;
assign rout1[2] = rin1[0] ^ rin1[2] ^ rin1[3] ^ rin1[4] ^ rin1[6] ;
assign rout1[3] = rin1[1] ^ rin1[3] ^ rin1[4] ^ rin1[5] ^ rin1[7] ;
assign rout1[4] = rin1[2] ^ rin1[4] ^ rin1[5] ^ rin1[6] ;
assign rout1[5] = rin1[0] ^ rin1[3] ^ rin1[5] ^ rin1[6] ^ rin1[7] ;
assign rout1[6] = rin1[0] ^ rin1[1] ^ rin1[4] ^ rin1[6] ^ rin1[7] ;
assign rout1[7] = rin1[1] ^ rin1[5] ^ rin1[6] ;




assign rout2[0] = rin2[1] ^ rin2[2] ^ rin2[3] ^ rin2[4] ^ rin2[6] ;
assign rout2[1] = rin2[1] ^ rin2[5] ^ rin2[6] ^ rin2[7] ;
assign rout2[2] = rin2[0] ^ rin2[1] ^ rin2[3] ^ rin2[4] ^ rin2[7] ;
assign rout2[3] = rin2[0] ^ rin2[1] ^ rin2[2] ^ rin2[4] ^ rin2[5] ;
assign rout2[4] = rin2[1] ^ rin2[2] ^ rin2[3] ^ rin2[5] ^ rin2[6] ;
assign rout2[5] = rin2[2] ^ rin2[3] ^ rin2[4] ^ rin2[6] ^ rin2[7] ;
assign rout2[6] = rin2[3] ^ rin2[4] ^ rin2[5] ^ rin2[7] ;
assign rout2[7] = rin2[0] ^ rin2[1] ^ rin2[2] ^ rin2[3] ^ rin2[5] ;




assign rout3[0] = rin3[2] ^ rin3[4] ^ rin3[6] ^ rin3[7] ;
assign rout3[1] = rin3[2] ^ rin3[3] ^ rin3[4] ^ rin3[5] ^ rin3[6] ;
assign rout3[2] = rin3[0] ^ rin3[2] ^ rin3[3] ^ rin3[5] ;
assign rout3[3] = rin3[0] ^ rin3[1] ^ rin3[3] ^ rin3[4] ^ rin3[6] ;
assign rout3[4] = rin3[0] ^ rin3[1] ^ rin3[2] ^ rin3[4] ^ rin3[5] ^ rin3[7] ;
assign rout3[5] = rin3[0] ^ rin3[1] ^ rin3[2] ^ rin3[3] ^ rin3[5] ^ rin3[6] ;
assign rout3[6] = rin3[0] ^ rin3[1] ^ rin3[2] ^ rin3[3] ^ rin3[4] ^ rin3[6] ^ rin3[7] ;
assign rout3[7] = rin3[1] ^ rin3[3] ^ rin3[5] ^ rin3[6] ;




assign rout4[0] = rin4[7] ;
assign rout4[1] = rin4[0] ^ rin4[7] ;
assign rout4[2] = rin4[1] ^ rin4[7] ;
assign rout4[3] = rin4[2] ;
assign rout4[4] = rin4[3] ;
assign rout4[5] = rin4[4] ;
assign rout4[6] = rin4[5] ;
assign rout4[7] = rin4[6] ^ rin4[7] ;




assign rout5[0] = rin5[0] ^ rin5[1] ^ rin5[4] ^ rin5[6] ;
assign rout5[1] = rin5[2] ^ rin5[4] ^ rin5[5] ^ rin5[6] ^ rin5[7] ;
assign rout5[2] = rin5[0] ^ rin5[1] ^ rin5[3] ^ rin5[4] ^ rin5[5] ^ rin5[7] ;
assign rout5[3] = rin5[0] ^ rin5[1] ^ rin5[2] ^ rin5[4] ^ rin5[5] ^ rin5[6] ;
assign rout5[4] = rin5[0] ^ rin5[1] ^ rin5[2] ^ rin5[3] ^ rin5[5] ^ rin5[6] ^ rin5[7] ;
assign rout5[5] = rin5[1] ^ rin5[2] ^ rin5[3] ^ rin5[4] ^ rin5[6] ^ rin5[7] ;
assign rout5[6] = rin5[0] ^ rin5[2] ^ rin5[3] ^ rin5[4] ^ rin5[5] ^ rin5[7] ;
assign rout5[7] = rin5[0] ^ rin5[3] ^ rin5[5] ;




assign rout6[0] = rin6[0] ^ rin6[1] ^ rin6[3] ^ rin6[5] ^ rin6[6] ^ rin6[7] ;
assign rout6[1] = rin6[0] ^ rin6[2] ^ rin6[3] ^ rin6[4] ^ rin6[5] ;
assign rout6[2] = rin6[4] ^ rin6[7] ;
assign rout6[3] = rin6[0] ^ rin6[5] ;
assign rout6[4] = rin6[0] ^ rin6[1] ^ rin6[6] ;
assign rout6[5] = rin6[0] ^ rin6[1] ^ rin6[2] ^ rin6[7] ;
assign rout6[6] = rin6[0] ^ rin6[1] ^ rin6[2] ^ rin6[3] ;
assign rout6[7] = rin6[0] ^ rin6[2] ^ rin6[4] ^ rin6[5] ^ rin6[6] ^ rin6[7] ;




assign rout7[0] = rin7[2] ^ rin7[4] ^ rin7[5] ;
assign rout7[1] = rin7[2] ^ rin7[3] ^ rin7[4] ^ rin7[6] ;
assign rout7[2] = rin7[0] ^ rin7[2] ^ rin7[3] ^ rin7[7] ;
assign rout7[3] = rin7[1] ^ rin7[3] ^ rin7[4] ;
assign rout7[4] = rin7[0] ^ rin7[2] ^ rin7[4] ^ rin7[5] ;
assign rout7[5] = rin7[0] ^ rin7[1] ^ rin7[3] ^ rin7[5] ^ rin7[6] ;
assign rout7[6] = rin7[0] ^ rin7[1] ^ rin7[2] ^ rin7[4] ^ rin7[6] ^ rin7[7] ;
assign rout7[7] = rin7[1] ^ rin7[3] ^ rin7[4] ^ rin7[7] ;




assign ommult1[0] = omreg1[2] ^ omreg1[5] ;
assign ommult1[1] = omreg1[2] ^ omreg1[3] ^ omreg1[5] ^ omreg1[6] ;
assign ommult1[2] = omreg1[0] ^ omreg1[2] ^ omreg1[3] ^ omreg1[4] ^ omreg1[5] ^ omreg1[6] ^ omreg1[7] ;
assign ommult1[3] = omreg1[0] ^ omreg1[1] ^ omreg1[3] ^ omreg1[4] ^ omreg1[5] ^ omreg1[6] ^ omreg1[7] ;
assign ommult1[4] = omreg1[1] ^ omreg1[2] ^ omreg1[4] ^ omreg1[5] ^ omreg1[6] ^ omreg1[7] ;
assign ommult1[5] = omreg1[0] ^ omreg1[2] ^ omreg1[3] ^ omreg1[5] ^ omreg1[6] ^ omreg1[7] ;
assign ommult1[6] = omreg1[0] ^ omreg1[1] ^ omreg1[3] ^ omreg1[4] ^ omreg1[6] ^ omreg1[7] ;
assign ommult1[7] = omreg1[1] ^ omreg1[4] ^ omreg1[7] ;




assign ommult2[0] = omreg2[4] ;
assign ommult2[1] = omreg2[4] ^ omreg2[5] ;
assign ommult2[2] = omreg2[4] ^ omreg2[5] ^ omreg2[6] ;
assign ommult2[3] = omreg2[0] ^ omreg2[5] ^ omreg2[6] ^ omreg2[7] ;
assign ommult2[4] = omreg2[0] ^ omreg2[1] ^ omreg2[6] ^ omreg2[7] ;
assign ommult2[5] = omreg2[1] ^ omreg2[2] ^ omreg2[7] ;
assign ommult2[6] = omreg2[2] ^ omreg2[3] ;
assign ommult2[7] = omreg2[3] ;




assign ommult3[0] = omreg3[1] ^ omreg3[2] ^ omreg3[4] ^ omreg3[5] ^ omreg3[6] ^ omreg3[7] ;
assign ommult3[1] = omreg3[0] ^ omreg3[1] ^ omreg3[3] ^ omreg3[4] ;
assign ommult3[2] = omreg3[6] ^ omreg3[7] ;
assign ommult3[3] = omreg3[7] ;
assign ommult3[4] = omreg3[0] ;
assign ommult3[5] = omreg3[0] ^ omreg3[1] ;
assign ommult3[6] = omreg3[1] ^ omreg3[2] ;
assign ommult3[7] = omreg3[0] ^ omreg3[1] ^ omreg3[3] ^ omreg3[4] ^ omreg3[5] ^ omreg3[6] ^ omreg3[7] ;




assign ommult4[0] = omreg4[0] ^ omreg4[1] ^ omreg4[6] ^ omreg4[7] ;
assign ommult4[1] = omreg4[0] ^ omreg4[2] ^ omreg4[6] ;
assign ommult4[2] = omreg4[0] ^ omreg4[3] ^ omreg4[6] ;
assign ommult4[3] = omreg4[1] ^ omreg4[4] ^ omreg4[7] ;
assign ommult4[4] = omreg4[2] ^ omreg4[5] ;
assign ommult4[5] = omreg4[3] ^ omreg4[6] ;
assign ommult4[6] = omreg4[0] ^ omreg4[4] ^ omreg4[7] ;
assign ommult4[7] = omreg4[0] ^ omreg4[5] ^ omreg4[6] ^ omreg4[7] ;




assign ommult5[0] = omreg5[0] ;
assign ommult5[1] = omreg5[1] ;
assign ommult5[2] = omreg5[2] ;
assign ommult5[3] = omreg5[3] ;
assign ommult5[4] = omreg5[4] ;
assign ommult5[5] = omreg5[5] ;
assign ommult5[6] = omreg5[6] ;
assign ommult5[7] = omreg5[7] ;




assign ommult6[0] = omreg6[2] ^ omreg6[5] ;
assign ommult6[1] = omreg6[2] ^ omreg6[3] ^ omreg6[5] ^ omreg6[6] ;
assign ommult6[2] = omreg6[0] ^ omreg6[2] ^ omreg6[3] ^ omreg6[4] ^ omreg6[5] ^ omreg6[6] ^ omreg6[7] ;
assign ommult6[3] = omreg6[0] ^ omreg6[1] ^ omreg6[3] ^ omreg6[4] ^ omreg6[5] ^ omreg6[6] ^ omreg6[7] ;
assign ommult6[4] = omreg6[1] ^ omreg6[2] ^ omreg6[4] ^ omreg6[5] ^ omreg6[6] ^ omreg6[7] ;
assign ommult6[5] = omreg6[0] ^ omreg6[2] ^ omreg6[3] ^ omreg6[5] ^ omreg6[6] ^ omreg6[7] ;
assign ommult6[6] = omreg6[0] ^ omreg6[1] ^ omreg6[3] ^ omreg6[4] ^ omreg6[6] ^ omreg6[7] ;
assign ommult6[7] = omreg6[1] ^ omreg6[4] ^ omreg6[7] ;




assign ommult7[0] = omreg7[4] ;
assign ommult7[1] = omreg7[4] ^ omreg7[5] ;
assign ommult7[2] = omreg7[4] ^ omreg7[5] ^ omreg7[6] ;
assign ommult7[3] = omreg7[0] ^ omreg7[5] ^ omreg7[6] ^ omreg7[7] ;
assign ommult7[4] = omreg7[0] ^ omreg7[1] ^ omreg7[6] ^ omreg7[7] ;
assign ommult7[5] = omreg7[1] ^ omreg7[2] ^ omreg7[7] ;
assign ommult7[6] = omreg7[2] ^ omreg7[3] ;
assign ommult7[7] = omreg7[3] ;




assign errval1[0] = omegasum[4] ;
assign errval1[1] = omegasum[4] ^ omegasum[5] ;
assign errval1[2] = omegasum[4] ^ omegasum[5] ^ omegasum[6] ;
assign errval1[3] = omegasum[0] ^ omegasum[5] ^ omegasum[6] ^ omegasum[7] ;
assign errval1[4] = omegasum[0] ^ omegasum[1] ^ omegasum[6] ^ omegasum[7] ;
assign errval1[5] = omegasum[1] ^ omegasum[2] ^ omegasum[7] ;
assign errval1[6] = omegasum[2] ^ omegasum[3] ;
assign errval1[7] = omegasum[3] ;




assign omega0int[0] = omega0mux[0] ^ omega0mux[4] ^ omega0mux[5] ;
assign omega0int[1] = omega0mux[1] ^ omega0mux[4] ^ omega0mux[6] ;
assign omega0int[2] = omega0mux[0] ^ omega0mux[2] ^ omega0mux[4] ^ omega0mux[7] ;
assign omega0int[3] = omega0mux[1] ^ omega0mux[3] ^ omega0mux[5] ;
assign omega0int[4] = omega0mux[0] ^ omega0mux[2] ^ omega0mux[4] ^ omega0mux[6] ;
assign omega0int[5] = omega0mux[1] ^ omega0mux[3] ^ omega0mux[5] ^ omega0mux[7] ;
assign omega0int[6] = omega0mux[2] ^ omega0mux[4] ^ omega0mux[6] ;
assign omega0int[7] = omega0mux[3] ^ omega0mux[4] ^ omega0mux[7] ;




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


always @ (omreg1 or omreg2 or omreg3 or omreg4 or omreg5 or omreg6 or omreg7 or  omega or mxsel or omega0)
begin : MUXPRT
   if (mxsel == 1'b1)
   begin : MXPRT1
      rin2 = omega[23:16]   ;
      rin4 = omega[39:32]   ;
      rin6 = omega[55:48]   ;
      rin1 = omega[15:8]   ;
      rin3 = omega[31:24]   ;
      rin5 = omega[47:40]   ;
      rin7 = omega[63:56]   ;
      omega0mux = omega[7:0]   ;
   end
   else
   begin : MXPRT2
      rin2 = omreg2[7:0] ;
      rin4 = omreg4[7:0] ;
      rin6 = omreg6[7:0] ;
      rin1 = omreg1[7:0] ;
      rin3 = omreg3[7:0] ;
      rin5 = omreg5[7:0] ;
      rin7 = omreg7[7:0] ;
      omega0mux = omega0    ;
   end
end


endmodule
