#include "generators/paritygen/gfile.hpp"

#include "generators/common/text_sink.hpp"
#include "generators/rs_common/generator_polynomial.hpp"

#include <gtest/gtest.h>

#include <climits>

namespace ipgen::rsenc {
namespace {

using rs::build_field;
using rs::generator_polynomial;

std::string gfile_text(int m, int poly, std::int64_t first_root, std::int64_t rootspace, int r) {
    const auto field = build_field(m, poly);
    StringSink out;
    write_gfile(out,
                rs::gen_poly_logs(field, generator_polynomial(field, first_root, rootspace, r)));
    return out.text();
}

TEST(EncoderGfile, SixteenRootsOverGf256) {
    EXPECT_EQ(gfile_text(8, 285, 0, 1, 16), "0 120\n1 225\n2 194\n3 182\n4 169\n5 147\n6 191\n"
                                            "7 91\n8 3\n9 76\n10 161\n11 102\n12 109\n13 107\n"
                                            "14 104\n15 120\n16 0\n");
}

TEST(EncoderGfile, FourRootsOverGf16FromAlpha) {
    // Coefficients 7, 8, 12, 13, 1.
    EXPECT_EQ(gfile_text(4, 19, 1, 1, 4), "0 10\n1 3\n2 6\n3 13\n4 0\n");
}

TEST(EncoderGfile, ZeroCoefficientIsMinusOne) {
    // Root spacing 0: every root is 1 and gen(x) = (x + 1)^2 = x^2 + 1.
    EXPECT_EQ(gfile_text(8, 285, 0, 0, 2), "0 0\n1 -1\n2 0\n");
    EXPECT_EQ(rs::gen_poly_logs(build_field(8, 285), {1, 0, 2, 3}),
              (std::vector<int>{0, -1, 1, 25}));
}

TEST(EncoderGfile, OneCheckSymbol) {
    // gen(x) = x + alpha^3.
    EXPECT_EQ(gfile_text(8, 285, 3, 1, 1), "0 3\n1 0\n");
}

TEST(EncoderGfile, RootsEnterUnreducedAndAreFormedExactly) {
    // The exponents (g + s) * h exceed 32 bits; formed exactly they reduce
    // to the same roots as the residues modulo 255.
    const std::int64_t big = INT_MAX;
    EXPECT_EQ(gfile_text(8, 285, big, big, 16), gfile_text(8, 285, big % 255, big % 255, 16));
    EXPECT_EQ(gfile_text(8, 285, 255, 1, 16), gfile_text(8, 285, 0, 1, 16));
    EXPECT_EQ(gfile_text(8, 285, 256, 2, 4), gfile_text(8, 285, 1, 2, 4));
}

} // namespace
} // namespace ipgen::rsenc
