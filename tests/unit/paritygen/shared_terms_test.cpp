#include "generators/paritygen/shared_terms.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

namespace ipgen::rsenc {
namespace {

using rs::build_field;
using rs::fill_const_columns;

// Bit j of output = XOR of the columns whose mask has bit j, each column's
// value being its input bit or the XOR of its two operands.
std::uint32_t evaluate(const SharedTerms& terms, std::uint32_t input) {
    const auto& matrix = terms.matrix;
    std::vector<std::uint32_t> value(matrix.column_mask.size());
    for (std::size_t c = 0; c < value.size(); ++c) {
        value[c] = static_cast<int>(c) < matrix.m
                       ? (input >> c) & 1U
                       : value[static_cast<std::size_t>(terms.left_operand[c])] ^
                             value[static_cast<std::size_t>(terms.right_operand[c])];
    }
    std::uint32_t output = 0;
    for (std::size_t c = 0; c < value.size(); ++c) {
        if (value[c] != 0) {
            output ^= matrix.column_mask[c];
        }
    }
    return output;
}

TEST(ExtractSharedTerms, WorkedExampleAlpha7InGf16) {
    const auto field = build_field(4, 19);
    const std::vector<std::uint32_t> columns = fill_const_columns(field, 7);
    ASSERT_EQ(columns, (std::vector<std::uint32_t>{0b1011, 0b0101, 0b1010, 0b0111}));

    const SharedTerms terms = extract_shared_terms(columns, 4);
    // Pass 1 takes (0, 2) before the equally good (0, 3) and (1, 3); pass 2
    // takes (1, 3); pass 3 finds no pair sharing two bits.
    EXPECT_EQ(terms.matrix.last_term, 5);
    EXPECT_EQ(terms.extracted_count(), 2);
    EXPECT_EQ(terms.matrix.column_mask,
              (std::vector<std::uint32_t>{0b0001, 0b0000, 0b0000, 0b0010, 0b1010, 0b0101}));
    EXPECT_EQ(terms.left_operand, (std::vector<int>{-1, -1, -1, -1, 0, 1}));
    EXPECT_EQ(terms.right_operand, (std::vector<int>{-1, -1, -1, -1, 2, 3}));
    EXPECT_EQ(terms.matrix.term_index, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(ExtractSharedTerms, ColumnsSharingAtMostOneBitStayPlain) {
    const auto field = build_field(4, 19);
    // alpha^1 .. alpha^4 = 0010, 0100, 1000, 0011: no two share two bits.
    const SharedTerms terms = extract_shared_terms(fill_const_columns(field, 1), 4);
    EXPECT_EQ(terms.extracted_count(), 0);
    EXPECT_EQ(terms.matrix.column_mask,
              (std::vector<std::uint32_t>{0b0010, 0b0100, 0b1000, 0b0011}));
}

TEST(ExtractSharedTerms, IdentityHasNothingToShare) {
    const auto field = build_field(8, 285);
    const SharedTerms terms = extract_shared_terms(fill_const_columns(field, 0), 8);
    EXPECT_EQ(terms.extracted_count(), 0);
}

// The first `count` primitive polynomials of degree m, ascending.
std::vector<int> primitive_polys(int m, int count) {
    std::vector<int> polys;
    for (int poly = (1 << m) + 1; poly < (2 << m) && static_cast<int>(polys.size()) < count;
         poly += 2) {
        if (rs::is_primitive(m, poly)) {
            polys.push_back(poly);
        }
    }
    return polys;
}

// The column tables grow as needed, but an m-bit field never needs many:
// about 30 columns (m inputs plus the extracted terms) for m = 12 and 16
// for m = 8 (measured: 31 and 17). Fields up to m = 10: all exponents of
// their first four primitive polynomials; m = 11 and 12: a sample. Every
// multiplier must also still map each input bit to its column.
TEST(ExtractSharedTerms, ColumnCountStaysSmallForEveryFieldUpToTwelveBits) {
    for (int m = 2; m <= 12; ++m) {
        int most_columns = 0;
        for (const int poly : primitive_polys(m, 4)) {
            const auto field = build_field(m, poly);
            const int step = m <= 10 ? 1 : 37;
            for (int e = 0; e < field.nlong; e += step) {
                const auto columns = fill_const_columns(field, e);
                const SharedTerms terms = extract_shared_terms(columns, m);
                most_columns = std::max(most_columns, terms.matrix.last_term + 1);
                // Spot-check values on single bits: each input bit alone
                // must give its column.
                for (int c = 0; c < m; ++c) {
                    ASSERT_EQ(evaluate(terms, 1U << c), columns[static_cast<std::size_t>(c)])
                        << "m " << m << " poly " << poly << " e " << e << " bit " << c;
                }
            }
        }
        SCOPED_TRACE("m = " + std::to_string(m));
        EXPECT_LE(most_columns, m <= 8 ? 17 : 32);
    }
}

// The whole function on every input: extraction keeps each product exact.
TEST(ExtractSharedTerms, SharedTermsComputeTheProductOnEveryInput) {
    for (const auto& [m, poly] : std::vector<std::pair<int, int>>{{4, 19}, {6, 67}, {8, 285}}) {
        const auto field = build_field(m, poly);
        for (int e = 0; e < field.nlong; ++e) {
            const SharedTerms terms = extract_shared_terms(fill_const_columns(field, e), m);
            for (int x = 1; x <= field.nlong; ++x) {
                const int expected = field.power(e + field.gf_log[static_cast<std::size_t>(x)]);
                ASSERT_EQ(evaluate(terms, static_cast<std::uint32_t>(x)),
                          static_cast<std::uint32_t>(expected))
                    << "m " << m << " e " << e << " x " << x;
            }
            ASSERT_EQ(evaluate(terms, 0), 0U);
        }
    }
}

// The greedy rule as stated, every pair counted on every pass: the pair
// search must pick the same pairs in the same order. Random column sets
// (not only field multipliers) reach ties and columns emptied by earlier
// extractions.
std::vector<std::pair<int, int>> reference_pairs(std::vector<std::uint32_t> masks) {
    std::vector<std::pair<int, int>> pairs;
    for (;;) {
        int best = 1;
        std::pair<int, int> chosen{-1, -1};
        for (std::size_t a = 0; a < masks.size(); ++a) {
            for (std::size_t b = a + 1; b < masks.size(); ++b) {
                const int common = std::popcount(masks[a] & masks[b]);
                if (common > best) {
                    best = common;
                    chosen = {static_cast<int>(a), static_cast<int>(b)};
                }
            }
        }
        if (chosen.first < 0) {
            return pairs;
        }
        const auto a = static_cast<std::size_t>(chosen.first);
        const auto b = static_cast<std::size_t>(chosen.second);
        const std::uint32_t shared = masks[a] & masks[b];
        masks[a] &= ~shared;
        masks[b] &= ~shared;
        masks.push_back(shared);
        pairs.push_back(chosen);
    }
}

TEST(ExtractSharedTerms, PicksThePairsOfTheGreedyRule) {
    std::uint32_t state = 12345;
    const auto next = [&state] { return state = state * 1664525U + 1013904223U; };
    for (int round = 0; round < 3000; ++round) {
        const int m = 2 + round % 15;
        std::vector<std::uint32_t> columns(static_cast<std::size_t>(m));
        for (auto& column : columns) {
            // Sparse and dense columns alike.
            column = (next() >> 7) & (round % 3 == 0 ? next() >> 9 : ~0U) & ((1U << m) - 1);
        }
        const SharedTerms terms = extract_shared_terms(columns, m);
        std::vector<std::pair<int, int>> pairs;
        for (int c = m; c <= terms.matrix.last_term; ++c) {
            pairs.emplace_back(terms.left_operand[static_cast<std::size_t>(c)],
                               terms.right_operand[static_cast<std::size_t>(c)]);
        }
        ASSERT_EQ(pairs, reference_pairs(columns)) << "round " << round;
    }
}

} // namespace
} // namespace ipgen::rsenc
