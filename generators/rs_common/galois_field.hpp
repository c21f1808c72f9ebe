// GF(2^m) in polynomial basis: the antilog and log tables every constant of
// the Reed-Solomon cores is computed from, and the bit matrix that turns a
// multiplication by a constant alpha^p into XOR equations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ipgen::rs {

// base^exponent by repeated multiplication; an exponent <= 0 gives 1.
int int_power(int base, int exponent);

// The coefficients of the field polynomial, index = power of x, for the
// powers m down to 0.
std::vector<int> unpack_poly_bits(int field_poly, int m);

struct GaloisField {
    int m = 0;
    int nlong = 0;              // 2^m - 1, the order of the multiplicative group
    std::vector<int> poly_bits; // m + 1 coefficients; bit m is taken as 1
    std::vector<int> gf_exp;    // gf_exp[i] = alpha^i, i < nlong; later entries 0
    std::vector<int> gf_log;    // gf_log[x] = i with gf_exp[i] = x; gf_log[0] = 0

    // alpha^e for any exponent: e is reduced into 0 .. nlong-1 first.
    int power(std::int64_t e) const {
        if (e >= 0 && e < nlong) {
            return gf_exp[static_cast<std::size_t>(e)];
        }
        std::int64_t reduced = e % nlong;
        if (reduced < 0) {
            reduced += nlong;
        }
        return gf_exp[static_cast<std::size_t>(reduced)];
    }
};

// Builds the tables from the field polynomial's bits 0 .. m-1 by the
// shift-and-reduce recurrence. The polynomial is not checked: with a
// non-primitive one, values repeat and gf_log keeps the highest exponent.
GaloisField build_field(int m, int field_poly);

// True when x^m + (bits 0 .. m-1 of field_poly) is primitive: alpha runs
// through all 2^m - 1 non-zero elements before it returns to 1.
bool is_primitive(int m, int field_poly);

// The columns of the matrix of "multiply by alpha^p":
// column c = alpha^((p + c) mod nlong), c = 0 .. m-1. p must be >= 0.
std::vector<std::uint32_t> fill_const_columns(const GaloisField& field, std::int64_t p);

// A constant multiplier as a bit matrix. Column c stands for the input term
// term_index[c]; column_mask[c] has bit j set when output bit j takes that
// term (mult_bits[j][c] in the tables of the generators).
struct MultMatrix {
    int m = 0;
    std::vector<std::uint32_t> column_mask;
    std::vector<int> term_index;
    int last_term = -1;

    bool bit(int row, int column) const { return ((column_mask[column] >> row) & 1U) != 0; }
};

MultMatrix fill_mult_matrix(const std::vector<std::uint32_t>& const_column, int m);

// fill_const_columns followed by fill_mult_matrix: the matrix of x * alpha^p.
MultMatrix constant_multiplier_matrix(const GaloisField& field, std::int64_t p);

} // namespace ipgen::rs
