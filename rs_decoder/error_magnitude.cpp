#include "rs_decoder/error_magnitude.hpp"

#include "common/binary_literal.hpp"
#include "rs_common/xor_equation.hpp"
#include "rs_decoder/evaluator_text.hpp"
#include "rs_decoder/locator_degree.hpp"

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

void write_error_magnitude(TextSink& out, const DecoderParams& params, const GaloisField& field) {
    const int m = field.m;
    const int t = locator_degree(params);
    const ErrorMagnitudeExponents exponents = error_magnitude_exponents(params);
    const std::string zeros = zero_literal(m);
    const char* zero = zeros.c_str();

    out.write("`timescale 1ns/1ns\n"
              "\n"
              "\n"
              "\n"
              "\n");
    out.write("module errmag(\n"
              "             rst_n,\n"
              "             `ifdef SYNC_RST_ENABLED\n"
              "             sr,\n"
              "             `endif\n"
              "             mxsel,\n"
              "             clk_en,\n"
              "             clk,\n"
              "             omega,\n"
              "             sumoddreg,\n"
              "             `ifdef FAILPIN\n"
              "             buf_out2,\n"
              "             `endif \n"
              "             foundzero,\n"
              "             `ifdef FAILPIN\n"
              "             errvalinreg,\n"
              "             `endif \n"
              "             errval\n"
              "                );\n");
    out.write("// input ports\n"
              "input  rst_n;\n"
              "`ifdef  SYNC_RST_ENABLED  \n"
              "input  sr;\n"
              "`endif \n"
              "input  mxsel;\n"
              "input  clk_en;\n"
              "input  clk;\n"
              "input  [`OMEGA_WIDTH-1:0] omega    ;\n"
              "input  [`INPUT_DATA_WIDTH-1:0] sumoddreg;\n"
              "`ifdef FAILPIN\n"
              "input  [`INPUT_DATA_WIDTH-1:0] buf_out2;\n"
              "`endif \n"
              "input  foundzero;\n"
              "\n"
              "\n");
    out.write("// output ports\n"
              "`ifdef FAILPIN\n"
              "output [`INPUT_DATA_WIDTH-1:0] errvalinreg;\n"
              "`endif \n"
              "output [`INPUT_DATA_WIDTH-1:0] errval;\n"
              "\n"
              "\n"
              "\n"
              "\n");
    out.write("`ifdef FAILPIN\n"
              "reg  [`INPUT_DATA_WIDTH-1:0] errvalinreg ;\n"
              "`endif \n"
              "reg  [`INPUT_DATA_WIDTH-1:0] errval      ;\n"
              "reg  [`INPUT_DATA_WIDTH-1:0] errval1reg  ;\n"
              "reg  [`INPUT_DATA_WIDTH-1:0] omegasum    ;\n"
              "reg  [`INPUT_DATA_WIDTH-1:0] sigmainvreg ;\n"
              "reg  [`INPUT_DATA_WIDTH-1:0] rootval     ;\n"
              "reg  [`INPUT_DATA_WIDTH-1:0] rootval_p   ;\n"
              "reg  [`INPUT_DATA_WIDTH-1:0] omega0mux   ;\n"
              "reg  [`INPUT_DATA_WIDTH-1:0] omega0      ;\n");
    for (int i = 1; i < t; ++i) {
        out.print("reg [`INPUT_DATA_WIDTH-1:0] rin%d    ;\n", i);
    }
    for (int i = 1; i < t; ++i) {
        out.print("wire [`INPUT_DATA_WIDTH-1:0] rout%d  ;\n", i);
    }
    for (int i = 1; i < t; ++i) {
        out.print("wire [`INPUT_DATA_WIDTH-1:0] ommult%d  ;\n", i);
    }
    out.write("wire [`INPUT_DATA_WIDTH-1:0] sumoddreg   ;\n"
              "wire [`INPUT_DATA_WIDTH-1:0] omega0int   ;\n"
              "`ifdef FAILPIN\n"
              "wire [`INPUT_DATA_WIDTH-1:0] buf_out2;\n"
              "`endif \n"
              "wire [`INPUT_DATA_WIDTH-1:0] sumodd     ;\n"
              "wire [`INPUT_DATA_WIDTH-1:0] sumeven    ;\n"
              "wire [`INPUT_DATA_WIDTH-1:0] sumtotl    ;\n"
              "wire [`INPUT_DATA_WIDTH-1:0] sigmainv   ;\n"
              "wire [`INPUT_DATA_WIDTH-1:0] errval1    ;\n"
              "wire [`INPUT_DATA_WIDTH-1:0] errvalin   ;\n"
              "wire [`INPUT_DATA_WIDTH-1:0] rootvalin  ;\n");
    for (int i = 1; i < t; ++i) {
        out.print("reg [`INPUT_DATA_WIDTH-1:0] omreg%d ;\n", i);
    }
    out.write("reg  foundzero_p      ;\n"
              "\n"
              "\n");
    out.write("gfinvrom u1_gfinvrom(.address(sumoddreg),.romout(sigmainv)) ;\n");
    out.write("mastrovito u1_mastrovito(.mult_out(errvalin),.mult_in1(errval1reg),"
              ".mult_in2(sigmainvreg)) ;\n");

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

    // rout_i = rin_i * alpha^(o_i); for a shortened code ommult_i =
    // omreg_i * alpha^(p_i), otherwise the register itself.
    for (int i = 1; i < t; ++i) {
        write_constant_multiplier(out, field, exponents.update[static_cast<size_t>(i - 1)],
                                  {numbered("rout", i)}, {numbered("rin", i)});
    }
    for (int i = 1; i < t; ++i) {
        if (exponents.premultiplier.empty()) {
            out.print("assign ommult%d = omreg%d ;\n", i, i);
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
    out.write("\n"
              "\n");

    out.write("always @ (negedge rst_n or posedge clk)\n"
              "begin : OMEGA0\n"
              "   if (rst_n == 1'b0)\n"
              "      omega0 <= 0;\n"
              "   else if (clk_en)    \n"
              "   begin    \n"
              "   `ifdef SYNC_RST_ENABLED    \n"
              "      if (sr)    \n"
              "         omega0 <= 0;\n"
              "      else    \n"
              "   `endif    \n"
              "         omega0 <= omega0int;\n"
              "   end  \n"
              "end\n"
              "\n"
              "\n");
    out.write("`ifdef FAILPIN\n"
              "always @ (negedge rst_n or posedge clk)\n"
              "begin : ERRVALINREG\n"
              "   if (rst_n == 1'b0)\n"
              "      errvalinreg <= 0;\n"
              "   else if (clk_en)\n"
              "   begin    \n"
              "   `ifdef SYNC_RST_ENABLED \n"
              "      if ( sr ==1'b1)\n"
              "         errvalinreg <= buf_out2;\n"
              "      else \n"
              "   `endif\n"
              "         errvalinreg <= errvalin ^ buf_out2 ;\n"
              "   end  \n"
              "end\n"
              "`endif \n");

    out.write("always @ (negedge rst_n or posedge clk)\n"
              "begin : CLKEDPRT\n"
              "   if (rst_n == 1'b0)\n"
              "   begin : INIT\n");
    for (int i = 1; i < t; ++i) {
        out.print("      omreg%d <= %s ;\n", i, zero);
    }
    out.print("      omegasum <= %s ;\n", zero);
    out.print("      sigmainvreg <= %s ;\n", zero);
    out.print("      errval      <= %s ;\n", zero);
    out.print("      errval1reg  <= %s ;\n", zero);
    out.print("      rootval     <= %s ;\n", zero);
    out.print("      rootval_p   <= %s ;\n", zero);
    out.write("      foundzero_p <= 1'b1 ;\n"
              "   end\n"
              "   else if(clk_en)\n"
              "   begin : CLKED\n"
              "   `ifdef SYNC_RST_ENABLED \n"
              "   if ( sr ==1'b1)\n"
              "   begin \n");
    for (int i = 1; i < t; ++i) {
        out.print("      omreg%d <= %s ;\n", i, zero);
    }
    out.print("      omegasum <= %s ;\n", zero);
    out.print("      sigmainvreg <= %s ;\n", zero);
    out.write("   `ifdef FAILPIN\n"
              "      errval      <= errvalinreg ; \n"
              "   `else \n");
    out.print("      errval      <= %s ;\n", zero);
    out.write("   `endif \n");
    out.print("      errval1reg  <= %s ;\n", zero);
    out.print("      rootval     <= %s ;\n", zero);
    out.print("      rootval_p   <= %s ;\n", zero);
    out.write("   end\n"
              "   else\n"
              "   `endif\n"
              "   begin \n");
    for (int i = 1; i < t; ++i) {
        out.print("      omreg%d  <= rout%d    ;\n", i, i);
    }
    out.write("      sigmainvreg <= sigmainv  ; \n"
              "   `ifdef FAILPIN\n"
              "      errval      <= errvalinreg ; \n"
              "   `endif \n"
              "      rootval     <= rootval_p ; \n"
              "      rootval_p   <= rootvalin ; \n"
              "      omegasum    <= sumtotl   ; \n"
              "      foundzero_p <= foundzero ; \n");
    // Only positions where the Chien search found a root carry an error
    // value; the zero literals of these two lines keep a blank before
    // their line end.
    out.write("      if (foundzero == 1'b0) \n"
              "         errval1reg  <= errval1  ; \n"
              "      else \n");
    out.print("         errval1reg  <= %s ; \n", zero);
    out.write("      `ifdef FAILPIN\n"
              "      `else \n"
              "      if (foundzero_p == 1'b0) \n"
              "         errval      <= errvalin ; \n"
              "      else \n");
    out.print("         errval      <= %s ; \n", zero);
    out.write("      `endif \n"
              "   end\n"
              "   end\n"
              "end\n"
              "\n"
              "\n");

    out.write("always @ (");
    for (int i = 1; i < t; ++i) {
        out.print("omreg%d or ", i);
    }
    out.write(" omega or mxsel or omega0)\n"
              "begin : MUXPRT\n"
              "   if (mxsel == 1'b1)\n"
              "   begin : MXPRT1\n");
    for (const int i : even_then_odd(t - 1)) {
        out.print("      rin%d = omega[%d:%d]   ;\n", i, i * m + m - 1, i * m);
    }
    out.print("      omega0mux = omega[%d:0]   ;\n", m - 1);
    out.write("   end\n"
              "   else\n"
              "   begin : MXPRT2\n");
    for (const int i : even_then_odd(t - 1)) {
        out.print("      rin%d = omreg%d[%d:0] ;\n", i, i, m - 1);
    }
    out.write("      omega0mux = omega0    ;\n"
              "   end\n"
              "end\n"
              "\n"
              "\n"
              "endmodule\n");
}

} // namespace ipgen::rs
