#include "c_library_reference.hpp"
#include "generators/trellgen/c_scan.hpp"

#include <gtest/gtest.h>
#include <random>

namespace ipgen::viterbi {
namespace {

TEST(CScan, IntStopsRightAfterTheLastDigit) {
    const ScannedInt r = scan_int(" \n\t 64   // traceback\n", 0);
    EXPECT_TRUE(r.converted);
    EXPECT_EQ(r.value, 64);
    EXPECT_EQ(r.text, "64");
    EXPECT_EQ(r.next, 6u);
}

TEST(CScan, IntLineSkipsWhiteSpaceAndLineEndsAfterTheNumber) {
    // A value alone on its line: the next line's indentation goes too.
    const ScannedInt r = scan_int_line("7\n  \n  // comment\n", 0);
    EXPECT_TRUE(r.converted);
    EXPECT_EQ(r.value, 7);
    EXPECT_EQ(r.next, 7u);
    // With a comment on the line, only the blanks before it.
    EXPECT_EQ(scan_int_line("7    // K\n", 0).next, 5u);
}

TEST(CScan, SignsAndLeadingZeros) {
    EXPECT_EQ(scan_int("-12x", 0).value, -12);
    EXPECT_EQ(scan_int("+5", 0).value, 5);
    const ScannedInt octal_digits = scan_int("0171 // GP0", 0);
    EXPECT_EQ(octal_digits.value, 171);
    EXPECT_EQ(octal_digits.next, 4u);
}

TEST(CScan, FailedConversionConsumesOnlyTheSign) {
    const ScannedInt comment = scan_int_line("  // no value\n5\n", 0);
    EXPECT_FALSE(comment.converted);
    EXPECT_EQ(comment.next, 2u); // the slash is read next
    const ScannedInt sign = scan_int("-x", 0);
    EXPECT_FALSE(sign.converted);
    EXPECT_EQ(sign.next, 1u);
    const ScannedInt end = scan_int(" \n ", 0);
    EXPECT_FALSE(end.converted);
    EXPECT_EQ(end.next, 3u);
}

TEST(CScan, NumbersBeyondIntAreMarked) {
    const ScannedInt r = scan_int("99999999999 ", 0);
    EXPECT_TRUE(r.converted);
    EXPECT_TRUE(r.out_of_range);
    EXPECT_EQ(r.text, "99999999999");
    EXPECT_EQ(r.next, 11u);
    EXPECT_FALSE(scan_int("-2147483648", 0).out_of_range);
    EXPECT_TRUE(scan_int("2147483648", 0).out_of_range);
}

TEST(CScan, WordReadsUpToWhiteSpace) {
    const ScannedWord w = scan_word("\n  1101\t// pattern\n", 0);
    EXPECT_TRUE(w.converted);
    EXPECT_EQ(w.word, "1101");
    EXPECT_EQ(w.next, 7u);
    // Anything that is not white space belongs to the word.
    EXPECT_EQ(scan_word("10//x y", 0).word, "10//x");
    const ScannedWord none = scan_word(" \r\n", 0);
    EXPECT_FALSE(none.converted);
    EXPECT_EQ(none.next, 3u);
}

TEST(CScan, DiscardStopsAfterLineEndOr99Characters) {
    EXPECT_EQ(discard_line("ab\ncd", 0), 3u);
    EXPECT_EQ(discard_line("ab\ncd", 3), 5u);
    EXPECT_EQ(discard_line("ab", 2), 2u);
    const std::string long_line = std::string(150, 'x') + "\n";
    EXPECT_EQ(discard_line(long_line, 0), 99u);
    EXPECT_EQ(discard_line(long_line, 99), 151u);
    // Exactly 99 characters with the line end: the line end is taken.
    const std::string full = std::string(98, 'x') + "\nnext";
    EXPECT_EQ(discard_line(full, 0), 99u);
    EXPECT_EQ(discard_line(std::string(99, 'x') + "\n", 0), 99u);
}

// The primitives against the C library itself, on many short byte strings
// made of the characters that matter: digits, signs, white space, comment
// text. Every conversion must stop where fscanf stops and store what it
// stores.
TEST(CScan, MatchesTheCLibrary) {
    const std::string alphabet = "0123456789  \t\n\n\r+-/ab";
    std::mt19937 random(8);
    for (int round = 0; round < 4000; ++round) {
        std::string bytes;
        const int length = 1 + static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) {
            bytes += alphabet[random() % alphabet.size()];
        }
        SCOPED_TRACE("input \"" + bytes + "\"");

        for (const bool line : {false, true}) {
            test::MemoryStream c(bytes);
            int value = -777;
            const int got = std::fscanf(c.get(), line ? "%d\n" : "%d", &value);
            const ScannedInt mine = line ? scan_int_line(bytes, 0) : scan_int(bytes, 0);
            EXPECT_EQ(mine.converted, got == 1);
            // Beyond the int range the C library's value is undefined; such
            // numbers are marked and refused instead.
            if (got == 1 && !mine.out_of_range) {
                EXPECT_EQ(mine.value, value);
            }
            EXPECT_EQ(static_cast<long>(mine.next), c.position());
        }
        {
            test::MemoryStream c(bytes);
            char word[64] = {};
            const int got = std::fscanf(c.get(), "%63s", word);
            const ScannedWord mine = scan_word(bytes, 0);
            EXPECT_EQ(mine.converted, got == 1);
            if (got == 1) {
                EXPECT_EQ(mine.word, word);
            }
            EXPECT_EQ(static_cast<long>(mine.next), c.position());
        }
        for (const std::size_t size : {std::size_t{2}, std::size_t{5}, discard_buffer_size}) {
            test::MemoryStream c(bytes);
            char buffer[discard_buffer_size];
            std::fgets(buffer, static_cast<int>(size), c.get());
            EXPECT_EQ(static_cast<long>(discard_line(bytes, 0, size)), c.position());
        }
    }
}

} // namespace
} // namespace ipgen::viterbi
