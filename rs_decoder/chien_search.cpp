#include "rs_decoder/chien_search.hpp"

#include "common/binary_literal.hpp"
#include "rs_common/xor_equation.hpp"
#include "rs_decoder/evaluator_text.hpp"
#include "rs_decoder/locator_degree.hpp"

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

void write_chien_search(TextSink& out, const DecoderParams& params, const GaloisField& field) {
    const int m = field.m;
    const int t = locator_degree(params);
    const ChienExponents exponents = chien_exponents(params);
    const std::string zeros = zero_literal(m);

    out.write("`timescale 1ns/1ns\n"
              "\n"
              "\n"
              "\n"
              "\n");
    out.write("module chiensearch(\n"
              "             rst_n,\n"
              "             `ifdef SYNC_RST_ENABLED \n"
              "             sr,                     // system asynch reset\n"
              "             `endif                  \n"
              "             mxsel,\n"
              "             clk_en,\n"
              "             clk,\n"
              "             sigma,\n"
              "             sumoddreg,\n"
              "             foundzero\n"
              "                );\n");
    out.write("// input ports\n"
              "input  rst_n;\n"
              "`ifdef SYNC_RST_ENABLED                 \n"
              "input  sr;                              \n"
              "`endif                                  \n"
              "input  mxsel;\n"
              "input  clk_en;\n"
              "input  clk;\n"
              "input  [`SIGMA_WIDTH-1:0] sigma ;\n"
              "\n"
              "\n");
    out.write("// output ports\n"
              "output  foundzero;\n"
              "output  [`INPUT_DATA_WIDTH-1:0] sumoddreg;\n"
              "\n"
              "\n"
              "\n"
              "\n");
    out.write("reg  foundzero;\n"
              "reg  [`INPUT_DATA_WIDTH-1:0] sigma0    ;\n"
              "reg  [`INPUT_DATA_WIDTH-1:0] sumoddreg ;\n");
    for (int i = 1; i <= t; ++i) {
        out.print("reg [`INPUT_DATA_WIDTH-1:0] rin%d   ;\n", i);
    }
    for (int i = 1; i <= t; ++i) {
        out.print("wire [`INPUT_DATA_WIDTH-1:0] rout%d ;\n", i);
    }
    for (int i = 1; i <= t; ++i) {
        out.print("wire [`INPUT_DATA_WIDTH-1:0] chmult%d ;\n", i);
    }
    out.write("wire [`INPUT_DATA_WIDTH-1:0] sumodd    ;\n"
              "wire [`INPUT_DATA_WIDTH-1:0] sumeven   ;\n"
              "wire [`INPUT_DATA_WIDTH-1:0] sumtotl   ;\n");
    for (int i = 1; i <= t; ++i) {
        out.print("reg [`INPUT_DATA_WIDTH-1:0] chreg%d ;\n", i);
    }
    out.write("\n"
              "\n");

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

    // rout_i = rin_i * alpha^(e_i); for a shortened code chmult_i =
    // chreg_i * alpha^(s_i), otherwise the register itself.
    for (int i = 1; i <= t; ++i) {
        write_constant_multiplier(out, field, exponents.update[static_cast<size_t>(i - 1)],
                                  {numbered("rout", i)}, {numbered("rin", i)});
    }
    for (int i = 1; i <= t; ++i) {
        if (exponents.premultiplier.empty()) {
            out.print("assign chmult%d = chreg%d ;\n", i, i);
        } else {
            write_constant_multiplier(out, field,
                                      exponents.premultiplier[static_cast<size_t>(i - 1)],
                                      {numbered("chmult", i)}, {numbered("chreg", i)});
        }
    }
    out.write("\n"
              "\n");

    out.write("always @ (negedge rst_n or posedge clk)\n"
              "begin : SIGMA0\n"
              "   if (rst_n == 1'b0)\n"
              "      sigma0 <= 0;\n"
              "   else if (clk_en)    \n"
              "   begin    \n"
              "   `ifdef SYNC_RST_ENABLED    \n"
              "      if (sr)    \n"
              "         sigma0 <= 0;\n"
              "      else    \n"
              "   `endif    \n"
              "      if (mxsel==1'b1)\n");
    out.print("      sigma0 <= sigma[%d:0];\n", m - 1);
    out.write("   end  \n"
              "end\n"
              "\n");

    out.write("always @ (negedge rst_n or posedge clk)\n"
              "begin : CLKEDPRT\n"
              "   if (rst_n == 1'b0)\n"
              "   begin : INIT\n");
    for (int i = 1; i <= t; ++i) {
        out.print("      chreg%d <= %s ;\n", i, zeros.c_str());
    }
    out.print("      sumoddreg <= %s ;\n", zeros.c_str());
    out.write("      foundzero <= 1'b1 ;\n"
              "   end\n"
              "   else if (clk_en)\n"
              "   begin : CLKED\n"
              "   `ifdef SYNC_RST_ENABLED    \n"
              "      if (sr)    \n"
              "      begin \n");
    for (int i = 1; i <= t; ++i) {
        out.print("         chreg%d <= %s ;\n", i, zeros.c_str());
    }
    out.print("         sumoddreg <= %s ;\n", zeros.c_str());
    out.write("         foundzero <= 1'b1 ;\n"
              "      end\n"
              "      else    \n"
              "   `endif    \n");
    // The else of the synchronous reset must govern every register update,
    // not only the first one: they form one block.
    out.write("      begin\n");
    for (int i = 1; i <= t; ++i) {
        out.print("         chreg%d <= rout%d ;\n", i, i);
    }
    out.write("         sumoddreg <= sumodd ; \n"
              "         foundzero <= ");
    // foundzero is 0 exactly when every bit of the sum is 0.
    for (int b = 0; b < m; ++b) {
        out.print(b == m - 1 ? "sumtotl[%d]; \n" : "sumtotl[%d] || ", b);
    }
    out.write("      end\n");
    out.write("   end\n"
              "end\n"
              "\n"
              "\n");

    out.write("always @ (");
    for (int i = 1; i <= t; ++i) {
        out.print("chreg%d or ", i);
    }
    out.write(" sigma or mxsel)\n"
              "begin : MUXSTRT\n"
              "   if (mxsel == 1'b1)\n"
              "   begin : MXPRT1\n");
    for (const int i : even_then_odd(t)) {
        out.print("      rin%d = sigma[%d:%d]   ;\n", i, i * m + m - 1, i * m);
    }
    out.write("   end\n"
              "   else\n"
              "   begin : MXPRT2\n");
    for (const int i : even_then_odd(t)) {
        out.print("      rin%d = chreg%d[%d:0] ;\n", i, i, m - 1);
    }
    out.write("   end\n"
              "end\n"
              "\n"
              "\n"
              "endmodule\n");
}

} // namespace ipgen::rs
