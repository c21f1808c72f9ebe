// RS(255,239) decoder core
// generated for the program tests
`timescale 1ns/1ns


module synd(
             clk_en,                 // 
             clk,                    // system clk
             rst_n,                   // system reset
             `ifdef SYNC_RST_ENABLED 
             sr,                     // system asynch reset
             `endif                  
             sync,                   // 
             synd_en,                // 
             synd_rdy_int,           // 
             ready_int,              // 
             sel_synd,               // 
             `ifdef ERASURE          // 
             `else                   // 
             synd_lsb0,              //signal indicating synd_out LSB = 0
             `endif                  // 
             synd_j,                 // 
             synd_lsb,               // 
             din
                );

// input ports                          
input  clk_en;                        
input  clk;                             
input  rst_n;                            
`ifdef SYNC_RST_ENABLED                 
input  sr;                              
`endif                                  
input  sync;                            
input  synd_en;                         
input  synd_rdy_int;                    
input  ready_int;                           
input  [`SYNDSELWIDTH-1:0] sel_synd;    
input  [`INPUT_DATA_WIDTH-1:0] din;     


// output ports
`ifdef ERASURE          // 
`else                   // 
output  synd_lsb0;//1bit signal indicating whether synd_out LSB = 0
`endif                  // 
output  [`INPUT_DATA_WIDTH-1:0] synd_j;
output  [`INPUT_DATA_WIDTH-1:0] synd_lsb;


// internal wire/reg  declarations 

wire  clk;
wire  rst_n;
wire  sync;                             
wire  synd_en;                          
wire  synd_rdy_int;                     
wire  ready_int;                            
wire  [`SYNDSELWIDTH-1:0] sel_synd;    
wire  [`INPUT_DATA_WIDTH-1:0] din;
reg   [`CHKSYMBS_WIDTH-1:0] synd_out;
reg   [`CHKSYMBS_WIDTH-1:0] synd_reg;
reg   [`INPUT_DATA_WIDTH-1:0] synd_jint;
reg   [`INPUT_DATA_WIDTH-1:0] synd_j;
wire  [`INPUT_DATA_WIDTH-1:0] synd_lsb;
wire  [`CHKSYMBS_WIDTH-1:0] din_lc;
wire  [`CHKSYMBS_WIDTH-1:0] add_out;
reg   [`CHKSYMBS_WIDTH-1:0] mux1_out;
reg   [`CHKSYMBS_WIDTH-1:0] synd_bus;
wire  [`CHKSYMBS_WIDTH-1:0] mult_out;

`ifdef ERASURE          // 
`else                   // 
reg   synd_lsb0;//1bit signal indicating whether synd_out LSB = 0
`endif                  // 


multiplier u1_multiplier( 
                    .mult_in(synd_out),  
                    .mult_out(mult_out)  
                    );  

//////////////////////////////////////////////////////////////////
//                 din_lc generation                            //
//////////////////////////////////////////////////////////////////
assign  din_lc  = {`NUM_CHKSYMBS{din}} ;

assign  add_out = din_lc ^ mult_out ;


//////////////////////////////////////////////////////////////////
//                 mux1_out signal  generation                  //
//////////////////////////////////////////////////////////////////
always @( add_out or din_lc or sync )  
begin:MUX1_OUT
   if ( sync == 1'b1 )
      mux1_out = din_lc;
   else 
      mux1_out = add_out;
end

//////////////////////////////////////////////////////////////////
//                 synd_out generation                          //
//////////////////////////////////////////////////////////////////
always @( posedge clk or negedge rst_n )
begin:SYND_OUT
   if ( rst_n == 1'b0 ) 
      synd_out[`CHKSYMBS_WIDTH-1:0] <= 0; 
   else if (clk_en)    
   begin    
   `ifdef SYNC_RST_ENABLED    
      if (sr)    
      synd_out[`CHKSYMBS_WIDTH-1:0] <= 0; 
      else    
   `endif    
      if ((synd_en==1'b1)||(sync==1'b1))    
      synd_out <= mux1_out; 
   end  
end  

//////////////////////////////////////////////////////////////////
//synd input changing from MSBs to LSBs  synd_bus  signal       //
//////////////////////////////////////////////////////////////////
always @(synd_out)
begin:SYND_BUS
   synd_bus = synd_out;
end

//////////////////////////////////////////////////////////////////
//         synd_reg signal generation                           //
//////////////////////////////////////////////////////////////////
always @( posedge clk or negedge rst_n )
begin:SYND_REG
   if ( rst_n == 1'b0 )
      synd_reg[`CHKSYMBS_WIDTH-1:0] <= 0;
   else if (clk_en)
   begin    
   `ifdef SYNC_RST_ENABLED    
      if (sr)    
      synd_reg[`CHKSYMBS_WIDTH-1:0] <= 0;
      else    
   `endif    
      if ((synd_rdy_int==1'b1)&&(ready_int==1'b1))    
           synd_reg <= synd_bus;
   end    
end

assign synd_lsb = synd_reg[`INPUT_DATA_WIDTH-1:0];

`ifdef ERASURE          // 
`else                   // 
//////////////////////////////////////////////////////////////////
//         synd_lsb0 signal generation                          //
//////////////////////////////////////////////////////////////////
always @( posedge clk or negedge rst_n )
begin:SYND_LSB0
   if ( rst_n == 1'b0 )
      synd_lsb0 <= 1'b0;
   else if (clk_en)
   begin
   `ifdef SYNC_RST_ENABLED
      if (sr)
      synd_lsb0 <= 1'b0;
      else
   `endif
      if ((synd_rdy_int==1'b1)&&(ready_int==1'b1)&&(synd_out[`INPUT_DATA_WIDTH-1:0]==`INPUT_DATA_WIDTH'b0))
         synd_lsb0 <= 1'b1;
      else
         synd_lsb0 <= 1'b0;
   end
end
`endif                  // 

//////////////////////////////////////////////////////////////////
//         syndrome     multiplexer                             //
//////////////////////////////////////////////////////////////////
always @ ( sel_synd or synd_reg )
begin 
   case ( sel_synd )
      `SYNDSELWIDTH'h0 : synd_jint = synd_reg[1*`INPUT_DATA_WIDTH-1:0*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'h1 : synd_jint = synd_reg[2*`INPUT_DATA_WIDTH-1:1*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'h2 : synd_jint = synd_reg[3*`INPUT_DATA_WIDTH-1:2*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'h3 : synd_jint = synd_reg[4*`INPUT_DATA_WIDTH-1:3*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'h4 : synd_jint = synd_reg[5*`INPUT_DATA_WIDTH-1:4*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'h5 : synd_jint = synd_reg[6*`INPUT_DATA_WIDTH-1:5*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'h6 : synd_jint = synd_reg[7*`INPUT_DATA_WIDTH-1:6*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'h7 : synd_jint = synd_reg[8*`INPUT_DATA_WIDTH-1:7*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'h8 : synd_jint = synd_reg[9*`INPUT_DATA_WIDTH-1:8*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'h9 : synd_jint = synd_reg[10*`INPUT_DATA_WIDTH-1:9*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'ha : synd_jint = synd_reg[11*`INPUT_DATA_WIDTH-1:10*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'hb : synd_jint = synd_reg[12*`INPUT_DATA_WIDTH-1:11*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'hc : synd_jint = synd_reg[13*`INPUT_DATA_WIDTH-1:12*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'hd : synd_jint = synd_reg[14*`INPUT_DATA_WIDTH-1:13*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'he : synd_jint = synd_reg[15*`INPUT_DATA_WIDTH-1:14*`INPUT_DATA_WIDTH] ;
      `SYNDSELWIDTH'hf : synd_jint = synd_reg[16*`INPUT_DATA_WIDTH-1:15*`INPUT_DATA_WIDTH] ;
      default: synd_jint = synd_reg[`INPUT_DATA_WIDTH-1:0] ;
   endcase 
end 

always @( posedge clk or negedge rst_n )
begin:SYND_J
   if ( rst_n == 1'b0 )
      synd_j[`INPUT_DATA_WIDTH-1:0] <= 0;
   else if(clk_en)
   begin    
   `ifdef SYNC_RST_ENABLED    
      if (sr)    
      synd_j[`INPUT_DATA_WIDTH-1:0] <= 0;
      else    
   `endif    
      synd_j <= synd_jint;//else part left for storing prev value
   end    
end


endmodule  
