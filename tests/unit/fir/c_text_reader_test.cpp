#include "generators/fir_common/c_text_reader.hpp"

#include <gtest/gtest.h>

namespace ipgen::fir {
namespace {

TEST(CTextReader, DecimalSkipsWhiteSpaceAndLineEndsAndStopsAtTheFirstOtherCharacter) {
    CTextReader r(" \n\t -42abc\n");
    const auto v = r.scan_int();
    ASSERT_TRUE(v);
    EXPECT_EQ(v->value, -42);
    EXPECT_EQ(v->text, "-42");
    EXPECT_EQ(r.rest_of_line(), 3u);
    EXPECT_EQ(r.read_line(100), "abc\n");
    EXPECT_TRUE(r.at_end());
    EXPECT_FALSE(r.scan_int());
}

TEST(CTextReader, DecimalFailureConsumesOnlyWhiteSpaceAndTheSign) {
    CTextReader r("  // comment\n");
    EXPECT_FALSE(r.scan_int());
    EXPECT_EQ(r.read_line(100), "// comment\n");
    CTextReader signed_only("-x\n");
    EXPECT_FALSE(signed_only.scan_int());
    EXPECT_EQ(signed_only.read_line(100), "x\n");
}

TEST(CTextReader, DecimalBeyondIntIsMarkedAndKeepsTheLowBits) {
    CTextReader r("4294967304 2147483647 -2147483648 99999999999999999999");
    auto v = r.scan_int();
    EXPECT_TRUE(v->out_of_range);
    EXPECT_EQ(v->value, 8);
    v = r.scan_int();
    EXPECT_FALSE(v->out_of_range);
    EXPECT_EQ(v->value, 2147483647);
    v = r.scan_int();
    EXPECT_FALSE(v->out_of_range);
    EXPECT_EQ(v->value, -2147483647 - 1);
    v = r.scan_int();
    EXPECT_TRUE(v->out_of_range);
}

TEST(CTextReader, LineReadTakesAtMostBufferSizeMinusOneCharacters) {
    const std::string long_line = std::string(120, 'x') + "\n7\n";
    CTextReader r(long_line);
    EXPECT_EQ(r.read_line(100), std::string(99, 'x'));
    EXPECT_EQ(r.rest_of_line(), 21u);
    EXPECT_EQ(r.read_line(100), std::string(21, 'x') + "\n");
    EXPECT_EQ(r.scan_int()->value, 7);
    CTextReader exact(std::string(99, 'y') + "\n5");
    EXPECT_EQ(exact.read_line(100), std::string(99, 'y'));
    EXPECT_EQ(exact.scan_int()->value, 5); // the line end left behind is white space
}

TEST(CTextReader, LongAndUnsignedReads) {
    CTextReader r("-129 5000000000 -1");
    EXPECT_EQ(r.scan_long()->value, -129);
    EXPECT_EQ(r.scan_long()->value, 5000000000);
    const auto u = r.scan_ulong();
    EXPECT_EQ(u->value, 0xFFFFFFFFFFFFFFFFu); // a minus sign negates modulo 2^64
    EXPECT_FALSE(u->out_of_range);
}

TEST(CTextReader, HexAcceptsEitherCaseAndA0xPrefix) {
    CTextReader r("ff\tA5\n0x1F 0X2a 0 -1 123456789 zz");
    EXPECT_EQ(r.scan_hex()->value, 0xFFu);
    EXPECT_EQ(r.scan_hex()->value, 0xA5u);
    EXPECT_EQ(r.scan_hex()->value, 0x1Fu);
    EXPECT_EQ(r.scan_hex()->value, 0x2Au);
    EXPECT_EQ(r.scan_hex()->value, 0u);
    EXPECT_EQ(r.scan_hex()->value, 0xFFFFFFFFu);
    const auto wide = r.scan_hex();
    EXPECT_EQ(wide->value, 0x23456789u);
    EXPECT_TRUE(wide->out_of_range);
    EXPECT_FALSE(r.scan_hex());
}

TEST(CTextReader, TokensAndLines) {
    CTextReader r("\n  0ff\t100\n\n1a");
    EXPECT_EQ(r.line(), 1);
    EXPECT_EQ(*r.scan_token(), "0ff");
    EXPECT_EQ(r.line(), 2);
    EXPECT_EQ(*r.scan_token(), "100");
    EXPECT_EQ(*r.scan_token(), "1a");
    EXPECT_EQ(r.line(), 4);
    EXPECT_FALSE(r.scan_token());
}

} // namespace
} // namespace ipgen::fir
