// The software model the hardware is compared with, checked first against
// the worked generator polynomials and against libfec: clean codewords have
// zero syndromes, and the model locates and values exactly the errata that
// libfec corrects.
#include "fec_codec.hpp"
#include "generated.hpp"
#include "rs_model.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace ipgen::hdl {
namespace {

TEST(HdlModel, GeneratorPolynomialsOfTheWorkedExamples) {
    const RsCode rs255{Gf(8, 285), 255, 239, 0, 1};
    EXPECT_EQ(generator_poly(rs255),
              (Poly{59, 36, 50, 98, 229, 41, 65, 163, 8, 30, 209, 68, 189, 104, 13, 59, 1}));
    const RsCode rs15{Gf(4, 19), 15, 11, 1, 1};
    EXPECT_EQ(generator_poly(rs15), (Poly{7, 8, 12, 13, 1}));
    EXPECT_EQ(Gf(8, 285).alpha_pow(8), 29);
}

class HdlModelVsLibfec : public ::testing::TestWithParam<DecoderConfig> {};

TEST_P(HdlModelVsLibfec, DecodesWhatLibfecDecodes) {
    if (!fec_available()) {
        GTEST_SKIP() << "built without libfec";
    }
    const DecoderConfig& config = GetParam();
    const RsCode code = config.code();
    const FecCodec fec(config.m, config.field_poly, config.first_root, config.rootspace, config.r(),
                       config.nlong() - config.n);
    ASSERT_TRUE(fec.valid());
    std::mt19937 rng(12345);
    for (int trial = 0; trial < 40; ++trial) {
        const std::vector<int> codeword = fec.encode(random_data(code, rng));
        for (int s : syndromes(code, codeword)) {
            ASSERT_EQ(s, 0) << "trial " << trial;
        }
        const int rho = config.erasures == 0 ? 0 : trial % (config.erasures + 1);
        const int nu = (config.r() - rho) / 2 - (trial % 3 == 0 ? 1 : 0);
        const Received received = corrupt(code, codeword, std::max(nu, 0), rho, rng);
        const Errata errata =
            decode_errata(code, syndromes(code, received.word), received.erasures);
        const FecCodec::Decoded reference = fec.decode(received.word, received.erasures);
        ASSERT_GE(reference.count, 0) << "trial " << trial;
        ASSERT_EQ(reference.word, codeword) << "trial " << trial;
        ASSERT_TRUE(errata.ok) << "trial " << trial;
        // libfec lists the symbols it changed; the locator's roots also
        // include erasures of symbols that were right.
        std::vector<int> changed;
        for (int p : errata.positions) {
            const int value = error_value(code, errata, p);
            EXPECT_EQ(value, received.word[p] ^ codeword[p])
                << "trial " << trial << " position " << p;
            if (value != 0) {
                changed.push_back(p);
            }
        }
        EXPECT_EQ(changed, reference.positions) << "trial " << trial;
        EXPECT_TRUE(std::includes(errata.positions.begin(), errata.positions.end(),
                                  received.erasures.begin(), received.erasures.end()))
            << "trial " << trial;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, HdlModelVsLibfec, ::testing::ValuesIn(decoder_matrix()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace ipgen::hdl
