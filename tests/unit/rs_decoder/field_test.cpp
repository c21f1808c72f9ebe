// The worked examples of the decoder's field, generator polynomial,
// parameter header and field ROMs.
#include "rs_common/galois_field.hpp"
#include "rs_common/generator_polynomial.hpp"
#include "rs_decoder/decoder_params.hpp"
#include "rs_decoder/field_roms.hpp"
#include "rs_decoder/gen_poly.hpp"
#include "rs_decoder/params_header.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace ipgen::rs {
namespace {

std::vector<int> table_slice(const std::vector<int>& table, size_t first, size_t count) {
    return {table.begin() + static_cast<std::ptrdiff_t>(first),
            table.begin() + static_cast<std::ptrdiff_t>(first + count)};
}

TEST(GaloisField, IntPower) {
    EXPECT_EQ(int_power(2, 0), 1);
    EXPECT_EQ(int_power(2, -3), 1);
    EXPECT_EQ(int_power(2, 8), 256);
    EXPECT_EQ(int_power(2, 12), 4096);
}

TEST(GaloisField, TablesOfX3PlusXPlus1) {
    const GaloisField field = build_field(3, 11);
    EXPECT_EQ(field.nlong, 7);
    EXPECT_EQ(table_slice(field.gf_exp, 0, 7), (std::vector<int>{1, 2, 4, 3, 6, 7, 5}));
    EXPECT_EQ(table_slice(field.gf_log, 1, 7), (std::vector<int>{0, 1, 3, 2, 6, 4, 5}));
    // Zero has no logarithm; its entry stays 0, like that of 1.
    EXPECT_EQ(field.gf_log[0], 0);
    EXPECT_EQ(field.gf_log[1], 0);
}

TEST(GaloisField, TablesOfX4PlusXPlus1) {
    const GaloisField field = build_field(4, 19);
    EXPECT_EQ(table_slice(field.gf_exp, 0, 15),
              (std::vector<int>{1, 2, 4, 8, 3, 6, 12, 11, 5, 10, 7, 14, 15, 13, 9}));
    EXPECT_EQ(table_slice(field.gf_log, 1, 15),
              (std::vector<int>{0, 1, 4, 2, 8, 5, 10, 3, 14, 9, 7, 6, 13, 11, 12}));
}

TEST(GaloisField, AlphaToTheEighthInGf256) {
    const GaloisField field = build_field(8, 285);
    EXPECT_EQ(field.gf_exp[8], 29);
    EXPECT_EQ(unpack_poly_bits(285, 8), (std::vector<int>{1, 0, 1, 1, 1, 0, 0, 0, 1}));
}

TEST(GaloisField, ConstantColumnsWrapModuloTheGroupOrder) {
    const GaloisField field = build_field(4, 19);
    // alpha^14, alpha^0, alpha^1, alpha^2
    EXPECT_EQ(fill_const_columns(field, 14), (std::vector<std::uint32_t>{9, 1, 2, 4}));
}

TEST(GaloisField, MultiplyingByOneIsTheIdentityMatrix) {
    const GaloisField field = build_field(8, 285);
    const MultMatrix matrix = constant_multiplier_matrix(field, 0);
    EXPECT_EQ(matrix.last_term, 7);
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(matrix.term_index[static_cast<size_t>(j)], j);
        for (int c = 0; c < 8; ++c) {
            EXPECT_EQ(matrix.bit(j, c), j == c) << "row " << j << " column " << c;
        }
    }
}

TEST(GaloisField, PrimitivePolynomials) {
    EXPECT_TRUE(is_primitive(8, 285));
    EXPECT_TRUE(is_primitive(3, 11));
    EXPECT_TRUE(is_primitive(12, 4179));
    EXPECT_FALSE(is_primitive(8, 283)); // x^8+x^4+x^3+x+1: irreducible, alpha has order 51
    EXPECT_FALSE(is_primitive(4, 31));  // x^4+x^3+x^2+x+1: alpha has order 5
}

// The file lines "i coefficient log \n" of a generator polynomial.
std::string gfile_text(int m, int poly, int first_root, int rootspace, int r) {
    const GaloisField field = build_field(m, poly);
    StringSink sink;
    write_gen_poly(sink, field, generator_polynomial(field, first_root, rootspace, r));
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
    write_params(sink, p);
    return sink.text();
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ParamsHeader, Rs255_239WithoutErasures) {
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

TEST(ParamsHeader, Rs255_239WithFourErasures) {
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

TEST(ParamsHeader, SyndromeSelectWidth) {
    const std::string r16 = params_text(decoder(8, 255, 239, 0));
    EXPECT_TRUE(contains(r16, "`define SYNDSELWIDTH 4\n`define CNTIMAX 4'b1111\n"));
    const std::string r17 = params_text(decoder(8, 255, 238, 0));
    EXPECT_TRUE(contains(r17, "`define SYNDSELWIDTH 5\n`define CNTIMAX 5'b10000\n"));
    EXPECT_TRUE(contains(r17, "`define CNTIWIDTH 5\n`define CNTJWIDTH 6\n"));
    // One check symbol: a zero-width select and a literal without digits.
    const std::string r1 = params_text(decoder(8, 255, 254, 0));
    EXPECT_TRUE(contains(r1, "`define SYNDSELWIDTH 0\n`define CNTIMAX 0'b\n\n\n"));
}

TEST(ParamsHeader, AllOptionBitsInBitOrder) {
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

TEST(ParamsHeader, ContinuousOnlyWhenTheCodewordOutlastsTheSolver) {
    // (16 + 1)(16 + 2) / 2 = 153 steps; the codeword must be longer.
    EXPECT_FALSE(contains(params_text(decoder(8, 153, 137, 0)), "CONTINUOUS"));
    EXPECT_TRUE(contains(params_text(decoder(8, 154, 138, 0)), "`define CONTINUOUS\n"));
    EXPECT_FALSE(contains(params_text(decoder(8, 255, 239, -1)), "CONTINUOUS"));
    EXPECT_FALSE(contains(params_text(decoder(8, 255, 239, -1)), "ERASURE"));
}

TEST(ParamsHeader, ShortenedCode) {
    const std::string text = params_text(decoder(8, 204, 188, 0));
    EXPECT_EQ(text.rfind("`define SHORT_CODE\n`define NLONG_MINUS_NSOHRT 51 \n`define SYNC_", 0),
              0U)
        << text;
}

TEST(ParamsHeader, SymbolWidthDefinesAroundTheEmptyLine) {
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

// The case items of a ROM as (address, value) digit pairs.
std::vector<std::pair<std::string, std::string>> rom_items(const std::string& text, int m) {
    std::vector<std::pair<std::string, std::string>> items;
    std::istringstream lines(text);
    const std::string width = std::to_string(m) + "'b";
    const std::string head = "      " + width;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(head, 0) != 0) {
            continue;
        }
        const std::string address = line.substr(head.size(), static_cast<size_t>(m));
        const std::string value =
            line.size() >= head.size() + 2 * static_cast<size_t>(m) + 2
                ? line.substr(line.size() - 2 - static_cast<size_t>(m), static_cast<size_t>(m))
                : std::string();
        EXPECT_EQ(line, head + address + " : romout = " + width + value + " ;");
        items.emplace_back(address, value);
    }
    return items;
}

using Items = std::vector<std::pair<std::string, std::string>>;

TEST(FieldRoms, InverseRomInExponentOrder) {
    StringSink sink;
    write_gfinvrom(sink, build_field(3, 11));
    EXPECT_EQ(rom_items(sink.text(), 3), (Items{{"001", "001"},
                                                {"010", "101"},
                                                {"100", "111"},
                                                {"011", "110"},
                                                {"110", "011"},
                                                {"111", "100"},
                                                {"101", "010"},
                                                {"000", "000"}}));
    EXPECT_TRUE(contains(sink.text(), "module gfinvrom(\n"));
    EXPECT_TRUE(contains(sink.text(), "      3'b000 : romout = 3'b000 ;\n"
                                      "      default : romout = 3'b000 ;\n"
                                      "    endcase \n\n\nendmodule \n"));
}

TEST(FieldRoms, PowerRomIsTheAntilogTableForRootspaceOne) {
    StringSink sink;
    write_gfromxp(sink, build_field(3, 11), 1);
    EXPECT_EQ(rom_items(sink.text(), 3), (Items{{"000", "001"},
                                                {"001", "010"},
                                                {"010", "100"},
                                                {"011", "011"},
                                                {"100", "110"},
                                                {"101", "111"},
                                                {"110", "101"},
                                                {"111", "001"}}));
    EXPECT_TRUE(contains(sink.text(), "module gfromxp(\n"));
}

TEST(FieldRoms, PowerRomOfRootspaceZeroIsAllOnes) {
    StringSink sink;
    write_gfromxp(sink, build_field(8, 285), 0);
    const Items items = rom_items(sink.text(), 8);
    ASSERT_EQ(items.size(), 256U);
    for (const auto& [address, value] : items) {
        EXPECT_EQ(value, "00000001") << address;
    }
}

} // namespace
} // namespace ipgen::rs
