#include "generators/common/switch_scan.hpp"

#include <gtest/gtest.h>

namespace ipgen {
namespace {

constexpr const char* letters = "cefghknowy";

TEST(SwitchScan, OnlyTheSecondCharacterCounts) {
    const SwitchScan scan = scan_switches({"-w8", "12", "-nfoo", "255"}, letters);
    EXPECT_EQ(scan.get('w'), 12);
    EXPECT_EQ(scan.get('n'), 255);
    EXPECT_TRUE(scan.unknown.empty());
}

TEST(SwitchScan, StrayWordsAreSkippedAndLaterSwitchWins) {
    const SwitchScan scan = scan_switches({"hello", "-k", "10", "world", "-k", "239"}, letters);
    EXPECT_EQ(scan.get('k'), 239);
    EXPECT_EQ(scan.values.size(), 1U);
}

TEST(SwitchScan, UnknownSwitchDoesNotConsumeItsNeighbour) {
    const SwitchScan scan = scan_switches({"-x", "5", "-W", "8", "-", "-e", "2"}, letters);
    EXPECT_EQ(scan.unknown, (std::vector<std::string>{"-x", "-W", "-"}));
    EXPECT_EQ(scan.get('e'), 2);
    EXPECT_FALSE(scan.has('w'));
}

TEST(SwitchScan, ValueIsTheNextArgumentWhateverItLooksLike) {
    const SwitchScan scan = scan_switches({"-h", "-n", "255"}, letters);
    EXPECT_EQ(scan.get('h'), 0);
    EXPECT_EQ(scan.values.at('h').text, "-n");
    EXPECT_FALSE(scan.has('n'));
}

TEST(SwitchScan, LastSwitchWithoutValue) {
    const SwitchScan scan = scan_switches({"-w", "8", "-k"}, letters);
    ASSERT_TRUE(scan.missing_value.has_value());
    EXPECT_EQ(*scan.missing_value, "-k");
}

} // namespace
} // namespace ipgen
