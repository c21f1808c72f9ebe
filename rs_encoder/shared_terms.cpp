#include "rs_encoder/shared_terms.hpp"

#include <bit>
#include <cstddef>
#include <vector>

namespace ipgen::rsenc {

namespace {

struct BestPair {
    int common = 0;
    int a = -1;
    int b = -1;
};

BestPair find_best_pair(const std::vector<std::uint32_t>& masks) {
    // A pair shares at most as many bits as either column has: a column with
    // no more bits than the best pair so far cannot give a better one.
    std::vector<int> bit_count(masks.size());
    for (std::size_t c = 0; c < masks.size(); ++c) {
        bit_count[c] = std::popcount(masks[c]);
    }
    BestPair best;
    const int columns = static_cast<int>(masks.size());
    for (int a = 0; a + 1 < columns; ++a) {
        if (bit_count[static_cast<std::size_t>(a)] <= best.common) {
            continue;
        }
        for (int b = a + 1; b < columns; ++b) {
            if (bit_count[static_cast<std::size_t>(b)] <= best.common) {
                continue;
            }
            const int common = std::popcount(masks[static_cast<std::size_t>(a)] &
                                             masks[static_cast<std::size_t>(b)]);
            if (common > best.common) { // ties keep the first pair
                best = {common, a, b};
            }
        }
    }
    return best;
}

} // namespace

SharedTerms extract_shared_terms(const std::vector<std::uint32_t>& const_column, int m) {
    SharedTerms terms;
    terms.matrix = rs::fill_mult_matrix(const_column, m);
    auto& masks = terms.matrix.column_mask;
    terms.left_operand.assign(masks.size(), -1);
    terms.right_operand.assign(masks.size(), -1);
    for (BestPair best = find_best_pair(masks); best.common > 1; best = find_best_pair(masks)) {
        const std::uint32_t shared =
            masks[static_cast<std::size_t>(best.a)] & masks[static_cast<std::size_t>(best.b)];
        masks[static_cast<std::size_t>(best.a)] &= ~shared;
        masks[static_cast<std::size_t>(best.b)] &= ~shared;
        masks.push_back(shared);
        terms.matrix.term_index.push_back(static_cast<int>(masks.size()) - 1);
        terms.left_operand.push_back(best.a);
        terms.right_operand.push_back(best.b);
    }
    terms.matrix.last_term = static_cast<int>(masks.size()) - 1;
    return terms;
}

} // namespace ipgen::rsenc
