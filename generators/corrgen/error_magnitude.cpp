#include "generators/corrgen/error_magnitude.hpp"

#include "generators/common/binary_literal.hpp"
#include "generators/common/concat.hpp"
#include "generators/corrgen/evaluator_text.hpp"
#include "generators/corrgen/locator_degree.hpp"
#include "generators/rs_common/xor_equation.hpp"

#include <string>

namespace ipgen::rs {

ErrorMagnitudeExponents error_magnitude_exponents(const DecoderParams& params) {
    const int t = locator_degree(params);
    const std::int64_t nlong = params.nlong;
    const std::int64_t first_root = params.first_root;
    const std::int64_t rootspace = params.rootspace;
    const std::int64_t shortening = nlong - params.n_total;
    const bool shortened = params.n_total != params.nlong;
    const bool scaled = first_root != 0 && rootspace != 0;

    ErrorMagnitudeExponents exponents;
    for (std::int64_t i = 1; i < t; ++i) {
        exponents.update.push_back(((i + first_root) * rootspace) % nlong);
    }
    if (shortened) {
        for (std::int64_t i = 1; i < t; ++i) {
            exponents.premultiplier.push_back((i * shortening * rootspace) % nlong);
        }
    }
    if (scaled && shortened) {
        exponents.output_scaling = (first_root * rootspace * shortening) % nlong;
    }
    if (scaled) {
        exponents.coefficient0_scaling = (first_root * rootspace) % nlong;
    }
    return exponents;
}

namespace {

// The module text as it is written, line for line; the blanks at the ends
// of lines are part of the format.
// clang-format off

void write_ports(TextSink& out) {
    out.write(R"(`timescale 1ns/1ns




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




)");
}

void write_declarations(TextSink& out, int t) {
    out.write(R"(`ifdef FAILPIN
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
)");
    for (int i = 1; i < t; ++i) {
        out.write(concat("reg [`INPUT_DATA_WIDTH-1:0] rin", i, "    ;\n"));
    }
    for (int i = 1; i < t; ++i) {
        out.write(concat("wire [`INPUT_DATA_WIDTH-1:0] rout", i, "  ;\n"));
    }
    for (int i = 1; i < t; ++i) {
        out.write(concat("wire [`INPUT_DATA_WIDTH-1:0] ommult", i, "  ;\n"));
    }
    out.write(R"(wire [`INPUT_DATA_WIDTH-1:0] sumoddreg   ;
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
)");
    for (int i = 1; i < t; ++i) {
        out.write(concat("reg [`INPUT_DATA_WIDTH-1:0] omreg", i, " ;\n"));
    }
    out.write(R"(reg  foundzero_p      ;


)");
}

// 1/sigma_odd from the inverse ROM; omega times it in the general multiplier.
void write_submodules(TextSink& out) {
    out.write(R"(gfinvrom u1_gfinvrom(.address(sumoddreg),.romout(sigmainv)) ;
mastrovito u1_mastrovito(.mult_out(errvalin),.mult_in1(errval1reg),.mult_in2(sigmainvreg)) ;
)");
}

void write_sums(TextSink& out, int t) {
    // omega(x) = omega0 + the even-indexed terms + the odd-indexed terms.
    // The lines that end without a further term leave a blank behind their
    // line end.
    if (t == 1 || t == 2) {
        out.write("assign sumeven =  omega0 ;\n ");
    }
    if (t >= 3) {
        out.write("assign sumeven =  omega0 ^ ");
        write_term_list(out, "ommult", 2, t - 1);
    }
    out.write("assign sumodd = ");
    if (t == 1) {
        out.write("0 ;\n ");
    } else {
        write_term_list(out, "ommult", 1, t - 1);
    }
    out.write("assign sumtotl = sumeven ^ sumodd ;\n");
}

void write_multipliers(TextSink& out, const GaloisField& field,
                       const ErrorMagnitudeExponents& exponents, int t) {
    // rout_i = rin_i * alpha^(o_i); for a shortened code ommult_i =
    // omreg_i * alpha^(p_i), otherwise the register itself.
    for (int i = 1; i < t; ++i) {
        write_constant_multiplier(out, field, exponents.update[static_cast<size_t>(i - 1)],
                                  {numbered("rout", i)}, {numbered("rin", i)});
    }
    for (int i = 1; i < t; ++i) {
        if (exponents.premultiplier.empty()) {
            out.write(concat("assign ommult", i, " = omreg", i, " ;\n"));
        } else {
            write_constant_multiplier(out, field,
                                      exponents.premultiplier[static_cast<size_t>(i - 1)],
                                      {numbered("ommult", i)}, {numbered("omreg", i)});
        }
    }
    if (exponents.output_scaling) {
        write_constant_multiplier(out, field, *exponents.output_scaling, {"errval1"}, {"omegasum"});
    } else {
        out.write("assign errval1 = omegasum ;\n");
    }
    if (exponents.coefficient0_scaling) {
        write_constant_multiplier(out, field, *exponents.coefficient0_scaling, {"omega0int"},
                                  {"omega0mux"});
    } else {
        out.write("assign omega0int = omega0mux ;\n");
    }
    out.write("\n\n");
}

void write_omega0_register(TextSink& out) {
    out.write(R"(always @ (negedge rst_n or posedge clk)
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


)");
}

// With FAILPIN the corrected symbol (error value plus the buffered input)
// is registered for the failure output.
void write_failpin_register(TextSink& out) {
    out.write(R"(`ifdef FAILPIN
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
)");
}

void write_coefficient_registers(TextSink& out, int t, int m) {
    // Cleared at reset: the coefficient registers, the sum and the inverse,
    // then errval and the delayed values (names padded to align the arrows).
    std::vector<std::string> evaluator = numbered_range("omreg", 1, t - 1);
    evaluator.emplace_back("omegasum");
    evaluator.emplace_back("sigmainvreg");
    const std::vector<std::string> errval = {"errval     "};
    const std::vector<std::string> delayed = {"errval1reg ", "rootval    ", "rootval_p  "};
    const std::string zeros = zero_literal(m);
    out.write(R"(always @ (negedge rst_n or posedge clk)
begin : CLKEDPRT
   if (rst_n == 1'b0)
   begin : INIT
)");
    write_clears(out, "      ", evaluator, zeros);
    write_clears(out, "      ", errval, zeros);
    write_clears(out, "      ", delayed, zeros);
    out.write(R"(      foundzero_p <= 1'b1 ;
   end
   else if(clk_en)
   begin : CLKED
   `ifdef SYNC_RST_ENABLED 
   if ( sr ==1'b1)
   begin 
)");
    write_clears(out, "      ", evaluator, zeros);
    out.write(R"(   `ifdef FAILPIN
      errval      <= errvalinreg ; 
   `else 
)");
    write_clears(out, "      ", errval, zeros);
    out.write("   `endif \n");
    write_clears(out, "      ", delayed, zeros);
    out.write(R"(   end
   else
   `endif
   begin 
)");
    for (int i = 1; i < t; ++i) {
        out.write(concat("      omreg", i, "  <= rout", i, "    ;\n"));
    }
    out.write(R"(      sigmainvreg <= sigmainv  ; 
   `ifdef FAILPIN
      errval      <= errvalinreg ; 
   `endif 
      rootval     <= rootval_p ; 
      rootval_p   <= rootvalin ; 
      omegasum    <= sumtotl   ; 
      foundzero_p <= foundzero ; 
)");
    // Only positions where the Chien search found a root carry an error
    // value; the zero literals of these two lines keep a blank before
    // their line end.
    out.write(R"(      if (foundzero == 1'b0) 
         errval1reg  <= errval1  ; 
      else 
)");
    out.print("         errval1reg  <= %s ; \n", zeros.c_str());
    out.write(R"(      `ifdef FAILPIN
      `else 
      if (foundzero_p == 1'b0) 
         errval      <= errvalin ; 
      else 
)");
    out.print("         errval      <= %s ; \n", zeros.c_str());
    out.write(R"(      `endif 
   end
   end
end


)");
}

void write_input_mux(TextSink& out, int t, int m) {
    out.write("always @ (");
    for (int i = 1; i < t; ++i) {
        out.write(concat("omreg", i, " or "));
    }
    out.write(R"( omega or mxsel or omega0)
begin : MUXPRT
   if (mxsel == 1'b1)
   begin : MXPRT1
)");
    for (const int i : even_then_odd(t - 1)) {
        out.write(concat("      rin", i, " = omega[", i * m + m - 1, ":", i * m, "]   ;\n"));
    }
    out.print("      omega0mux = omega[%d:0]   ;\n", m - 1);
    out.write(R"(   end
   else
   begin : MXPRT2
)");
    for (const int i : even_then_odd(t - 1)) {
        out.write(concat("      rin", i, " = omreg", i, "[", m - 1, ":0] ;\n"));
    }
    out.write(R"(      omega0mux = omega0    ;
   end
end


endmodule
)");
}

// clang-format on

} // namespace

void write_error_magnitude(TextSink& out, const DecoderParams& params, const GaloisField& field) {
    const int m = field.m;
    const int t = locator_degree(params);
    write_ports(out);
    write_declarations(out, t);
    write_submodules(out);
    write_sums(out, t);
    write_multipliers(out, field, error_magnitude_exponents(params), t);
    write_omega0_register(out);
    write_failpin_register(out);
    write_coefficient_registers(out, t, m);
    write_input_mux(out, t, m);
}

} // namespace ipgen::rs
