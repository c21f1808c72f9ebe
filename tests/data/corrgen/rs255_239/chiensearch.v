// RS(255,239) decoder core
// generated for the program tests
`timescale 1ns/1ns




module chiensearch(
             rst_n,
             `ifdef SYNC_RST_ENABLED 
             sr,                     // system asynch reset
             `endif                  
             mxsel,
             clk_en,
             clk,
             sigma,
             sumoddreg,
             foundzero
                );
// input ports
input  rst_n;
`ifdef SYNC_RST_ENABLED                 
input  sr;                              
`endif                                  
input  mxsel;
input  clk_en;
input  clk;
input  [`SIGMA_WIDTH-1:0] sigma ;


// output ports
output  foundzero;
output  [`INPUT_DATA_WIDTH-1:0] sumoddreg;




reg  foundzero;
reg  [`INPUT_DATA_WIDTH-1:0] sigma0    ;
reg  [`INPUT_DATA_WIDTH-1:0] sumoddreg ;
reg [`INPUT_DATA_WIDTH-1:0] rin1   ;
reg [`INPUT_DATA_WIDTH-1:0] rin2   ;
reg [`INPUT_DATA_WIDTH-1:0] rin3   ;
reg [`INPUT_DATA_WIDTH-1:0] rin4   ;
reg [`INPUT_DATA_WIDTH-1:0] rin5   ;
reg [`INPUT_DATA_WIDTH-1:0] rin6   ;
reg [`INPUT_DATA_WIDTH-1:0] rin7   ;
reg [`INPUT_DATA_WIDTH-1:0] rin8   ;
wire [`INPUT_DATA_WIDTH-1:0] rout1 ;
wire [`INPUT_DATA_WIDTH-1:0] rout2 ;
wire [`INPUT_DATA_WIDTH-1:0] rout3 ;
wire [`INPUT_DATA_WIDTH-1:0] rout4 ;
wire [`INPUT_DATA_WIDTH-1:0] rout5 ;
wire [`INPUT_DATA_WIDTH-1:0] rout6 ;
wire [`INPUT_DATA_WIDTH-1:0] rout7 ;
wire [`INPUT_DATA_WIDTH-1:0] rout8 ;
wire [`INPUT_DATA_WIDTH-1:0] chmult1 ;
wire [`INPUT_DATA_WIDTH-1:0] chmult2 ;
wire [`INPUT_DATA_WIDTH-1:0] chmult3 ;
wire [`INPUT_DATA_WIDTH-1:0] chmult4 ;
wire [`INPUT_DATA_WIDTH-1:0] chmult5 ;
wire [`INPUT_DATA_WIDTH-1:0] chmult6 ;
wire [`INPUT_DATA_WIDTH-1:0] chmult7 ;
wire [`INPUT_DATA_WIDTH-1:0] chmult8 ;
wire [`INPUT_DATA_WIDTH-1:0] sumodd    ;
wire [`INPUT_DATA_WIDTH-1:0] sumeven   ;
wire [`INPUT_DATA_WIDTH-1:0] sumtotl   ;
reg [`INPUT_DATA_WIDTH-1:0] chreg1 ;
reg [`INPUT_DATA_WIDTH-1:0] chreg2 ;
reg [`INPUT_DATA_WIDTH-1:0] chreg3 ;
reg [`INPUT_DATA_WIDTH-1:0] chreg4 ;
reg [`INPUT_DATA_WIDTH-1:0] chreg5 ;
reg [`INPUT_DATA_WIDTH-1:0] chreg6 ;
reg [`INPUT_DATA_WIDTH-1:0] chreg7 ;
reg [`INPUT_DATA_WIDTH-1:0] chreg8 ;


assign sumeven =  sigma0  ^ chmult2 ^ chmult4 ^ chmult6 ^ chmult8 ;
assign sumodd = chmult1 ^ chmult3 ^ chmult5 ^ chmult7 ;
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


assign chmult1 = chreg1 ;
assign chmult2 = chreg2 ;
assign chmult3 = chreg3 ;
assign chmult4 = chreg4 ;
assign chmult5 = chreg5 ;
assign chmult6 = chreg6 ;
assign chmult7 = chreg7 ;
assign chmult8 = chreg8 ;


always @ (negedge rst_n or posedge clk)
begin : SIGMA0
   if (rst_n == 1'b0)
      sigma0 <= 0;
   else if (clk_en)    
   begin    
   `ifdef SYNC_RST_ENABLED    
      if (sr)    
         sigma0 <= 0;
      else    
   `endif    
      if (mxsel==1'b1)
      sigma0 <= sigma[7:0];
   end  
end

always @ (negedge rst_n or posedge clk)
begin : CLKEDPRT
   if (rst_n == 1'b0)
   begin : INIT
      chreg1 <= 8'b00000000 ;
      chreg2 <= 8'b00000000 ;
      chreg3 <= 8'b00000000 ;
      chreg4 <= 8'b00000000 ;
      chreg5 <= 8'b00000000 ;
      chreg6 <= 8'b00000000 ;
      chreg7 <= 8'b00000000 ;
      chreg8 <= 8'b00000000 ;
      sumoddreg <= 8'b00000000 ;
      foundzero <= 1'b1 ;
   end
   else if (clk_en)
   begin : CLKED
   `ifdef SYNC_RST_ENABLED    
      if (sr)    
      begin 
         chreg1 <= 8'b00000000 ;
         chreg2 <= 8'b00000000 ;
         chreg3 <= 8'b00000000 ;
         chreg4 <= 8'b00000000 ;
         chreg5 <= 8'b00000000 ;
         chreg6 <= 8'b00000000 ;
         chreg7 <= 8'b00000000 ;
         chreg8 <= 8'b00000000 ;
         sumoddreg <= 8'b00000000 ;
         foundzero <= 1'b1 ;
      end
      else    
   `endif    
      begin
         chreg1 <= rout1 ;
         chreg2 <= rout2 ;
         chreg3 <= rout3 ;
         chreg4 <= rout4 ;
         chreg5 <= rout5 ;
         chreg6 <= rout6 ;
         chreg7 <= rout7 ;
         chreg8 <= rout8 ;
         sumoddreg <= sumodd ; 
         foundzero <= sumtotl[0] || sumtotl[1] || sumtotl[2] || sumtotl[3] || sumtotl[4] || sumtotl[5] || sumtotl[6] || sumtotl[7]; 
      end
   end
end


always @ (chreg1 or chreg2 or chreg3 or chreg4 or chreg5 or chreg6 or chreg7 or chreg8 or  sigma or mxsel)
begin : MUXSTRT
   if (mxsel == 1'b1)
   begin : MXPRT1
      rin2 = sigma[23:16]   ;
      rin4 = sigma[39:32]   ;
      rin6 = sigma[55:48]   ;
      rin8 = sigma[71:64]   ;
      rin1 = sigma[15:8]   ;
      rin3 = sigma[31:24]   ;
      rin5 = sigma[47:40]   ;
      rin7 = sigma[63:56]   ;
   end
   else
   begin : MXPRT2
      rin2 = chreg2[7:0] ;
      rin4 = chreg4[7:0] ;
      rin6 = chreg6[7:0] ;
      rin8 = chreg8[7:0] ;
      rin1 = chreg1[7:0] ;
      rin3 = chreg3[7:0] ;
      rin5 = chreg5[7:0] ;
      rin7 = chreg7[7:0] ;
   end
end


endmodule
