#include "generators/paritygen/rsenc_params.hpp"

#include <gtest/gtest.h>

namespace ipgen::rsenc {
namespace {

EncoderParams code(int n, int k, int m) {
    EncoderParams p;
    p.n_total = n;
    p.k_data = k;
    p.symbol_width = m;
    p.field_poly = 285;
    p.rootspace = 1;
    p.pipe_mode = 0;
    p.noncontinuous = 1;
    return p;
}

std::string text(const EncoderParams& p) {
    StringSink out;
    write_rsenc_params(out, p);
    return out.text();
}

const std::string counters_255_239 = "`define NUM_TOTAL_SYMBOLS                  8'b11111111\n"
                                     "`define NUM_DATA_SYMBOLS                   8'b11101111\n"
                                     "`define INPUT_DATA_WIDTH                   8\n"
                                     "`define REMAINDER_WIDTH                    128\n"
                                     "`define MAX_COUNT_DATA_SYMBOL              8'b11101110\n"
                                     "`define MAX_COUNT_TOTAL_SYMBOL             8'b11111110\n"
                                     "`define MAX_COUNT_DATA_SYMBOL_MINUS_TWO    8'b11101100\n"
                                     "`define MAX_COUNT_TOTAL_SYMBOL_MINUS_TWO   8'b11111100\n";

TEST(EncParams, Rs255_239Continuous) {
    EncoderParams p = code(255, 239, 8);
    p.noncontinuous = 0;
    p.pipe_mode = 1;
    p.ccsds_flag = 1;
    EXPECT_EQ(text(p), "\n\n"
                       "`define CONTINUOUS                          \n"
                       "`define PIPE1                            \n"
                       "`define CCSDS                               \n" +
                           counters_255_239);
}

TEST(EncParams, NoOptionalDefines) {
    EncoderParams p = code(255, 239, 8);
    p.ccsds_flag = 2; // only 1 selects CCSDS
    p.noncontinuous = -1;
    EXPECT_EQ(text(p), "\n\n" + counters_255_239);
}

TEST(EncParams, PipelineDefines) {
    const std::string pipe1 = "`define PIPE1                            \n";
    const std::string pipe2 = "`define PIPE2                            \n";
    const std::string reg = "`define REGISTERED_INPUT                  \n";
    const struct {
        int pipe;
        int registered;
        std::string defines;
    } cases[] = {
        {0, 0, ""},          {0, 1, ""},          {1, 0, pipe1}, {1, 1, pipe1},
        {2, 0, pipe2},       {2, 1, reg + pipe1}, {2, 3, pipe2}, {3, 0, reg + pipe2},
        {3, 1, reg + pipe2}, {4, 0, ""},          {4, 1, ""},    {-2, 1, ""},
    };
    for (const auto& c : cases) {
        EncoderParams p = code(255, 239, 8);
        p.pipe_mode = c.pipe;
        p.registered_input = c.registered;
        EXPECT_EQ(text(p), "\n\n" + c.defines + counters_255_239)
            << "-p " << c.pipe << " -r " << c.registered;
    }
}

TEST(EncParams, OneDataSymbolGivesNegativeCounterBits) {
    EXPECT_EQ(text(code(255, 1, 8)), "\n\n"
                                     "`define DSYMB_EQ_ONE                        \n"
                                     "`define NUM_TOTAL_SYMBOLS                  8'b11111111\n"
                                     "`define NUM_DATA_SYMBOLS                   8'b00000001\n"
                                     "`define INPUT_DATA_WIDTH                   8\n"
                                     "`define REMAINDER_WIDTH                    2032\n"
                                     "`define MAX_COUNT_DATA_SYMBOL              8'b00000000\n"
                                     "`define MAX_COUNT_TOTAL_SYMBOL             8'b11111110\n"
                                     "`define MAX_COUNT_DATA_SYMBOL_MINUS_TWO    8'b11111110\n"
                                     "`define MAX_COUNT_TOTAL_SYMBOL_MINUS_TWO   8'b11111100\n");
}

TEST(EncParams, TwoDataSymbolsAndShortCodeword) {
    EXPECT_EQ(text(code(3, 2, 2)), "\n\n"
                                   "`define DSYMB_EQ_TWO                        \n"
                                   "`define NUM_TOTAL_SYMBOLS                  2'b11\n"
                                   "`define NUM_DATA_SYMBOLS                   2'b10\n"
                                   "`define INPUT_DATA_WIDTH                   2\n"
                                   "`define REMAINDER_WIDTH                    2\n"
                                   "`define MAX_COUNT_DATA_SYMBOL              2'b01\n"
                                   "`define MAX_COUNT_TOTAL_SYMBOL             2'b10\n"
                                   "`define MAX_COUNT_DATA_SYMBOL_MINUS_TWO    2'b11\n"
                                   "`define MAX_COUNT_TOTAL_SYMBOL_MINUS_TWO   2'b00\n");
    EXPECT_EQ(text(code(255, 3, 8)).find("DSYMB"), std::string::npos);
}

TEST(EncParams, TwelveBitSymbols) {
    const std::string t = text(code(4095, 4079, 12));
    EXPECT_NE(t.find("`define NUM_TOTAL_SYMBOLS                  12'b111111111111\n"),
              std::string::npos);
    EXPECT_NE(t.find("`define REMAINDER_WIDTH                    192\n"), std::string::npos);
    EXPECT_NE(t.find("`define MAX_COUNT_TOTAL_SYMBOL_MINUS_TWO   12'b111111111100\n"),
              std::string::npos);
}

} // namespace
} // namespace ipgen::rsenc
