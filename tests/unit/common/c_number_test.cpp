#include "generators/common/c_number.hpp"

#include <gtest/gtest.h>

namespace ipgen {
namespace {

TEST(CNumber, ReadsLikeAtoi) {
    EXPECT_EQ(c_atoi("255"), 255);
    EXPECT_EQ(c_atoi("  \t-17xyz"), -17);
    EXPECT_EQ(c_atoi("+8"), 8);
    EXPECT_EQ(c_atoi("0x10"), 0);
    EXPECT_EQ(c_atoi(""), 0);
    EXPECT_EQ(c_atoi("-n"), 0);
    EXPECT_EQ(c_atoi("- 5"), 0);
}

TEST(CNumber, ReportsDigitsAndRange) {
    EXPECT_FALSE(parse_c_decimal("abc").has_digits);
    EXPECT_TRUE(parse_c_decimal("007").has_digits);
    EXPECT_EQ(parse_c_decimal(" 12ab").length, 3U);
    const CDecimal big = parse_c_decimal("99999999999999999999999");
    EXPECT_TRUE(big.out_of_range);
    EXPECT_EQ(big.value, 2147483647);
    EXPECT_FALSE(parse_c_decimal("-2147483648").out_of_range);
    EXPECT_TRUE(parse_c_decimal("-2147483649").out_of_range);
    EXPECT_EQ(c_atoi("-2147483649"), -2147483647 - 1);
}

} // namespace
} // namespace ipgen
