#include "generators/corrgen/syndrome.hpp"

namespace ipgen::rs {

namespace {

// The module text as it is written, line for line; the blanks at the ends
// of lines are part of the format.
// clang-format off

// The module's port list and port declarations.
void write_ports(TextSink& out) {
    out.write(R"(`timescale 1ns/1ns


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


)");
}

void write_declarations(TextSink& out) {
    out.write(R"(// internal wire/reg  declarations 

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


)");
}

// S_s = S_s * root_s + din for every syndrome at once; sync starts a
// codeword with S_s = din.
void write_horner_step(TextSink& out) {
    // The bank of multiplier.v multiplies each syndrome by its own root.
    out.write(R"(multiplier u1_multiplier( 
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

)");
}

// The finished syndromes, held for the key-equation solver.
void write_syndrome_register(TextSink& out) {
    out.write(R"(//////////////////////////////////////////////////////////////////
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

)");
    // Without erasure decoding the unit also flags a zero syndrome 0.
    out.write(R"(`ifdef ERASURE          // 
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

)");
}

void write_syndrome_mux(TextSink& out, int num_chk) {
    out.write(R"(//////////////////////////////////////////////////////////////////
//         syndrome     multiplexer                             //
//////////////////////////////////////////////////////////////////
always @ ( sel_synd or synd_reg )
begin 
   case ( sel_synd )
)");
    // Item s selects syndrome s, bits (s+1)*m-1 down to s*m of synd_reg.
    for (int s = 0; s < num_chk; ++s) {
        out.print("      `SYNDSELWIDTH'h%x : synd_jint = synd_reg[%d*`INPUT_DATA_WIDTH-1:%d*`INPUT_DATA_WIDTH] ;\n",
                  static_cast<unsigned>(s), s + 1, s);
    }
    // Written even when every selector value has an item of its own.
    out.write(R"(      default: synd_jint = synd_reg[`INPUT_DATA_WIDTH-1:0] ;
   endcase 
end 

)");
}

void write_output_register(TextSink& out) {
    out.write(R"(always @( posedge clk or negedge rst_n )
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
)");
}

// clang-format on

} // namespace

void write_syndrome(TextSink& out, int num_chk) {
    write_ports(out);
    write_declarations(out);
    write_horner_step(out);
    write_syndrome_register(out);
    write_syndrome_mux(out, num_chk);
    write_output_register(out);
}

} // namespace ipgen::rs
