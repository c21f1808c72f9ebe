// Greedy extraction of shared XOR pairs from one constant multiplier. Two
// input bits that feed two or more of the same output bits are XORed once
// into a new term (a wire g_<coefficient>_<column> in the netlist), which
// then feeds those outputs in their place.
#pragma once

#include "generators/rs_common/galois_field.hpp"

#include <cstdint>
#include <vector>

namespace ipgen::rsenc {

struct SharedTerms {
    // Columns 0 .. m-1 are the input bits mult_in[c]; columns m .. last_term
    // are the extracted terms, in the order they were found. column_mask[c]
    // has bit j set when output bit j takes column c.
    rs::MultMatrix matrix;
    // For an extracted column: the two columns it is the XOR of; -1 for the
    // input columns.
    std::vector<int> left_operand;
    std::vector<int> right_operand;

    int extracted_count() const { return matrix.last_term + 1 - matrix.m; }
};

// Each pass looks at every pair (a, b), a < b, in ascending order and keeps
// the first pair with the strictly largest number of common output bits. If
// that number is 2 or more the common bits become a new column, are cleared
// in a and b, and a new pass starts; otherwise extraction ends. Every output
// bit keeps its XOR value.
SharedTerms extract_shared_terms(const std::vector<std::uint32_t>& const_column, int m);

} // namespace ipgen::rsenc
