#include "generators/common/fatal_error.hpp"
#include "generators/fir_common/user_params_file.hpp"

#include <gtest/gtest.h>

namespace ipgen::fir {
namespace {

std::string message_of(const UserParamLines& lines, bool number_required) {
    try {
        check_user_param_lines(lines, number_required, "prog");
    } catch (const FatalError& error) {
        EXPECT_EQ(error.status(), 2);
        return error.message();
    }
    return "";
}

TEST(UserParamsFile, NamesComeFromTheComments) {
    EXPECT_EQ(user_param_name(1), "Tap width");
    EXPECT_EQ(user_param_name(5), "Filter type");
    EXPECT_EQ(user_param_name(11), "Number of cycles (MULTICYCLE)");
    EXPECT_EQ(user_param_label(3), "user_params.txt line 3 (Number of taps)");
}

TEST(UserParamsFile, HandEditedCommentsAndBlanksStillRead) {
    const auto lines = read_user_param_lines(
        "  10 tap bits\n12\n\t7  // seven\n20\n1\n0\n1\n1\n0\n1\n3\n1\n1\n1 // serial");
    const int expected[] = {10, 12, 7, 20, 1, 0, 1, 1, 0, 1, 3, 1, 1, 1};
    for (int i = 0; i < user_param_count; ++i) {
        ASSERT_TRUE(lines[static_cast<std::size_t>(i)].value) << i;
        EXPECT_EQ(*lines[static_cast<std::size_t>(i)].value, expected[i]) << i;
    }
    EXPECT_EQ(message_of(lines, true), "");
}

TEST(UserParamsFile, AMissingNumberIsReportedOnlyWhenRequired) {
    const auto lines = read_user_param_lines("8\n8\n6\n19\n0\n0\n0\n0\n0\n0\n");
    EXPECT_FALSE(lines[10].value);
    EXPECT_FALSE(lines[13].value);
    EXPECT_EQ(message_of(lines, false), "");
    EXPECT_EQ(message_of(lines, true),
              "prog: user_params.txt line 11 (Number of cycles (MULTICYCLE)): no number; "
              "accepted: a decimal number at the start of the line\n");
    const auto words = read_user_param_lines("8\nsix\n6\n");
    EXPECT_FALSE(words[1].value);
    EXPECT_EQ(*words[2].value, 6); // the rest of the line was skipped all the same
}

TEST(UserParamsFile, ACommentOf99CharactersReadsAndOneOf100IsRefused) {
    std::string ok = "8" + std::string(99, 'c') + "\n";
    for (int i = 2; i <= 14; ++i) {
        ok += std::to_string(i) + "\n";
    }
    const auto read = read_user_param_lines(ok);
    EXPECT_EQ(*read[1].value, 2);
    EXPECT_EQ(*read[13].value, 14);
    EXPECT_EQ(message_of(read, true), "");

    const std::string split = "8" + std::string(94, 'c') + "123456\n2\n";
    const auto shifted = read_user_param_lines(split);
    EXPECT_EQ(shifted[0].text_after_number, 100u);
    EXPECT_EQ(*shifted[1].value, 6); // what the C reads would take: the split-off digit
    EXPECT_EQ(message_of(shifted, false),
              "prog: user_params.txt line 1 (Tap width): 100 characters after the number; "
              "accepted: at most 99 (a longer line is split and shifts the later values)\n");
}

TEST(UserParamsFile, NumbersBeyondIntAreRefused) {
    const auto lines = read_user_param_lines("8\n8\n99999999999\n");
    EXPECT_EQ(message_of(lines, false),
              "prog: user_params.txt line 3 (Number of taps): 99999999999; accepted: a number "
              "within the 32-bit integer range\n");
}

} // namespace
} // namespace ipgen::fir
