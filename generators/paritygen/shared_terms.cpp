#include "generators/paritygen/shared_terms.hpp"

#include <array>
#include <cstddef>
#include <vector>

namespace ipgen::rsenc {

namespace {

// The set bits of a column mask, written out (SWAR): without a POPCNT
// target std::popcount is a library call for every count.
constexpr int swar_bit_count(std::uint32_t x) {
    x = x - ((x >> 1) & 0x55555555U);
    x = (x & 0x33333333U) + ((x >> 2) & 0x33333333U);
    x = (x + (x >> 4)) & 0x0F0F0F0FU;
    return static_cast<int>((x * 0x01010101U) >> 24);
}

// The counts of every mask of 12 bits or fewer, the widest symbol: one
// look-up in the innermost loop of the search.
constexpr std::size_t counted_masks = std::size_t{1} << 12;
constexpr std::array<std::uint8_t, counted_masks> bit_counts = [] {
    std::array<std::uint8_t, counted_masks> counts{};
    for (std::size_t x = 0; x < counted_masks; ++x) {
        counts[x] = static_cast<std::uint8_t>(swar_bit_count(static_cast<std::uint32_t>(x)));
    }
    return counts;
}();

int bit_count(std::uint32_t x) {
    return x < counted_masks ? bit_counts[x] : swar_bit_count(x);
}

struct BestPair {
    int common = 0;
    int a = -1;
    int b = -1;
};

// The best pair of each row: for column a, the first later column b with
// the most output bits in common (none while no later column shares a bit).
// Masks only lose bits, so a row's count can only fall when one of its
// columns changes: such a row keeps its old count as an upper bound and is
// searched again only when that bound could still win.
class PairSearch {
  public:
    explicit PairSearch(const std::vector<std::uint32_t>& masks) : masks_(masks) {
        common_.reserve(masks_.capacity());
        partner_.reserve(masks_.capacity());
        stale_.reserve(masks_.capacity());
        for (std::size_t c = 0; c < masks_.size(); ++c) {
            add_column(c);
        }
    }

    // Column c is new, the last one. A count above a stale row's bound is
    // that row's exact best.
    void add_column(std::size_t c) {
        common_.push_back(0);
        partner_.push_back(-1);
        stale_.push_back(0);
        for (std::size_t a = 0; a < c; ++a) {
            compare_with_new(a, c);
        }
    }

    // Columns a and b have lost the bits that column c, the new last one,
    // now holds: their rows, and every row whose best pair was a or b,
    // become stale, and every row is compared with c (one pass over the
    // rows for all of it).
    void split(std::size_t a, std::size_t b, std::size_t c) {
        stale_[a] = 1;
        stale_[b] = 1;
        common_.push_back(0);
        partner_.push_back(-1);
        stale_.push_back(0);
        for (std::size_t x = 0; x < c; ++x) {
            const bool lost =
                partner_[x] == static_cast<int>(a) || partner_[x] == static_cast<int>(b);
            stale_[x] = lost ? 1 : stale_[x];
            compare_with_new(x, c);
        }
    }

    // The first pair (a, b), a < b in ascending order, with the strictly
    // largest number of common bits.
    BestPair best() {
        BestPair best;
        for (std::size_t a = 0; a < common_.size(); ++a) {
            if (common_[a] <= best.common) {
                continue; // not even its bound beats the best so far
            }
            if (stale_[a] != 0) {
                search_row(a);
            }
            if (common_[a] > best.common) { // ties keep the first pair
                best = {common_[a], static_cast<int>(a), partner_[a]};
            }
        }
        return best;
    }

  private:
    // Row a against the new column c.
    void compare_with_new(std::size_t a, std::size_t c) {
        const int common = bit_count(masks_[a] & masks_[c]);
        const bool better = common > common_[a];
        common_[a] = better ? common : common_[a];
        partner_[a] = better ? static_cast<int>(c) : partner_[a];
        stale_[a] = better ? 0 : stale_[a];
    }

    void search_row(std::size_t a) {
        int most = 0;
        int partner = -1;
        for (std::size_t b = a + 1; b < common_.size(); ++b) {
            const int common = bit_count(masks_[a] & masks_[b]);
            const bool better = common > most;
            most = better ? common : most;
            partner = better ? static_cast<int>(b) : partner;
        }
        common_[a] = most;
        partner_[a] = partner;
        stale_[a] = 0;
    }

    const std::vector<std::uint32_t>& masks_;
    // Per row a: the most common bits with a later column, that column
    // (-1 for none), and whether the count is only an upper bound.
    std::vector<int> common_;
    std::vector<int> partner_;
    std::vector<char> stale_;
};

} // namespace

SharedTerms extract_shared_terms(const std::vector<std::uint32_t>& const_column, int m) {
    SharedTerms terms;
    terms.matrix = rs::fill_mult_matrix(const_column, m);
    auto& masks = terms.matrix.column_mask;
    // Each new column takes two or more bits off two columns and holds them
    // once, so the m * m matrix bits allow at most m * m / 2 of them.
    const std::size_t most_columns = static_cast<std::size_t>(m) * (m + 2) / 2;
    masks.reserve(most_columns);
    terms.matrix.term_index.reserve(most_columns);
    terms.left_operand.reserve(most_columns);
    terms.right_operand.reserve(most_columns);
    terms.left_operand.assign(masks.size(), -1);
    terms.right_operand.assign(masks.size(), -1);
    PairSearch pairs(masks);
    for (BestPair best = pairs.best(); best.common > 1; best = pairs.best()) {
        const std::uint32_t shared =
            masks[static_cast<std::size_t>(best.a)] & masks[static_cast<std::size_t>(best.b)];
        masks[static_cast<std::size_t>(best.a)] &= ~shared;
        masks[static_cast<std::size_t>(best.b)] &= ~shared;
        masks.push_back(shared);
        pairs.split(static_cast<std::size_t>(best.a), static_cast<std::size_t>(best.b),
                    masks.size() - 1);
        terms.matrix.term_index.push_back(static_cast<int>(masks.size()) - 1);
        terms.left_operand.push_back(best.a);
        terms.right_operand.push_back(best.b);
    }
    terms.matrix.last_term = static_cast<int>(masks.size()) - 1;
    return terms;
}

} // namespace ipgen::rsenc
