// corrgen_params.v and the parameters it is written from.
#include "generators/corrgen/corrgen_params.hpp"
#include "generators/corrgen/decoder_params.hpp"
#include "generators/rs_common/galois_field.hpp"

#include <gtest/gtest.h>

#include <string>

namespace ipgen::rs {
namespace {

DecoderParams decoder(int m, int n, int k, int e, int option_bits = 0) {
    DecoderParams p;
    p.symbol_width = m;
    p.n_total = n;
    p.k_data = k;
    p.max_erasures = e;
    p.option_bits = option_bits;
    p.field_poly = 285;
    p.rootspace = 1;
    p.nlong = int_power(2, m) - 1;
    return p;
}

std::string params_text(const DecoderParams& p) {
    StringSink sink;
    write_corrgen_params(sink, p);
    return sink.text();
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(CorrgenParams, Rs255_239WithoutErasures) {
    EXPECT_EQ(params_text(decoder(8, 255, 239, 0)),
              "\n"
              "`define SYNC_START_PULSE\n"
              "`define SYNDSELWIDTH 4\n"
              "`define CNTIMAX 4'b1111\n\n\n"
              "\n\n`define MAX_NUM_ERSRS 0\n"
              "`define CNTIWIDTH 4\n"
              "`define CNTJWIDTH 5\n"
              "`define NUM_CHKSYMBS 16\n"
              "`define NUMCHKSYMBSMINUS1 15\n"
              "`define NUMCHKSYMBSMINUS2 14\n"
              "`define NUMCHKSYMBSBY2 8\n"
              "`define NUMCHKSYMBSBY2MINUS1 7\n"
              "`define TPLUSMAXROBY2 8\n"
              "`define CHKSYMBS_WIDTH 128\n"
              "`define CHKSYMBS_WIDTHBY2 64\n"
              "`define TAU_WIDTH 80\n"
              "`define SIGMA_WIDTH 72\n"
              "`define OMEGA_WIDTH 64\n"
              "`define NUM_TOTAL_SYMBOLS                  8'b11111111\n"
              "`define INPUT_DATA_WIDTH_8\n"
              "\n"
              "\n"
              "`define NUM_DATA_SYMBOLS                   8'b11101111\n"
              "`define INPUT_DATA_WIDTH                   8\n"
              "`define MAX_COUNT_DATA_SYMBOL              8'b11101110\n"
              "`define MAX_COUNT_TOTAL_SYMBOL             8'b11111110\n\n"
              "`define MAX_CNT_TOTL_SYMB_MINUS1   8'b11111101\n"
              "`define CONTINUOUS\n");
}

TEST(CorrgenParams, Rs255_239WithFourErasures) {
    const std::string text = params_text(decoder(8, 255, 239, 4));
    EXPECT_TRUE(contains(text, "`define CNTIMAX 4'b1111\n\n\n"
                               "\n\n`define ERASURE\n"
                               "`define ERASECNTWIDTH 4\n"
                               "`define MAXCOUNT 4'b1111\n"
                               "`define CMAXZERO 4'b0000\n"
                               "`define CMAXINCR 4'b0001\n"
                               "`define MAX_NUM_ERSRS 4\n"
                               "`define ERSALLZEROS 8'b00000000\n\n\n"
                               "`define CNTIWIDTH 4\n"))
        << text;
    EXPECT_TRUE(contains(text, "`define TPLUSMAXROBY2 10\n"));
    EXPECT_TRUE(contains(text, "`define TAU_WIDTH 96\n"
                               "`define SIGMA_WIDTH 88\n"
                               "`define OMEGA_WIDTH 80\n"));
    EXPECT_FALSE(contains(text, "CONTINUOUS"));
    EXPECT_FALSE(contains(text, "MAX_NUM_ERSRS 0"));
}

TEST(CorrgenParams, SyndromeSelectWidth) {
    const std::string r16 = params_text(decoder(8, 255, 239, 0));
    EXPECT_TRUE(contains(r16, "`define SYNDSELWIDTH 4\n`define CNTIMAX 4'b1111\n"));
    const std::string r17 = params_text(decoder(8, 255, 238, 0));
    EXPECT_TRUE(contains(r17, "`define SYNDSELWIDTH 5\n`define CNTIMAX 5'b10000\n"));
    EXPECT_TRUE(contains(r17, "`define CNTIWIDTH 5\n`define CNTJWIDTH 6\n"));
    // One check symbol: a zero-width select and a literal without digits.
    const std::string r1 = params_text(decoder(8, 255, 254, 0));
    EXPECT_TRUE(contains(r1, "`define SYNDSELWIDTH 0\n`define CNTIMAX 0'b\n\n\n"));
}

TEST(CorrgenParams, AllOptionBitsInBitOrder) {
    EXPECT_TRUE(contains(params_text(decoder(8, 255, 239, 0, 63)), "`define SYNC_START_PULSE\n"
                                                                   "`define CLK_ENABLED\n"
                                                                   "`define SYNC_RST_ENABLED\n"
                                                                   "`define DATA_DELAYED\n"
                                                                   "`define ERR_CNT_ENABLED\n"
                                                                   "`define ERRCNTWIDTH 4\n"
                                                                   "`define ERS_CNT_ENABLED\n"
                                                                   "`define FAILPIN\n"
                                                                   "`define SYNDSELWIDTH 4\n"));
}

TEST(CorrgenParams, ContinuousOnlyWhenTheCodewordOutlastsTheSolver) {
    // (16 + 1)(16 + 2) / 2 = 153 steps; the codeword must be longer.
    EXPECT_FALSE(contains(params_text(decoder(8, 153, 137, 0)), "CONTINUOUS"));
    EXPECT_TRUE(contains(params_text(decoder(8, 154, 138, 0)), "`define CONTINUOUS\n"));
    EXPECT_FALSE(contains(params_text(decoder(8, 255, 239, -1)), "CONTINUOUS"));
    EXPECT_FALSE(contains(params_text(decoder(8, 255, 239, -1)), "ERASURE"));
}

TEST(CorrgenParams, ShortenedCode) {
    const std::string text = params_text(decoder(8, 204, 188, 0));
    EXPECT_EQ(text.rfind("`define SHORT_CODE\n`define NLONG_MINUS_NSOHRT 51 \n`define SYNC_", 0),
              0U)
        << text;
}

TEST(CorrgenParams, SymbolWidthDefinesAroundTheEmptyLine) {
    EXPECT_TRUE(contains(params_text(decoder(8, 255, 239, 0)),
                         "8'b11111111\n`define INPUT_DATA_WIDTH_8\n\n\n`define NUM_DATA"));
    EXPECT_TRUE(contains(params_text(decoder(12, 4095, 4079, 0)),
                         "12'b111111111111\n\n`define INPUT_DATA_WIDTH_12\n\n`define NUM_DATA"));
}

TEST(DecoderParams, RootsReducedModuloTheGroupOrder) {
    const std::vector<std::string> base = {"-w", "8", "-n", "255", "-k", "239", "-f", "285",
                                           "-h", "1", "-y", "0",   "-o", "0",   "-c", "0"};
    auto first_root = [&base](const std::string& g) {
        std::vector<std::string> args = base;
        args.insert(args.end(), {"-g", g});
        return derive_decoder_params(scan_switches(args, decoder_switch_letters)).first_root;
    };
    EXPECT_EQ(first_root("255"), 0);
    EXPECT_EQ(first_root("256"), 1);
    EXPECT_EQ(first_root("-256"), -1); // truncating remainder keeps the sign
}

} // namespace
} // namespace ipgen::rs
