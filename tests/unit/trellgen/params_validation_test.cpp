#include "generators/common/fatal_error.hpp"
#include "generators/trellgen/params_validation.hpp"
#include "viterbi_examples.hpp"

#include <functional>
#include <gtest/gtest.h>

namespace ipgen::viterbi {
namespace {

// The message of the refusal, or "" when the record is accepted.
std::string refusal(const ViterbiUserParams& params,
                    std::optional<OutOfRangeItem> out_of_range = std::nullopt) {
    try {
        validate_user_params(UserParamsReading{params, std::move(out_of_range)});
        return "";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.status(), 2);
        return error.message();
    }
}

std::string refusal(ViterbiUserParams params, const std::function<void(ViterbiUserParams&)>& edit) {
    edit(params);
    return refusal(params);
}

const std::string prefix = "trellgen: viterbi_params.v: ";

TEST(ParamsValidation, BothExamplesAreAccepted) {
    EXPECT_EQ(refusal(test::parallel_example()), "");
    EXPECT_EQ(refusal(test::hybrid_example()), "");
}

TEST(ParamsValidation, ConstraintLengthAndPolynomials) {
    const ViterbiUserParams p = test::parallel_example();
    EXPECT_EQ(refusal(p, [](auto& q) { q.cons_length = 10; }),
              prefix + "constraint length 10: accepted: 3 to 9\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.cons_length = 0; }),
              prefix + "constraint length 0: accepted: 3 to 9\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.code_rate = 4; }),
              prefix + "number of polynomials 4: accepted: 1 to 3 (code rate 1/n)\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.code_rate = 0; }),
              prefix + "number of polynomials 0: accepted: 1 to 3 (code rate 1/n)\n");
    const std::string octal =
        ": accepted: octal digits (0 to 7) of a polynomial below 2^7 (K bits)\n";
    EXPECT_EQ(refusal(p, [](auto& q) { q.gp[1] = 189; }), prefix + "polynomial GP1 189" + octal);
    EXPECT_EQ(refusal(p, [](auto& q) { q.gp[0] = 200; }), prefix + "polynomial GP0 200" + octal);
    EXPECT_EQ(refusal(p, [](auto& q) { q.gp[0] = -5; }), prefix + "polynomial GP0 -5" + octal);
    EXPECT_EQ(refusal(p, [](auto& q) { q.gp[0] = 177; }), "");
    // Only the polynomials the rate uses are looked at.
    EXPECT_EQ(refusal(p, [](auto& q) { q.gp[2] = 999; }), "");
}

TEST(ParamsValidation, FlagsAreZeroOrOne) {
    const ViterbiUserParams p = test::hybrid_example();
    EXPECT_EQ(refusal(p, [](auto& q) { q.soft_decision = 2; }),
              prefix + "soft-decision flag 2: accepted: 0 or 1\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.sdd_unsigned = -1; }),
              prefix + "unsigned flag -1: accepted: 0 or 1\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.punctured = 3; }),
              prefix + "punctured flag 3: accepted: 0 or 1\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.hybrid = 7; }),
              prefix + "hybrid flag 7: accepted: 0 or 1\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.ber_present = 10; }),
              prefix + "BER flag 10: accepted: 0 or 1\n");
}

TEST(ParamsValidation, OptionValues) {
    const ViterbiUserParams p = test::hybrid_example();
    EXPECT_EQ(refusal(p, [](auto& q) { q.soft_width = 0; }),
              prefix + "soft width 0: accepted: 1 to 16 bits per soft symbol\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.soft_width = 17; }),
              prefix + "soft width 17: accepted: 1 to 16 bits per soft symbol\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.hybrid_index = 7; }),
              prefix + "hybrid index 7: accepted: 0 to 6 (K-1)\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.hybrid_index = -1; }),
              prefix + "hybrid index -1: accepted: 0 to 6 (K-1)\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.hybrid_index = 6; }), "");
    EXPECT_EQ(refusal(p, [](auto& q) { q.ber_period = 0; }),
              prefix + "BER period exponent 0: accepted: 1 to 32 (BER_RATE is 2^BP - 1)\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.ber_period = 33; }),
              prefix + "BER period exponent 33: accepted: 1 to 32 (BER_RATE is 2^BP - 1)\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.ber_period = 32; }), "");
    // Values of absent options are not looked at.
    ViterbiUserParams hard = test::parallel_example();
    hard.soft_decision = 0;
    hard.soft_width = 0;
    EXPECT_EQ(refusal(hard), "");
}

TEST(ParamsValidation, PunctureBlockAndPatterns) {
    const ViterbiUserParams p = test::hybrid_example();
    EXPECT_EQ(refusal(p, [](auto& q) { q.pb_size = 0; }),
              prefix + "puncture block size 0: accepted: 1 to 14\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.pb_size = 15; }),
              prefix + "puncture block size 15: accepted: 1 to 14\n");
    const std::string four = ": accepted: exactly 4 characters 0 or 1 (one per symbol of the "
                             "puncture block)\n";
    EXPECT_EQ(refusal(p, [](auto& q) { q.pp0 = "110"; }),
              prefix + "first puncture pattern \"110\"" + four);
    EXPECT_EQ(refusal(p, [](auto& q) { q.pp1 = "10111"; }),
              prefix + "second puncture pattern \"10111\"" + four);
    EXPECT_EQ(refusal(p, [](auto& q) { q.pp1 = "1021"; }),
              prefix + "second puncture pattern \"1021\"" + four);
    EXPECT_EQ(refusal(p, [](auto& q) { q.pp0 = ""; }),
              prefix + "first puncture pattern \"\"" + four);
    EXPECT_EQ(refusal(p,
                      [](auto& q) {
                          q.pb_size = 14;
                          q.pp0 = "11111111111111";
                          q.pp1 = "00000000000000";
                      }),
              "");
}

TEST(ParamsValidation, TracebackLength) {
    ViterbiUserParams p = test::parallel_example(); // device class 0
    EXPECT_EQ(refusal(p, [](auto& q) { q.tb_length = 0; }),
              prefix + "traceback length 0: accepted: 1 to 256 for device class 0 (the address "
                       "prefixes are 8 - L(TB) bits)\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.tb_length = 257; }),
              prefix + "traceback length 257: accepted: 1 to 256 for device class 0 (the "
                       "address prefixes are 8 - L(TB) bits)\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.tb_length = 256; }), "");
    EXPECT_EQ(refusal(p, [](auto& q) { q.tb_length = 1; }), "");
    p.device = 1;
    EXPECT_EQ(refusal(p, [](auto& q) { q.tb_length = 0; }),
              prefix + "traceback length 0: accepted: 1 or more\n");
    EXPECT_EQ(refusal(p, [](auto& q) { q.tb_length = 100000; }), "");
}

TEST(ParamsValidation, DerivedValuesMustFit32Bits) {
    ViterbiUserParams p = test::hybrid_example();
    p.tb_length = 600000000;
    EXPECT_EQ(refusal(p), prefix + "traceback length 600000000: accepted: a length that keeps "
                                   "DL_LEN (here 3000000001) within the 32-bit integer range\n");
    p.ber_present = 0;
    EXPECT_EQ(refusal(p), "");
}

TEST(ParamsValidation, NumbersBeyondIntComeFirst) {
    ViterbiUserParams p = test::parallel_example();
    p.cons_length = 0;
    EXPECT_EQ(refusal(p, OutOfRangeItem{"traceback length", "99999999999"}),
              prefix + "traceback length 99999999999: accepted: a number within the 32-bit "
                       "integer range\n");
}

// check() gives every refused value as data, in file order, and nothing
// that depends on a refused one; the run refuses the first with its words.
TEST(ParamsValidation, CheckListsEveryProblemInFileOrder) {
    ViterbiUserParams p = test::parallel_example();
    EXPECT_TRUE(check(p).empty());
    p.soft_decision = 1;
    p.soft_width = 17;
    p.tb_length = 0;
    p.gp[1] = 181;
    std::vector<std::pair<Item, std::string>> got;
    for (const Problem& problem : check(p)) {
        got.emplace_back(problem.item, problem.value);
    }
    const std::vector<std::pair<Item, std::string>> want{
        {Item::polynomial, "181"}, {Item::soft_width, "17"}, {Item::tb_length, "0"}};
    EXPECT_EQ(got, want);
    EXPECT_EQ(check(p).front().item_name(), "polynomial GP1");
    EXPECT_EQ(refusal(p), prefix + check(p).front().text() + "\n");

    // K refused: the polynomials are not judged against it.
    p = test::parallel_example();
    p.cons_length = 12;
    p.gp[0] = 7777;
    ASSERT_EQ(check(p).size(), 1U);
    EXPECT_EQ(check(p).front().item, Item::cons_length);
}

} // namespace
} // namespace ipgen::viterbi
