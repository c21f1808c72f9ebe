#include "generators/corrgen/chien_search.hpp"

#include "generators/common/binary_literal.hpp"
#include "generators/common/concat.hpp"
#include "generators/corrgen/evaluator_text.hpp"
#include "generators/corrgen/locator_degree.hpp"
#include "generators/rs_common/xor_equation.hpp"

#include <string>

namespace ipgen::rs {

ChienExponents chien_exponents(const DecoderParams& params) {
    const int t = locator_degree(params);
    const std::int64_t nlong = params.nlong;
    const std::int64_t rootspace = params.rootspace;
    ChienExponents exponents;
    for (int i = 1; i <= t; ++i) {
        exponents.update.push_back((i * rootspace) % nlong);
    }
    if (params.n_total != params.nlong) {
        const std::int64_t first = ((nlong - params.n_total) * rootspace) % nlong;
        std::int64_t s = first;
        for (int i = 1; i <= t; ++i) {
            exponents.premultiplier.push_back(s);
            s = (s + first) % nlong;
        }
    }
    return exponents;
}

namespace {

// The module text as it is written, line for line; the blanks at the ends
// of lines are part of the format.
// clang-format off

void write_ports(TextSink& out) {
    out.write(R"(`timescale 1ns/1ns




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




)");
}

void write_declarations(TextSink& out, int t) {
    out.write(R"(reg  foundzero;
reg  [`INPUT_DATA_WIDTH-1:0] sigma0    ;
reg  [`INPUT_DATA_WIDTH-1:0] sumoddreg ;
)");
    for (int i = 1; i <= t; ++i) {
        out.write(concat("reg [`INPUT_DATA_WIDTH-1:0] rin", i, "   ;\n"));
    }
    for (int i = 1; i <= t; ++i) {
        out.write(concat("wire [`INPUT_DATA_WIDTH-1:0] rout", i, " ;\n"));
    }
    for (int i = 1; i <= t; ++i) {
        out.write(concat("wire [`INPUT_DATA_WIDTH-1:0] chmult", i, " ;\n"));
    }
    out.write(R"(wire [`INPUT_DATA_WIDTH-1:0] sumodd    ;
wire [`INPUT_DATA_WIDTH-1:0] sumeven   ;
wire [`INPUT_DATA_WIDTH-1:0] sumtotl   ;
)");
    for (int i = 1; i <= t; ++i) {
        out.write(concat("reg [`INPUT_DATA_WIDTH-1:0] chreg", i, " ;\n"));
    }
    out.write("\n\n");
}

void write_sums(TextSink& out, int t) {
    // sigma(x) = sigma0 + the even-indexed terms + the odd-indexed terms.
    out.write("assign sumeven =  sigma0 ");
    if (t == 1) {
        out.write(";\n");
    } else {
        out.write(" ^ ");
        write_term_list(out, "chmult", 2, t);
    }
    out.write("assign sumodd = ");
    write_term_list(out, "chmult", 1, t);
    out.write("assign sumtotl = sumeven ^ sumodd ;\n");
}

void write_multipliers(TextSink& out, const GaloisField& field, const ChienExponents& exponents,
                       int t) {
    // rout_i = rin_i * alpha^(e_i); for a shortened code chmult_i =
    // chreg_i * alpha^(s_i), otherwise the register itself.
    for (int i = 1; i <= t; ++i) {
        write_constant_multiplier(out, field, exponents.update[static_cast<size_t>(i - 1)],
                                  {numbered("rout", i)}, {numbered("rin", i)});
    }
    for (int i = 1; i <= t; ++i) {
        if (exponents.premultiplier.empty()) {
            out.write(concat("assign chmult", i, " = chreg", i, " ;\n"));
        } else {
            write_constant_multiplier(out, field,
                                      exponents.premultiplier[static_cast<size_t>(i - 1)],
                                      {numbered("chmult", i)}, {numbered("chreg", i)});
        }
    }
    out.write("\n\n");
}

void write_sigma0_register(TextSink& out, int m) {
    out.write(R"(always @ (negedge rst_n or posedge clk)
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
)");
    out.print("      sigma0 <= sigma[%d:0];\n", m - 1);
    out.write(R"(   end  
end

)");
}

void write_coefficient_registers(TextSink& out, int t, int m) {
    // Every coefficient register and sumoddreg clear to zero, foundzero to 1.
    std::vector<std::string> cleared = numbered_range("chreg", 1, t);
    cleared.emplace_back("sumoddreg");
    const std::string zeros = zero_literal(m);
    out.write(R"(always @ (negedge rst_n or posedge clk)
begin : CLKEDPRT
   if (rst_n == 1'b0)
   begin : INIT
)");
    write_clears(out, "      ", cleared, zeros);
    out.write(R"(      foundzero <= 1'b1 ;
   end
   else if (clk_en)
   begin : CLKED
   `ifdef SYNC_RST_ENABLED    
      if (sr)    
      begin 
)");
    write_clears(out, "         ", cleared, zeros);
    out.write(R"(         foundzero <= 1'b1 ;
      end
      else    
   `endif    
)");
    // The else of the synchronous reset must govern every register update,
    // not only the first one: they form one block.
    out.write("      begin\n");
    for (int i = 1; i <= t; ++i) {
        out.write(concat("         chreg", i, " <= rout", i, " ;\n"));
    }
    out.write(R"(         sumoddreg <= sumodd ; 
         foundzero <= )");
    // foundzero is 0 exactly when every bit of the sum is 0.
    for (int b = 0; b < m; ++b) {
        out.print(b == m - 1 ? "sumtotl[%d]; \n" : "sumtotl[%d] || ", b);
    }
    out.write(R"(      end
   end
end


)");
}

void write_input_mux(TextSink& out, int t, int m) {
    out.write("always @ (");
    for (int i = 1; i <= t; ++i) {
        out.write(concat("chreg", i, " or "));
    }
    out.write(R"( sigma or mxsel)
begin : MUXSTRT
   if (mxsel == 1'b1)
   begin : MXPRT1
)");
    for (const int i : even_then_odd(t)) {
        out.write(concat("      rin", i, " = sigma[", i * m + m - 1, ":", i * m, "]   ;\n"));
    }
    out.write(R"(   end
   else
   begin : MXPRT2
)");
    for (const int i : even_then_odd(t)) {
        out.write(concat("      rin", i, " = chreg", i, "[", m - 1, ":0] ;\n"));
    }
    out.write(R"(   end
end


endmodule
)");
}

// clang-format on

} // namespace

void write_chien_search(TextSink& out, const DecoderParams& params, const GaloisField& field) {
    const int m = field.m;
    const int t = locator_degree(params);
    write_ports(out);
    write_declarations(out, t);
    write_sums(out, t);
    write_multipliers(out, field, chien_exponents(params), t);
    write_sigma0_register(out, m);
    write_coefficient_registers(out, t, m);
    write_input_mux(out, t, m);
}

} // namespace ipgen::rs
