#include "generators/corrgen/error_magnitude.hpp"
#include "module_test_params.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace ipgen::rs {
namespace {

using test::between;
using test::Code;
using test::contains;
using test::field_of;
using test::network;
using test::params_of;
using test::sums;

std::string errmag_text(const Code& code) {
    StringSink out;
    write_error_magnitude(out, params_of(code), field_of(code));
    return out.take();
}

// From the sums up to the first always block: the constant networks.
std::string networks(const std::string& text) {
    return between(text, "assign sumtotl = sumeven ^ sumodd ;\n", "always @");
}

TEST(ErrorMagnitude, LocatorDegreeOneHasNoCoefficientRegisters) {
    const std::string text = errmag_text({.n = 255, .k = 253}); // T = 1
    for (const char* name : {"rin", "rout", "ommult", "omreg"}) {
        EXPECT_FALSE(contains(text, std::string(name) + "1")) << name;
    }
    // The lines that end without a further term keep a blank behind them.
    EXPECT_EQ(sums(text), "assign sumeven =  omega0 ;\n assign sumodd = 0 ;\n assign sumtotl");
    EXPECT_TRUE(contains(text, "always @ ( omega or mxsel or omega0)\nbegin : MUXPRT\n"
                               "   if (mxsel == 1'b1)\n   begin : MXPRT1\n"
                               "      omega0mux = omega[7:0]   ;\n   end\n   else\n"
                               "   begin : MXPRT2\n      omega0mux = omega0    ;\n"));
}

TEST(ErrorMagnitude, SumsForSmallLocatorDegrees) {
    EXPECT_EQ(sums(errmag_text({.n = 255, .k = 251})), // T = 2
              "assign sumeven =  omega0 ;\n assign sumodd = ommult1 ;\nassign sumtotl");
    EXPECT_EQ(sums(errmag_text({.n = 255, .k = 249})), // T = 3
              "assign sumeven =  omega0 ^ ommult2 ;\nassign sumodd = ommult1 ;\nassign sumtotl");
}

TEST(ErrorMagnitude, SumsForEvenAndOddLocatorDegrees) {
    EXPECT_EQ(sums(errmag_text({.n = 255, .k = 239})), // T = 8
              "assign sumeven =  omega0 ^ ommult2 ^ ommult4 ^ ommult6 ;\n"
              "assign sumodd = ommult1 ^ ommult3 ^ ommult5 ^ ommult7 ;\nassign sumtotl");
    EXPECT_EQ(sums(errmag_text({.n = 255, .k = 237})), // T = 9
              "assign sumeven =  omega0 ^ ommult2 ^ ommult4 ^ ommult6 ^ ommult8 ;\n"
              "assign sumodd = ommult1 ^ ommult3 ^ ommult5 ^ ommult7 ;\nassign sumtotl");
}

TEST(ErrorMagnitude, RegistersAndMultiplexerFollowTheLocatorDegree) {
    const std::string text = errmag_text({.n = 255, .k = 245}); // T = 5: registers 1 .. 4
    EXPECT_TRUE(contains(text, "reg [`INPUT_DATA_WIDTH-1:0] omreg4 ;\nreg  foundzero_p      ;\n"));
    EXPECT_FALSE(contains(text, "omreg5"));
    EXPECT_TRUE(contains(text, "always @ (omreg1 or omreg2 or omreg3 or omreg4 or "
                               " omega or mxsel or omega0)\n"));
    EXPECT_TRUE(contains(text, "   begin : MXPRT1\n"
                               "      rin2 = omega[23:16]   ;\n"
                               "      rin4 = omega[39:32]   ;\n"
                               "      rin1 = omega[15:8]   ;\n"
                               "      rin3 = omega[31:24]   ;\n"
                               "      omega0mux = omega[7:0]   ;\n"));
    EXPECT_TRUE(contains(text, "   begin : MXPRT2\n"
                               "      rin2 = omreg2[7:0] ;\n"
                               "      rin4 = omreg4[7:0] ;\n"
                               "      rin1 = omreg1[7:0] ;\n"
                               "      rin3 = omreg3[7:0] ;\n"
                               "      omega0mux = omega0    ;\n"));
    EXPECT_TRUE(contains(text, "   begin \n"
                               "      omreg1  <= rout1    ;\n"
                               "      omreg2  <= rout2    ;\n"
                               "      omreg3  <= rout3    ;\n"
                               "      omreg4  <= rout4    ;\n"
                               "      sigmainvreg <= sigmainv  ; \n"));
}

TEST(ErrorMagnitude, UnshortenedCodeScalesCoefficientZeroOnly) {
    const Code code{.n = 255, .k = 249, .g = 5, .h = 7}; // T = 3
    const ErrorMagnitudeExponents exponents = error_magnitude_exponents(params_of(code));
    EXPECT_EQ(exponents.update, (std::vector<std::int64_t>{42, 49}));
    EXPECT_TRUE(exponents.premultiplier.empty());
    EXPECT_FALSE(exponents.output_scaling.has_value());
    EXPECT_EQ(exponents.coefficient0_scaling, 35);
    EXPECT_EQ(networks(errmag_text(code)),
              "assign sumtotl = sumeven ^ sumodd ;\n" + network(code, 42, "rout1", "rin1") +
                  network(code, 49, "rout2", "rin2") +
                  "assign ommult1 = omreg1 ;\nassign ommult2 = omreg2 ;\n"
                  "assign errval1 = omegasum ;\n" +
                  network(code, 35, "omega0int", "omega0mux") + "\n\nalways @");
}

TEST(ErrorMagnitude, ShortenedCodeHasPremultipliersAndOutputScaling) {
    const Code code{.poly = 391, .n = 204, .k = 198, .g = 112, .h = 11}; // T = 3
    const ErrorMagnitudeExponents exponents = error_magnitude_exponents(params_of(code));
    // o_i = (i + 112) 11 mod 255; p_i = 51 * 11 i mod 255; x = 112 * 11 * 51 mod 255;
    // y = 112 * 11 mod 255.
    EXPECT_EQ(exponents.update, (std::vector<std::int64_t>{113 * 11 % 255, 114 * 11 % 255}));
    EXPECT_EQ(exponents.premultiplier, (std::vector<std::int64_t>{51, 102}));
    EXPECT_EQ(exponents.output_scaling, 112 * 11 * 51 % 255);
    EXPECT_EQ(exponents.coefficient0_scaling, 112 * 11 % 255);
    EXPECT_EQ(networks(errmag_text(code)),
              "assign sumtotl = sumeven ^ sumodd ;\n" +
                  network(code, 113 * 11 % 255, "rout1", "rin1") +
                  network(code, 114 * 11 % 255, "rout2", "rin2") +
                  network(code, 51, "ommult1", "omreg1") + network(code, 102, "ommult2", "omreg2") +
                  network(code, 112 * 11 * 51 % 255, "errval1", "omegasum") +
                  network(code, 112 * 11 % 255, "omega0int", "omega0mux") + "\n\nalways @");
}

TEST(ErrorMagnitude, FirstRootOrRootspaceZeroGivesPlainAssigns) {
    for (const Code& code :
         {Code{.n = 204, .k = 198, .g = 0, .h = 11}, Code{.n = 204, .k = 198, .g = 112, .h = 0}}) {
        const std::string text = errmag_text(code);
        EXPECT_TRUE(contains(text, "\n\nassign errval1 = omegasum ;\n"
                                   "assign omega0int = omega0mux ;\n\n\nalways @"));
        EXPECT_FALSE(contains(text, "assign errval1[0]"));
    }
}

TEST(ErrorMagnitude, ZeroLiteralsForEightBitSymbols) {
    const std::string text = errmag_text({.n = 255, .k = 249}); // T = 3
    EXPECT_TRUE(contains(text, "   begin : INIT\n"
                               "      omreg1 <= 8'b00000000 ;\n"
                               "      omreg2 <= 8'b00000000 ;\n"
                               "      omegasum <= 8'b00000000 ;\n"
                               "      sigmainvreg <= 8'b00000000 ;\n"
                               "      errval      <= 8'b00000000 ;\n"
                               "      errval1reg  <= 8'b00000000 ;\n"
                               "      rootval     <= 8'b00000000 ;\n"
                               "      rootval_p   <= 8'b00000000 ;\n"
                               "      foundzero_p <= 1'b1 ;\n"));
    EXPECT_TRUE(contains(text, "   begin \n"
                               "      omreg1 <= 8'b00000000 ;\n"
                               "      omreg2 <= 8'b00000000 ;\n"
                               "      omegasum <= 8'b00000000 ;\n"
                               "      sigmainvreg <= 8'b00000000 ;\n"
                               "   `ifdef FAILPIN\n"
                               "      errval      <= errvalinreg ; \n"
                               "   `else \n"
                               "      errval      <= 8'b00000000 ;\n"
                               "   `endif \n"
                               "      errval1reg  <= 8'b00000000 ;\n"
                               "      rootval     <= 8'b00000000 ;\n"
                               "      rootval_p   <= 8'b00000000 ;\n"
                               "   end\n"
                               "   else\n"
                               "   `endif\n"
                               "   begin \n"));
    // The two gated outputs keep a blank before the line end.
    EXPECT_TRUE(contains(text, "         errval1reg  <= 8'b00000000 ; \n"));
    EXPECT_TRUE(contains(text, "         errval      <= 8'b00000000 ; \n      `endif \n"));
}

TEST(ErrorMagnitude, OddChecksAndOddErasuresKeepTheTopCoefficient) {
    // GF(8), n = 7, k = 4, e = 1: T = 2, one omega register after omega0.
    const std::string text = errmag_text({.m = 3, .poly = 11, .n = 7, .k = 4, .e = 1});
    EXPECT_TRUE(contains(text, "      rin1 = omega[5:3]   ;\n"));
    EXPECT_EQ(sums(text), "assign sumeven =  omega0 ;\n assign sumodd = ommult1 ;\nassign sumtotl");
    // r = 16, e = 3: T = 9, registers 1 .. 8.
    const std::string wide = errmag_text({.n = 255, .k = 239, .e = 3});
    EXPECT_TRUE(contains(wide, "      rin8 = omega[71:64]   ;\n"));
    EXPECT_FALSE(contains(wide, "omreg9"));
}

TEST(ErrorMagnitude, TwelveBitProductsAreReducedFromTheirExactValues) {
    // first_root = rootspace = 4000, nlong - n = 4000: x = 4000^3 mod 4095,
    // far beyond 31 bits. 4000 = -95 (mod 4095), (-95)^2 = 835, 835 * -95 = 2575.
    const Code code{.m = 12, .poly = 4179, .n = 95, .k = 91, .g = 4000, .h = 4000}; // T = 2
    const ErrorMagnitudeExponents exponents = error_magnitude_exponents(params_of(code));
    EXPECT_EQ(exponents.output_scaling, 2575);
    EXPECT_EQ(exponents.coefficient0_scaling, 835);
    EXPECT_EQ(exponents.update, (std::vector<std::int64_t>{4001LL * 4000 % 4095}));
    EXPECT_EQ(exponents.premultiplier, (std::vector<std::int64_t>{835}));
    EXPECT_TRUE(contains(errmag_text(code), network(code, 835, "ommult1", "omreg1") +
                                                network(code, 2575, "errval1", "omegasum") +
                                                network(code, 835, "omega0int", "omega0mux")));
    // p_i: i * (nlong - n) * rootspace = 523 * 2047 * 4000 also exceeds 31 bits;
    // 2047 * -95 = 2095 (mod 4095) and 523 * 2095 = 2320.
    const ErrorMagnitudeExponents wide = error_magnitude_exponents(
        params_of({.m = 12, .poly = 4179, .n = 2048, .k = 1000, .h = 4000})); // T = 524
    ASSERT_EQ(wide.premultiplier.size(), 523U);
    EXPECT_EQ(wide.premultiplier[522], 2320);
}

TEST(ErrorMagnitude, NegativeExponentsGiveConstantZeroNetworks) {
    // first_root -1 (refused by corrgen's checks): o_1 = 0, y and x negative.
    const Code code{.m = 4, .poly = 19, .n = 12, .k = 8, .g = -1, .h = 1}; // T = 2
    const ErrorMagnitudeExponents exponents = error_magnitude_exponents(params_of(code));
    EXPECT_EQ(exponents.update, (std::vector<std::int64_t>{0}));
    EXPECT_EQ(exponents.output_scaling, -3);
    EXPECT_EQ(exponents.coefficient0_scaling, -1);
    EXPECT_TRUE(contains(errmag_text(code),
                         "\n\nassign errval1[0] = 0 ;\nassign errval1[1] = 0 ;\n"
                         "assign errval1[2] = 0 ;\nassign errval1[3] = 0 ;\n\n\n"
                         "assign omega0int[0] = 0 ;\nassign omega0int[1] = 0 ;\n"
                         "assign omega0int[2] = 0 ;\nassign omega0int[3] = 0 ;\n\n\n\n\nalways @"));
}

TEST(ErrorMagnitude, SynchronousResetBlockStaysAsWritten) {
    // errmag's reset branch already has its own begin/end: no extra lines.
    const std::string text = errmag_text({.n = 255, .k = 253});
    EXPECT_EQ(between(text, "      rootval_p   <= 8'b00000000 ;\n   end\n", "always @ ( omega"),
              "      rootval_p   <= 8'b00000000 ;\n"
              "   end\n"
              "   else\n"
              "   `endif\n"
              "   begin \n"
              "      sigmainvreg <= sigmainv  ; \n"
              "   `ifdef FAILPIN\n"
              "      errval      <= errvalinreg ; \n"
              "   `endif \n"
              "      rootval     <= rootval_p ; \n"
              "      rootval_p   <= rootvalin ; \n"
              "      omegasum    <= sumtotl   ; \n"
              "      foundzero_p <= foundzero ; \n"
              "      if (foundzero == 1'b0) \n"
              "         errval1reg  <= errval1  ; \n"
              "      else \n"
              "         errval1reg  <= 8'b00000000 ; \n"
              "      `ifdef FAILPIN\n"
              "      `else \n"
              "      if (foundzero_p == 1'b0) \n"
              "         errval      <= errvalin ; \n"
              "      else \n"
              "         errval      <= 8'b00000000 ; \n"
              "      `endif \n"
              "   end\n"
              "   end\n"
              "end\n"
              "\n"
              "\n"
              "always @ ( omega");
}

} // namespace
} // namespace ipgen::rs
