// corrgen's typed check: the first refused value as data, in the order the
// program reports them, for callers that word it themselves.
#include "generators/corrgen/decoder_params.hpp"

#include <gtest/gtest.h>

namespace ipgen::rs {
namespace {

using V = CodeValue;

struct Case {
    DecoderValues values;           // m, n, k, poly, g, h, e
    std::vector<CodeValue> refused; // empty: accepted
    std::string accepted;
};

DecoderValues code(int m, int n, int k, int poly, int g, int h, int e) {
    DecoderValues v;
    v.symbol_width = m;
    v.n_total = n;
    v.k_data = k;
    v.field_poly = poly;
    v.first_root = g;
    v.rootspace = h;
    v.max_erasures = e;
    return v;
}

TEST(DecoderChecks, FirstRefusedValueWithWhatIsAccepted) {
    const std::vector<Case> cases = {
        {code(8, 255, 239, 285, 0, 1, 0), {}, ""},
        {code(2, 3, 1, 7, 0, 1, 0), {}, ""},
        {code(12, 4095, 1, 4179, 2147483647, 2147483647, 4094), {}, ""},
        // The width first, though n, k and the polynomial are wrong too.
        {code(13, 9000, 0, 1, -1, 0, -1), {V::symbol_width}, "2 to 12 bits per symbol"},
        {code(8, 255, 239, 284, 0, 1, 0), {V::field_poly}, ""},
        {code(8, 255, 255, 285, 0, 1, 0), {V::k}, "1 to 254 (2^m-2) data symbols"},
        {code(8, 256, 239, 285, 0, 1, 0), {V::n}, "240 (k+1) to 255 (2^m-1) symbols"},
        {code(8, 30, 19, 285, 0, 1, 12), {V::erasures}, "0 to 11 (n-k) erasures"},
        {code(8, 30, 28, 285, 0, 1, 1), {V::erasures}, "0"},
        {code(8, 20, 19, 285, 0, 1, 0), {V::n, V::k}, "n-k of 2 or more"},
        {code(8, 255, 239, 285, -1, 1, 0), {V::first_root}, "0 or more"},
        {code(8, 255, 239, 285, 0, 255, 0), {V::root_spacing}, "1 or more, coprime to 255 (2^m-1)"},
        {code(5, 31, 21, 37, 0, 30, 0), {}, ""},
    };
    for (const Case& c : cases) {
        const CodeProblems problems = check_decoder(c.values);
        ASSERT_EQ(problems.size(), c.refused.empty() ? 0U : 1U) << c.values.n_total;
        if (!problems.empty()) {
            EXPECT_EQ(problems[0].values, c.refused) << c.values.n_total;
            if (!c.accepted.empty()) {
                EXPECT_EQ(problems[0].accepted, c.accepted);
            }
        }
    }
}

} // namespace
} // namespace ipgen::rs
