#include "generators/fir_common/coefficient_files.hpp"
#include "generators/fir_common/next_log2.hpp"
#include "generators/firgen/derived_values.hpp"

#include <gtest/gtest.h>

namespace ipgen::fir {
namespace {

// One value converted the way firgen converts a signed coefficient of W
// bits: the code's digits, and whether it was reported.
std::pair<std::string, bool> signed_hex(std::int64_t v, int w) {
    const auto code = signed_code(v, std::int64_t{1} << (w - 1), std::int64_t{1} << w);
    return {itohex(code.code, w, DigitCase::upper), code.out_of_range};
}

std::pair<std::string, bool> unsigned_hex(std::uint64_t v, int w) {
    const auto code = unsigned_code(v, std::uint64_t{1} << w);
    return {itohex(code.code, w, DigitCase::upper), code.out_of_range};
}

using Hex = std::pair<std::string, bool>;

TEST(Itohex, DigitCountIsTheWidthRoundedUpToWholeDigits) {
    EXPECT_EQ(itohex(0xA5, 8, DigitCase::upper), "A5");
    EXPECT_EQ(itohex(0xA5, 8, DigitCase::lower), "a5");
    EXPECT_EQ(itohex(0xFF, 9, DigitCase::lower), "0ff");
    EXPECT_EQ(itohex(5, 1, DigitCase::upper), "5");
    EXPECT_EQ(itohex(0x12345, 8, DigitCase::upper), "45"); // only the low digits show
    EXPECT_EQ(itohex(0xFFFFFFFF, 32, DigitCase::upper), "FFFFFFFF");
    EXPECT_EQ(itohex(7, 0, DigitCase::upper), "");
}

TEST(CoefficientCode, SignedWidth8) {
    EXPECT_EQ(signed_hex(-1, 8), Hex("FF", false));
    EXPECT_EQ(signed_hex(-128, 8), Hex("80", false));
    EXPECT_EQ(signed_hex(-129, 8), Hex("7F", true));
    EXPECT_EQ(signed_hex(127, 8), Hex("7F", false));
    EXPECT_EQ(signed_hex(128, 8), Hex("80", true));
    EXPECT_EQ(signed_hex(0, 8), Hex("00", false));
}

TEST(CoefficientCode, SignedWidths6_10_12) {
    EXPECT_EQ(signed_hex(-32, 6), Hex("20", false));
    EXPECT_EQ(signed_hex(31, 6), Hex("1F", false));
    EXPECT_EQ(signed_hex(32, 6), Hex("20", true));
    EXPECT_EQ(signed_hex(-1, 10), Hex("3FF", false)); // top two bits of the first digit zero
    EXPECT_EQ(signed_hex(-512, 10), Hex("200", false));
    EXPECT_EQ(signed_hex(511, 10), Hex("1FF", false));
    EXPECT_EQ(signed_hex(-513, 10), Hex("1FF", true));
    EXPECT_EQ(signed_hex(-2048, 12), Hex("800", false));
    EXPECT_EQ(signed_hex(2047, 12), Hex("7FF", false));
    EXPECT_EQ(signed_hex(2048, 12), Hex("800", true));
    // Below -2^W the code wraps modulo 2^32; it is reported all the same.
    EXPECT_EQ(signed_hex(-300, 8), Hex("D4", true));
}

TEST(CoefficientCode, UnsignedWidths) {
    EXPECT_EQ(unsigned_hex(255, 8), Hex("FF", false));
    EXPECT_EQ(unsigned_hex(256, 8), Hex("00", true));
    EXPECT_EQ(unsigned_hex(100, 6), Hex("64", true));
    EXPECT_EQ(unsigned_hex(63, 6), Hex("3F", false));
    EXPECT_EQ(unsigned_hex(1023, 10), Hex("3FF", false));
    EXPECT_EQ(unsigned_hex(4096, 12), Hex("000", true));
    // "-1" read unsigned is huge and out of range.
    EXPECT_EQ(unsigned_hex(0xFFFFFFFFFFFFFFFFu, 8), Hex("FF", true));
}

TEST(CoefficientCode, Width32SignedIsReportedOnlyWhenFullIsZero) {
    // firgen: 2^32 as a double; firparam: 2^32 in 32 bits is 0.
    const auto gen = signed_code(-1, std::int64_t{1} << 31, std::int64_t{1} << 32);
    const auto param = signed_code(-1, std::int64_t{1} << 31, 0);
    EXPECT_EQ(gen.code, 0xFFFFFFFFu);
    EXPECT_FALSE(gen.out_of_range);
    EXPECT_EQ(param.code, 0xFFFFFFFFu);
    EXPECT_TRUE(param.out_of_range);
}

TEST(HexLines, OneCodePerLineOrPairsWithATabAndAWarningPerReportedValue) {
    StringSink hex;
    StringSink console;
    write_hex_lines(hex, console, {{1, false}, {0xFF, false}, {0x80, true}}, 8, DigitCase::upper,
                    false);
    EXPECT_EQ(hex.text(), "01\nFF\n80\n");
    EXPECT_EQ(console.text(), range_warning);
    StringSink pairs;
    StringSink quiet;
    write_hex_lines(pairs, quiet, {{1, false}, {0xFF, false}, {0xA, false}, {0xB, false}}, 12,
                    DigitCase::lower, true);
    EXPECT_EQ(pairs.text(), "001\t0ff\n00a\t00b\n");
    EXPECT_EQ(quiet.text(), "");
}

TEST(DecimalFiles, ValuesMayBeSeparatedByAnyWhiteSpace) {
    const auto real =
        parse_decimal_coefficients("1\n-2  3\n\n4 extra\n", 4, DecimalLayout::signed_values);
    EXPECT_EQ(real.values, (std::vector<std::int64_t>{1, -2, 3, 4}));
    EXPECT_FALSE(real.bad_line);
    const auto pairs = parse_decimal_coefficients("1\t-1\n2 -2\n", 2, DecimalLayout::complex_pairs);
    EXPECT_EQ(pairs.values, (std::vector<std::int64_t>{1, -1, 2, -2}));
    const auto u = parse_decimal_coefficients("255\n256\n", 2, DecimalLayout::unsigned_values);
    EXPECT_EQ(u.unsigned_values, (std::vector<std::uint64_t>{255, 256}));
}

TEST(DecimalFiles, AMissingOrNonNumericValueNamesItsLine) {
    EXPECT_EQ(parse_decimal_coefficients("1\n2\n", 3, DecimalLayout::signed_values).bad_line, 3);
    EXPECT_EQ(parse_decimal_coefficients("1\nx\n3\n", 3, DecimalLayout::signed_values).bad_line, 2);
    EXPECT_EQ(parse_decimal_coefficients("1 2\n3\n", 2, DecimalLayout::complex_pairs).bad_line, 3);
}

TEST(HexFiles, NumbersAndTokens) {
    const auto values = parse_hex_values("01\nFF\n80\n", 3, false);
    EXPECT_EQ(values.values, (std::vector<std::uint32_t>{1, 255, 128}));
    EXPECT_EQ(parse_hex_values("01\nFF\n", 3, false).bad_line, 3);
    const auto tokens = parse_hex_tokens("0ff\t100\n001\t002\n", 2, true);
    EXPECT_EQ(tokens.values, (std::vector<std::string>{"0ff", "100", "001", "002"}));
    EXPECT_EQ(parse_hex_tokens("0ff\t100\n001\n", 2, true).bad_line, 3);
}

TEST(BitCounts, NextLog2AndNextlog2DifferOnlyBelowThree) {
    const std::vector<std::pair<std::int64_t, int>> table = {
        {-5, 0}, {0, 0},   {1, 0},   {2, 1},   {3, 2},   {4, 2},  {5, 3},
        {8, 3},  {9, 4},   {16, 4},  {17, 5},  {32, 5},  {33, 6}, {64, 6},
        {65, 7}, {128, 7}, {129, 8}, {256, 8}, {257, -1}};
    for (const auto& [n, bits] : table) {
        EXPECT_EQ(NextLog2(n), bits) << n;
        EXPECT_EQ(gen::nextlog2(n), n <= 2 ? 1 : bits) << n;
    }
}

} // namespace
} // namespace ipgen::fir
