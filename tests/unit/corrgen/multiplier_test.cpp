// multiplier.v: the syndrome unit's bank of constant multipliers.
#include "generators/corrgen/multiplier.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ipgen::rs {
namespace {

std::string multiplier_text(int m, int poly, std::int64_t first_root, std::int64_t rootspace,
                            int r) {
    StringSink sink;
    write_multiplier(sink, build_field(m, poly), first_root, rootspace, r);
    return sink.text();
}

// The module without its frame: the slices only.
std::string slices_text(int m, int poly, std::int64_t first_root, std::int64_t rootspace, int r) {
    const std::string text = multiplier_text(m, poly, first_root, rootspace, r);
    const std::string frame_end = "output  [`CHKSYMBS_WIDTH-1:0] mult_out;\n\n\n";
    const size_t start = text.find(frame_end) + frame_end.size();
    const std::string module_end = "\n\nendmodule\n";
    return text.substr(start, text.size() - start - module_end.size());
}

TEST(RootExponents, ConsecutivePowersOfBeta) {
    EXPECT_EQ(root_exponents(0, 1, 255, 4), (std::vector<std::int64_t>{0, 1, 2, 3}));
    EXPECT_EQ(root_exponents(253, 1, 255, 4), (std::vector<std::int64_t>{253, 254, 0, 1}));
    EXPECT_EQ(root_exponents(1, 2, 7, 4), (std::vector<std::int64_t>{2, 4, 6, 1}));
    EXPECT_EQ(root_exponents(5, 0, 255, 3), (std::vector<std::int64_t>{0, 0, 0}));
}

TEST(RootExponents, TruncatingRemainderKeepsTheSign) {
    EXPECT_EQ(root_exponents(-9, 1, 7, 4), (std::vector<std::int64_t>{-2, -1, 0, -6}));
    EXPECT_EQ(root_exponents(1, -3, 7, 3), (std::vector<std::int64_t>{-3, -6, -2}));
}

TEST(RootExponents, AnyNumberOfRootsAndNoOverflow) {
    const std::vector<std::int64_t> exponents = root_exponents(4094, 4094, 4095, 4094);
    ASSERT_EQ(exponents.size(), 4094U);
    // (4094 + 4093) * 4094 exceeds nothing in 64 bits: 33517578 mod 4095.
    EXPECT_EQ(exponents.back(), (std::int64_t{4094 + 4093} * 4094) % 4095);
}

TEST(Multiplier, WorkedExampleInGf8) {
    EXPECT_EQ(multiplier_text(3, 11, 0, 1, 2), "`timescale 1ns/1ns\n"
                                               "\n"
                                               "\n"
                                               "\n"
                                               "\n"
                                               "module multiplier(\n"
                                               "             mult_out,\n"
                                               "             mult_in\n"
                                               "                );\n"
                                               "// input ports\n"
                                               "input  [`CHKSYMBS_WIDTH-1:0] mult_in;\n"
                                               "\n"
                                               "\n"
                                               "// output ports\n"
                                               "output  [`CHKSYMBS_WIDTH-1:0] mult_out;\n"
                                               "\n"
                                               "\n"
                                               // slice 0: alpha^0, the identity
                                               "\n"
                                               "\n"
                                               "assign mult_out[0] = mult_in[0] ;\n"
                                               "assign mult_out[1] = mult_in[1] ;\n"
                                               "assign mult_out[2] = mult_in[2] ;\n"
                                               "\n"
                                               "\n"
                                               // slice 1: alpha^1
                                               "\n"
                                               "\n"
                                               "assign mult_out[3] = mult_in[5] ;\n"
                                               "assign mult_out[4] = mult_in[3] ^ mult_in[5] ;\n"
                                               "assign mult_out[5] = mult_in[4] ;\n"
                                               "\n"
                                               "\n"
                                               "\n"
                                               "\n"
                                               "endmodule\n");
}

TEST(Multiplier, AlphaInGf256) {
    const std::string text = slices_text(8, 285, 1, 1, 1);
    EXPECT_NE(text.find("\n\nassign mult_out[0] = mult_in[7] ;\n"
                        "assign mult_out[1] = mult_in[0] ;\n"
                        "assign mult_out[2] = mult_in[1] ^ mult_in[7] ;\n"),
              std::string::npos)
        << text;
}

TEST(Multiplier, SlicesTakeTheirOwnBits) {
    // Slice 1 of an m = 8 bank multiplies by alpha: bits 8 .. 15.
    const std::string text = slices_text(8, 285, 0, 1, 2);
    EXPECT_NE(text.find("assign mult_out[8] = mult_in[15] ;\n"
                        "assign mult_out[9] = mult_in[8] ;\n"
                        "assign mult_out[10] = mult_in[9] ^ mult_in[15] ;\n"),
              std::string::npos)
        << text;
}

std::string identity_slice(int m, int s) {
    std::string text = "\n\n";
    for (int j = 0; j < m; ++j) {
        const std::string bit = std::to_string(s * m + j);
        text += "assign mult_out[" + bit + "] = mult_in[" + bit + "] ;\n";
    }
    return text + "\n\n";
}

TEST(Multiplier, FirstRootZeroStartsWithTheIdentity) {
    const std::string text = slices_text(4, 19, 0, 1, 3);
    EXPECT_EQ(text.substr(0, identity_slice(4, 0).size()), identity_slice(4, 0));
}

TEST(Multiplier, RootspaceZeroMakesEverySliceTheIdentity) {
    EXPECT_EQ(slices_text(4, 19, 3, 0, 3),
              identity_slice(4, 0) + identity_slice(4, 1) + identity_slice(4, 2));
}

TEST(Multiplier, NegativeExponentGivesZeroOutputsWithoutLeadingBlankLines) {
    // first_root -1: slice 0 has exponent -1, slice 1 exponent 0.
    EXPECT_EQ(slices_text(3, 11, -1, 1, 2), "assign mult_out[0] = 0 ;\n"
                                            "assign mult_out[1] = 0 ;\n"
                                            "assign mult_out[2] = 0 ;\n"
                                            "\n"
                                            "\n" +
                                                identity_slice(3, 1));
}

TEST(Multiplier, MoreRootsThanTheOldTableHeld) {
    const std::string text = slices_text(12, 4179, 0, 1, 600);
    EXPECT_NE(text.find("assign mult_out[7199] = "), std::string::npos);
    EXPECT_EQ(text.find("assign mult_out[7200]"), std::string::npos);
}

} // namespace
} // namespace ipgen::rs
