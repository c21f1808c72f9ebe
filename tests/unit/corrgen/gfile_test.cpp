// gfile: the generator polynomial, coefficient and logarithm per line.
#include "generators/corrgen/gfile.hpp"
#include "generators/rs_common/generator_polynomial.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ipgen::rs {
namespace {

// The file lines "i coefficient log \n" of a generator polynomial.
std::string gfile_text(int m, int poly, int first_root, int rootspace, int r) {
    const GaloisField field = build_field(m, poly);
    StringSink sink;
    write_gfile(sink, field, generator_polynomial(field, first_root, rootspace, r));
    return sink.text();
}

TEST(GeneratorPolynomial, TwoRootsInGf256) {
    // (x + 1)(x + alpha) = x^2 + 3x + 2
    EXPECT_EQ(gfile_text(8, 285, 0, 1, 2), "0 2 1 \n1 3 25 \n2 1 0 \n");
}

TEST(GeneratorPolynomial, SixteenRootsInGf256) {
    const GaloisField field = build_field(8, 285);
    const std::vector<int> gen = generator_polynomial(field, 0, 1, 16);
    EXPECT_EQ(gen, (std::vector<int>{59, 36, 50, 98, 229, 41, 65, 163, 8, 30, 209, 68, 189, 104, 13,
                                     59, 1}));
    std::vector<int> logs;
    for (const int coefficient : gen) {
        logs.push_back(field.gf_log[static_cast<size_t>(coefficient)]);
    }
    EXPECT_EQ(logs, (std::vector<int>{120, 225, 194, 182, 169, 147, 191, 91, 3, 76, 161, 102, 109,
                                      107, 104, 120, 0}));
}

TEST(GeneratorPolynomial, FirstRootOneInGf16) {
    EXPECT_EQ(gfile_text(4, 19, 1, 1, 4), "0 7 10 \n1 8 3 \n2 12 6 \n3 13 13 \n4 1 0 \n");
}

TEST(GeneratorPolynomial, RootspaceZeroGivesPowersOfXPlusOne) {
    // (x + 1)^2 = x^2 + 1; the zero coefficient is written with logarithm 0.
    EXPECT_EQ(gfile_text(8, 285, 0, 0, 2), "0 1 0 \n1 0 0 \n2 1 0 \n");
}

} // namespace
} // namespace ipgen::rs
