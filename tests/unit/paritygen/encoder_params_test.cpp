#include "generators/paritygen/encoder_params.hpp"

#include "generators/common/fatal_error.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace ipgen::rsenc {
namespace {

std::vector<std::string> args(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

SwitchScan scan(const std::string& line) {
    return scan_switches(args(line), encoder_switch_letters);
}

const std::string rs255 = "-n 255 -k 239 -w 8 -f 285 -g 0 -h 1 -p 1 -t 0 -c 0";

TEST(EncoderSwitches, DefaultsForStyleAndRegisteredInput) {
    const EncoderParams p = derive_encoder_params(scan(rs255));
    EXPECT_EQ(p.mult_style, 1);
    EXPECT_EQ(p.registered_input, 0);
    EXPECT_EQ(p.nlong, 255);
    EXPECT_EQ(p.num_chk(), 16);
    const EncoderParams q = derive_encoder_params(scan(rs255 + " -a 0 -r 1"));
    EXPECT_EQ(q.mult_style, 0);
    EXPECT_EQ(q.registered_input, 1);
}

TEST(EncoderSwitches, RootsStayUnreduced) {
    const EncoderParams p = derive_encoder_params(scan("-g 300 -h 511 " + rs255.substr(0, 25)));
    EXPECT_EQ(p.first_root, 300);
    EXPECT_EQ(p.rootspace, 511);
}

TEST(EncoderSwitches, SecondCharacterAndLaterValueCount) {
    const SwitchScan s = scan("-nfoo 200 -x 5 " + rs255 + " -p 3 -pipe 2");
    EXPECT_EQ(s.unknown, std::vector<std::string>{"-x"});
    const EncoderParams p = derive_encoder_params(s);
    EXPECT_EQ(p.n_total, 255);
    EXPECT_EQ(p.pipe_mode, 2);
}

std::string refusal(const std::string& line) {
    try {
        validate_encoder_switches(scan(line));
    } catch (const FatalError& error) {
        EXPECT_EQ(error.status(), 2);
        return error.message();
    }
    return "";
}

TEST(EncoderSwitches, AcceptsTheWholeDefinedRange) {
    EXPECT_EQ(refusal(rs255), "");
    EXPECT_EQ(refusal("-n 3 -k 1 -w 2 -f 7 -g 0 -h 2 -p 0 -t 1 -c 0"), "");
    EXPECT_EQ(refusal("-n 4095 -k 4094 -w 12 -f 4179 -g 2147483647 -h 2147483647 -p 9 -t 5 "
                      "-c -1 -a 7 -r -3"),
              "");
    // 2^5-1 = 31 is prime: every non-multiple of 31 generates GF(32).
    EXPECT_EQ(refusal("-n 31 -k 21 -w 5 -f 37 -g 0 -h 30 -p 0 -t 0 -c 0"), "");
}

} // namespace
} // namespace ipgen::rsenc
