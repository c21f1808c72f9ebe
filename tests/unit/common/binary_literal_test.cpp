#include "generators/common/binary_literal.hpp"

#include <gtest/gtest.h>

namespace ipgen {
namespace {

TEST(BinaryLiteral, LowBitsMostSignificantFirst) {
    EXPECT_EQ(binary_digits(5, 3), "101");
    EXPECT_EQ(binary_digits(2, 3), "010");
    EXPECT_EQ(binary_digits(255, 8), "11111111");
    EXPECT_EQ(binary_digits(0x1F0, 4), "0000"); // bits above the width are dropped
    EXPECT_EQ(sized_binary(8, 239), "8'b11101111");
    EXPECT_EQ(sized_binary(5, 16), "5'b10000");
}

TEST(BinaryLiteral, NegativeValuesShowTwosComplement) {
    EXPECT_EQ(binary_digits(-2, 8), "11111110");
    EXPECT_EQ(binary_digits(-1, 70), std::string(70, '1'));
}

TEST(BinaryLiteral, ZeroWidthHasNoDigits) {
    EXPECT_EQ(sized_binary(0, 0), "0'b");
    EXPECT_EQ(binary_digits(7, -3), "");
    EXPECT_EQ(zero_literal(8), "8'b00000000");
}

} // namespace
} // namespace ipgen
