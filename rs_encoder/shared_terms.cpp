#include "rs_encoder/shared_terms.hpp"

#include <cstddef>
#include <vector>

namespace ipgen::rsenc {

namespace {

// The set bits of a column mask, written out (SWAR): without a POPCNT
// target std::popcount is a library call for every count.
int bit_count(std::uint32_t x) {
    x = x - ((x >> 1) & 0x55555555U);
    x = (x & 0x33333333U) + ((x >> 2) & 0x33333333U);
    x = (x + (x >> 4)) & 0x0F0F0F0FU;
    return static_cast<int>((x * 0x01010101U) >> 24);
}

struct BestPair {
    int common = 0;
    int a = -1;
    int b = -1;
};

// The best pair of each row: for column a, the first later column b with
// the most output bits in common (none while no later column shares a bit).
// Masks only lose bits, so a row changes only when one of its own two
// columns changes: a pass costs a few rows, not every pair.
class PairSearch {
  public:
    explicit PairSearch(const std::vector<std::uint32_t>& masks) : masks_(masks) {
        for (std::size_t c = 0; c < masks_.size(); ++c) {
            add_column(c);
        }
    }

    // Column c is new, the last one.
    void add_column(std::size_t c) {
        row_best_.emplace_back();
        for (std::size_t a = 0; a < c; ++a) {
            offer(a, c);
        }
    }

    // Column c has lost bits: its own row and every row whose best pair
    // it was are searched again.
    void refresh(std::size_t c) {
        search_row(c);
        for (std::size_t a = 0; a < c; ++a) {
            if (row_best_[a].b == static_cast<int>(c)) {
                search_row(a);
            }
        }
    }

    // The first pair (a, b), a < b in ascending order, with the strictly
    // largest number of common bits.
    BestPair best() const {
        BestPair best;
        for (const BestPair& row : row_best_) {
            if (row.common > best.common) { // ties keep the first pair
                best = row;
            }
        }
        return best;
    }

  private:
    void offer(std::size_t a, std::size_t b) {
        const int common = bit_count(masks_[a] & masks_[b]);
        if (common > row_best_[a].common) {
            row_best_[a] = {common, static_cast<int>(a), static_cast<int>(b)};
        }
    }

    void search_row(std::size_t a) {
        row_best_[a] = BestPair{};
        for (std::size_t b = a + 1; b < row_best_.size(); ++b) {
            offer(a, b);
        }
    }

    const std::vector<std::uint32_t>& masks_;
    std::vector<BestPair> row_best_;
};

} // namespace

SharedTerms extract_shared_terms(const std::vector<std::uint32_t>& const_column, int m) {
    SharedTerms terms;
    terms.matrix = rs::fill_mult_matrix(const_column, m);
    auto& masks = terms.matrix.column_mask;
    terms.left_operand.assign(masks.size(), -1);
    terms.right_operand.assign(masks.size(), -1);
    PairSearch pairs(masks);
    for (BestPair best = pairs.best(); best.common > 1; best = pairs.best()) {
        const std::uint32_t shared =
            masks[static_cast<std::size_t>(best.a)] & masks[static_cast<std::size_t>(best.b)];
        masks[static_cast<std::size_t>(best.a)] &= ~shared;
        masks[static_cast<std::size_t>(best.b)] &= ~shared;
        masks.push_back(shared);
        pairs.refresh(static_cast<std::size_t>(best.a));
        pairs.refresh(static_cast<std::size_t>(best.b));
        pairs.add_column(masks.size() - 1);
        terms.matrix.term_index.push_back(static_cast<int>(masks.size()) - 1);
        terms.left_operand.push_back(best.a);
        terms.right_operand.push_back(best.b);
    }
    terms.matrix.last_term = static_cast<int>(masks.size()) - 1;
    return terms;
}

} // namespace ipgen::rsenc
