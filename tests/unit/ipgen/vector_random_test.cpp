// The testbench vectors' draws (cores/common/vector_random.hpp) against
// GNU libstdc++'s own distributions, draw for draw: the vectors ipgen has
// always written come from them, and the WebAssembly build (libc++) must
// write the same bytes.
#include "cores/common/vector_random.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

namespace {

using ipgen::front::UniformInt;

#if defined(__GLIBCXX__)

template <typename T>
void expect_same_draws(T low, T high, unsigned seed) {
    std::mt19937 ours(seed);
    std::mt19937 theirs(seed);
    const UniformInt<T> mine(low, high);
    std::uniform_int_distribution<T> library(low, high);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(mine(ours), library(theirs)) << low << " to " << high << ", draw " << i;
    }
}

TEST(VectorRandom, UniformIntDrawsAsTheLibraryOverEveryRangeKind) {
    // Small ranges (the rejection threshold matters for odd sizes), the
    // generator's whole range, and ranges above it (two draws each).
    expect_same_draws<int>(0, 0, 1);
    expect_same_draws<int>(0, 1, 2);
    expect_same_draws<int>(1, 255, 3);
    expect_same_draws<int>(0, 4095, 4);
    expect_same_draws<int>(-1000, 999, 5);
    expect_same_draws<int>(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 6);
    expect_same_draws<std::int64_t>(-(std::int64_t{1} << 31), (std::int64_t{1} << 31) - 1, 7);
    expect_same_draws<std::int64_t>(0, (std::int64_t{1} << 32) - 1, 8);
    expect_same_draws<std::int64_t>(0, std::int64_t{1} << 32, 9);
    expect_same_draws<std::int64_t>(-(std::int64_t{1} << 40), std::int64_t{3} << 45, 10);
    expect_same_draws<std::int64_t>(std::numeric_limits<std::int64_t>::min(),
                                    std::numeric_limits<std::int64_t>::max(), 11);
    // A range near 2^31 rejects often: the loop's draws stay in step.
    expect_same_draws<std::int64_t>(0, (std::int64_t{1} << 31) + 12345, 12);
}

TEST(VectorRandom, ShuffleMovesAsTheLibrary) {
    // Even and odd sizes (the first swap apart), and one above 2^16
    // (a draw per position instead of two).
    for (const int size : {1, 2, 3, 4, 17, 255, 256, 1024, 70000}) {
        std::vector<int> ours(static_cast<size_t>(size));
        std::iota(ours.begin(), ours.end(), 0);
        std::vector<int> theirs = ours;
        std::mt19937 a(static_cast<unsigned>(size));
        std::mt19937 b(static_cast<unsigned>(size));
        ipgen::front::shuffle(ours.begin(), ours.end(), a);
        std::shuffle(theirs.begin(), theirs.end(), b);
        ASSERT_EQ(ours, theirs) << "size " << size;
        EXPECT_EQ(a(), b()) << "the same number of draws, size " << size;
    }
}

TEST(VectorRandom, StandardNormalGivesTheLibrarysBits) {
    std::mt19937 a(42);
    std::mt19937 b(42);
    ipgen::front::StandardNormal ours;
    std::normal_distribution<double> theirs(0.0, 1.0);
    for (int i = 0; i < 5001; ++i) {
        const double x = ours(a);
        const double y = theirs(b);
        ASSERT_EQ(std::memcmp(&x, &y, sizeof x), 0) << "draw " << i << ": " << x << " " << y;
    }
}

#else

TEST(VectorRandom, ComparedWithLibstdcxxOnly) {
    GTEST_SKIP() << "the reference draws are libstdc++'s";
}

#endif

} // namespace
