#include "generators/corrgen/chien_search.hpp"
#include "generators/corrgen/locator_degree.hpp"
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

std::string chien_text(const Code& code) {
    StringSink out;
    write_chien_search(out, params_of(code), field_of(code));
    return out.take();
}

TEST(LocatorDegree, HalvesErrorsPlusErasuresAsAWhole) {
    // r = 3, e = 1: one error and one erasure need two coefficients.
    EXPECT_EQ(locator_degree(params_of({.m = 3, .poly = 11, .n = 7, .k = 4, .e = 1})), 2);
    // r even: the same as halving apart.
    EXPECT_EQ(locator_degree(params_of({.n = 255, .k = 239, .e = 3})), 9);
    EXPECT_EQ(locator_degree(params_of({.n = 255, .k = 238, .e = 3})), 10);
    EXPECT_EQ(locator_degree(params_of({.n = 255, .k = 239, .e = 0})), 8);
}

TEST(ChienSearch, FourBitUpdateNetworkForExponentOne) {
    // x^4 + x + 1, rootspace 1, T = 1: rout1 = rin1 * alpha.
    const std::string text = chien_text({.m = 4, .poly = 19, .n = 15, .k = 13});
    EXPECT_TRUE(contains(text, "assign sumtotl = sumeven ^ sumodd ;\n"
                               "\n\n"
                               "assign rout1[0] = rin1[3] ;\n"
                               "assign rout1[1] = rin1[0] ^ rin1[3] ;\n"
                               "assign rout1[2] = rin1[1] ;\n"
                               "assign rout1[3] = rin1[2] ;\n"
                               "\n\n"
                               "assign chmult1 = chreg1 ;\n"));
}

TEST(ChienSearch, SumsForSmallLocatorDegrees) {
    // T = 1, 2, 3 through r = 2, 4, 6.
    EXPECT_EQ(sums(chien_text({.n = 255, .k = 253})),
              "assign sumeven =  sigma0 ;\nassign sumodd = chmult1 ;\nassign sumtotl");
    EXPECT_EQ(sums(chien_text({.n = 255, .k = 251})),
              "assign sumeven =  sigma0  ^ chmult2 ;\nassign sumodd = chmult1 ;\nassign sumtotl");
    EXPECT_EQ(sums(chien_text({.n = 255, .k = 249})),
              "assign sumeven =  sigma0  ^ chmult2 ;\nassign sumodd = chmult1 ^ chmult3 ;\n"
              "assign sumtotl");
}

TEST(ChienSearch, SumsForEvenAndOddLocatorDegrees) {
    EXPECT_EQ(sums(chien_text({.n = 255, .k = 239})),
              "assign sumeven =  sigma0  ^ chmult2 ^ chmult4 ^ chmult6 ^ chmult8 ;\n"
              "assign sumodd = chmult1 ^ chmult3 ^ chmult5 ^ chmult7 ;\nassign sumtotl");
    EXPECT_EQ(sums(chien_text({.n = 255, .k = 241})),
              "assign sumeven =  sigma0  ^ chmult2 ^ chmult4 ^ chmult6 ;\n"
              "assign sumodd = chmult1 ^ chmult3 ^ chmult5 ^ chmult7 ;\nassign sumtotl");
}

TEST(ChienSearch, DeclarationsAndMultiplexerFollowTheLocatorDegree) {
    const std::string text = chien_text({.n = 255, .k = 245}); // T = 5
    EXPECT_TRUE(contains(text, "reg [`INPUT_DATA_WIDTH-1:0] rin5   ;\n"
                               "wire [`INPUT_DATA_WIDTH-1:0] rout1 ;\n"));
    EXPECT_TRUE(contains(text, "reg [`INPUT_DATA_WIDTH-1:0] chreg5 ;\n\n\nassign sumeven"));
    EXPECT_FALSE(contains(text, "rin6"));
    EXPECT_TRUE(contains(text, "always @ (chreg1 or chreg2 or chreg3 or chreg4 or chreg5 or "
                               " sigma or mxsel)\n"));
    // Even coefficients first, then odd; coefficient i is sigma[8i+7:8i].
    EXPECT_TRUE(contains(text, "   begin : MXPRT1\n"
                               "      rin2 = sigma[23:16]   ;\n"
                               "      rin4 = sigma[39:32]   ;\n"
                               "      rin1 = sigma[15:8]   ;\n"
                               "      rin3 = sigma[31:24]   ;\n"
                               "      rin5 = sigma[47:40]   ;\n"
                               "   end\n"));
    EXPECT_TRUE(contains(text, "   begin : MXPRT2\n"
                               "      rin2 = chreg2[7:0] ;\n"
                               "      rin4 = chreg4[7:0] ;\n"
                               "      rin1 = chreg1[7:0] ;\n"
                               "      rin3 = chreg3[7:0] ;\n"
                               "      rin5 = chreg5[7:0] ;\n"
                               "   end\n"));
}

TEST(ChienSearch, UnshortenedCodeCopiesTheRegisters) {
    const std::string text = chien_text({.n = 255, .k = 249, .g = 5, .h = 7});
    EXPECT_TRUE(chien_exponents(params_of({.n = 255, .k = 249, .h = 7})).premultiplier.empty());
    EXPECT_TRUE(contains(text, "\n\n\nassign chmult1 = chreg1 ;\nassign chmult2 = chreg2 ;\n"
                               "assign chmult3 = chreg3 ;\n\n\nalways @"));
    EXPECT_FALSE(contains(text, "assign chmult1[0]"));
}

TEST(ChienSearch, ShortenedCodeStartsNlongMinusNPositionsIn) {
    const Code code{.poly = 391, .n = 204, .k = 198, .g = 112, .h = 11}; // T = 3
    const ChienExponents exponents = chien_exponents(params_of(code));
    // e_i = 11 i; s_i = 51 * 11 * i mod 255 = 51 i.
    EXPECT_EQ(exponents.update, (std::vector<std::int64_t>{11, 22, 33}));
    EXPECT_EQ(exponents.premultiplier, (std::vector<std::int64_t>{51, 102, 153}));
    const std::string text = chien_text(code);
    std::string expected;
    for (int i = 1; i <= 3; ++i) {
        expected += network(code, 11 * i, "rout" + std::to_string(i), "rin" + std::to_string(i));
    }
    for (int i = 1; i <= 3; ++i) {
        expected +=
            network(code, 51 * i, "chmult" + std::to_string(i), "chreg" + std::to_string(i));
    }
    EXPECT_TRUE(
        contains(text, "assign sumtotl = sumeven ^ sumodd ;\n" + expected +
                           "\n\nalways @ (negedge rst_n or posedge clk)\nbegin : SIGMA0\n"));
}

TEST(ChienSearch, RootspaceZeroGivesIdentityUpdates) {
    const std::string text = chien_text({.m = 4, .poly = 19, .n = 15, .k = 11, .h = 0});
    EXPECT_TRUE(contains(text, "\n\nassign rout2[0] = rin2[0] ;\nassign rout2[1] = rin2[1] ;\n"
                               "assign rout2[2] = rin2[2] ;\nassign rout2[3] = rin2[3] ;\n\n\n"));
}

TEST(ChienSearch, NegativeExponentsGiveConstantZeroNetworks) {
    // A negative root spacing (refused by corrgen's checks) reaches the
    // writer as a negative exponent: m zero lines, no blank lines before.
    const std::string text = chien_text({.m = 4, .poly = 19, .n = 12, .k = 10, .h = -1});
    EXPECT_TRUE(contains(text, "assign sumtotl = sumeven ^ sumodd ;\n"
                               "assign rout1[0] = 0 ;\nassign rout1[1] = 0 ;\n"
                               "assign rout1[2] = 0 ;\nassign rout1[3] = 0 ;\n\n\n"
                               "assign chmult1[0] = 0 ;\nassign chmult1[1] = 0 ;\n"
                               "assign chmult1[2] = 0 ;\nassign chmult1[3] = 0 ;\n\n\n\n\n"
                               "always @"));
}

TEST(ChienSearch, ResetLiteralsForEightBitSymbols) {
    const std::string text = chien_text({.n = 255, .k = 249});
    EXPECT_TRUE(contains(text, "   begin : INIT\n"
                               "      chreg1 <= 8'b00000000 ;\n"
                               "      chreg2 <= 8'b00000000 ;\n"
                               "      chreg3 <= 8'b00000000 ;\n"
                               "      sumoddreg <= 8'b00000000 ;\n"
                               "      foundzero <= 1'b1 ;\n"));
    EXPECT_TRUE(contains(text, "      begin \n"
                               "         chreg1 <= 8'b00000000 ;\n"
                               "         chreg2 <= 8'b00000000 ;\n"
                               "         chreg3 <= 8'b00000000 ;\n"
                               "         sumoddreg <= 8'b00000000 ;\n"
                               "         foundzero <= 1'b1 ;\n"));
    EXPECT_TRUE(contains(text, "      sigma0 <= sigma[7:0];\n"));
}

TEST(ChienSearch, SynchronousResetGovernsEveryRegisterUpdate) {
    // The updates after the reset branch form one block, so that sr holds
    // every register and not only the first one.
    const std::string text = chien_text({.n = 255, .k = 251});
    EXPECT_EQ(between(text, "         foundzero <= 1'b1 ;\n      end\n", "endmodule\n"),
              "         foundzero <= 1'b1 ;\n"
              "      end\n"
              "      else    \n"
              "   `endif    \n"
              "      begin\n"
              "         chreg1 <= rout1 ;\n"
              "         chreg2 <= rout2 ;\n"
              "         sumoddreg <= sumodd ; \n"
              "         foundzero <= sumtotl[0] || sumtotl[1] || sumtotl[2] || sumtotl[3] || "
              "sumtotl[4] || sumtotl[5] || sumtotl[6] || sumtotl[7]; \n"
              "      end\n"
              "   end\n"
              "end\n"
              "\n"
              "\n"
              "always @ (chreg1 or chreg2 or  sigma or mxsel)\n"
              "begin : MUXSTRT\n"
              "   if (mxsel == 1'b1)\n"
              "   begin : MXPRT1\n"
              "      rin2 = sigma[23:16]   ;\n"
              "      rin1 = sigma[15:8]   ;\n"
              "   end\n"
              "   else\n"
              "   begin : MXPRT2\n"
              "      rin2 = chreg2[7:0] ;\n"
              "      rin1 = chreg1[7:0] ;\n"
              "   end\n"
              "end\n"
              "\n"
              "\n"
              "endmodule\n");
}

TEST(ChienSearch, OddChecksAndOddErasuresKeepTheTopCoefficient) {
    // GF(8), n = 7, k = 4, e = 1: T = 2, so sigma's coefficient 2 is searched.
    const std::string text = chien_text({.m = 3, .poly = 11, .n = 7, .k = 4, .e = 1});
    EXPECT_TRUE(contains(text, "      rin2 = sigma[8:6]   ;\n"));
    EXPECT_TRUE(contains(text, "assign sumeven =  sigma0  ^ chmult2 ;\n"));
    // r = 16, e = 3: T = 9 as before.
    const std::string wide = chien_text({.n = 255, .k = 239, .e = 3});
    EXPECT_TRUE(contains(wide, "      rin9 = sigma[79:72]   ;\n"));
    EXPECT_FALSE(contains(wide, "rin10"));
}

TEST(ChienSearch, OneBitSymbols) {
    const std::string text = chien_text({.m = 1, .poly = 3, .n = 3, .k = 1});
    EXPECT_TRUE(contains(text, "         foundzero <= sumtotl[0]; \n      end\n"));
    EXPECT_TRUE(contains(text, "      chreg1 <= 1'b0 ;\n      sumoddreg <= 1'b0 ;\n"));
    EXPECT_TRUE(contains(text, "      rin1 = sigma[1:1]   ;\n"));
}

TEST(ChienSearch, ExponentsOfTwelveBitFieldsAreExact) {
    // m = 12, rootspace 4000, 4000 positions shortened: s_1 = 4000 * 4000 mod 4095.
    const ChienExponents exponents =
        chien_exponents(params_of({.m = 12, .poly = 4179, .n = 95, .k = 85, .h = 4000})); // T = 5
    ASSERT_EQ(exponents.premultiplier.size(), 5U);
    EXPECT_EQ(exponents.update[4], 20000 % 4095);
    EXPECT_EQ(exponents.premultiplier[0], 16000000 % 4095);
    EXPECT_EQ(exponents.premultiplier[4], (5LL * 16000000) % 4095);
}

} // namespace
} // namespace ipgen::rs
