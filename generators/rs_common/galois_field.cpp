#include "generators/rs_common/galois_field.hpp"

#include <algorithm>

namespace ipgen::rs {

int int_power(int base, int exponent) {
    int result = 1;
    for (int i = 0; i < exponent; ++i) {
        result *= base;
    }
    return result;
}

std::vector<int> unpack_poly_bits(int field_poly, int m) {
    std::vector<int> bits(static_cast<size_t>(std::max(m, 0)) + 1, 0);
    for (int i = m; i >= 0; --i) {
        bits[static_cast<size_t>(i)] = i < 31 ? (field_poly >> i) & 1 : (field_poly < 0 ? 1 : 0);
    }
    return bits;
}

GaloisField build_field(int m, int field_poly) {
    GaloisField field;
    field.m = m;
    field.nlong = int_power(2, m) - 1;
    field.poly_bits = unpack_poly_bits(field_poly, m);

    const size_t elements = static_cast<size_t>(field.nlong) + 1;
    // Room for alpha^m even in the degenerate field m = 1.
    field.gf_exp.assign(std::max<size_t>(elements, static_cast<size_t>(m) + 1), 0);
    field.gf_log.assign(elements, 0);
    auto& exp = field.gf_exp;
    auto& log = field.gf_log;

    // alpha^0 .. alpha^(m-1) are the single bits; alpha^m is the polynomial
    // without its leading term.
    exp[static_cast<size_t>(m)] = 0;
    int a = 1;
    for (int i = 0; i < m; ++i) {
        exp[static_cast<size_t>(i)] = a;
        log[static_cast<size_t>(a)] = i;
        if (field.poly_bits[static_cast<size_t>(i)] == 1) {
            exp[static_cast<size_t>(m)] ^= a;
        }
        a <<= 1;
    }
    log[static_cast<size_t>(exp[static_cast<size_t>(m)])] = m;
    a >>= 1; // mask of the top bit of an element
    for (int i = m + 1; i < field.nlong; ++i) {
        const int previous = exp[static_cast<size_t>(i - 1)];
        exp[static_cast<size_t>(i)] =
            previous >= a ? exp[static_cast<size_t>(m)] ^ ((previous ^ a) << 1) : previous << 1;
        log[static_cast<size_t>(exp[static_cast<size_t>(i)])] = i;
    }
    return field;
}

bool is_primitive(int m, int field_poly) {
    if (m < 1 || m > 30) {
        return false;
    }
    const std::uint32_t top = 1U << m;
    const std::uint32_t reduction = static_cast<std::uint32_t>(field_poly) & (top - 1);
    const std::uint32_t order = top - 1;
    std::uint32_t element = 1;
    for (std::uint32_t i = 1; i <= order; ++i) {
        element <<= 1;
        if ((element & top) != 0) {
            element = (element ^ top) ^ reduction;
        }
        if (element == 1) {
            return i == order;
        }
        if (element == 0) {
            return false;
        }
    }
    return false;
}

std::vector<std::uint32_t> fill_const_columns(const GaloisField& field, std::int64_t p) {
    std::vector<std::uint32_t> columns(static_cast<size_t>(field.m));
    std::int64_t q = p % field.nlong;
    for (auto& column : columns) {
        column = static_cast<std::uint32_t>(field.gf_exp[static_cast<size_t>(q)]);
        q = q + 1 == field.nlong ? 0 : q + 1;
    }
    return columns;
}

MultMatrix fill_mult_matrix(const std::vector<std::uint32_t>& const_column, int m) {
    MultMatrix matrix;
    matrix.m = m;
    matrix.last_term = m - 1;
    const std::uint32_t rows = m >= 32 ? ~0U : (1U << m) - 1;
    matrix.column_mask.reserve(static_cast<size_t>(std::max(m, 0)));
    matrix.term_index.reserve(static_cast<size_t>(std::max(m, 0)));
    for (int c = 0; c < m; ++c) {
        matrix.column_mask.push_back(const_column[static_cast<size_t>(c)] & rows);
        matrix.term_index.push_back(c);
    }
    return matrix;
}

MultMatrix constant_multiplier_matrix(const GaloisField& field, std::int64_t p) {
    return fill_mult_matrix(fill_const_columns(field, p), field.m);
}

} // namespace ipgen::rs
