// The field tables, the constant-multiplier matrices and the XOR-equation
// form both Reed-Solomon generators write them in.
#include "generators/rs_common/galois_field.hpp"
#include "generators/rs_common/xor_equation.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ipgen::rs {
namespace {

std::vector<int> table_slice(const std::vector<int>& table, size_t first, size_t count) {
    return {table.begin() + static_cast<std::ptrdiff_t>(first),
            table.begin() + static_cast<std::ptrdiff_t>(first + count)};
}

TEST(GaloisField, IntPower) {
    EXPECT_EQ(int_power(2, 0), 1);
    EXPECT_EQ(int_power(2, -3), 1);
    EXPECT_EQ(int_power(2, 8), 256);
    EXPECT_EQ(int_power(2, 12), 4096);
}

TEST(GaloisField, TablesOfX3PlusXPlus1) {
    const GaloisField field = build_field(3, 11);
    EXPECT_EQ(field.nlong, 7);
    EXPECT_EQ(table_slice(field.gf_exp, 0, 7), (std::vector<int>{1, 2, 4, 3, 6, 7, 5}));
    EXPECT_EQ(table_slice(field.gf_log, 1, 7), (std::vector<int>{0, 1, 3, 2, 6, 4, 5}));
    // Zero has no logarithm; its entry stays 0, like that of 1.
    EXPECT_EQ(field.gf_log[0], 0);
    EXPECT_EQ(field.gf_log[1], 0);
}

TEST(GaloisField, TablesOfX4PlusXPlus1) {
    const GaloisField field = build_field(4, 19);
    EXPECT_EQ(table_slice(field.gf_exp, 0, 15),
              (std::vector<int>{1, 2, 4, 8, 3, 6, 12, 11, 5, 10, 7, 14, 15, 13, 9}));
    EXPECT_EQ(table_slice(field.gf_log, 1, 15),
              (std::vector<int>{0, 1, 4, 2, 8, 5, 10, 3, 14, 9, 7, 6, 13, 11, 12}));
}

TEST(GaloisField, AlphaToTheEighthInGf256) {
    const GaloisField field = build_field(8, 285);
    EXPECT_EQ(field.gf_exp[8], 29);
    EXPECT_EQ(unpack_poly_bits(285, 8), (std::vector<int>{1, 0, 1, 1, 1, 0, 0, 0, 1}));
}

TEST(GaloisField, ConstantColumnsWrapModuloTheGroupOrder) {
    const GaloisField field = build_field(4, 19);
    // alpha^14, alpha^0, alpha^1, alpha^2
    EXPECT_EQ(fill_const_columns(field, 14), (std::vector<std::uint32_t>{9, 1, 2, 4}));
}

TEST(GaloisField, MultiplyingByOneIsTheIdentityMatrix) {
    const GaloisField field = build_field(8, 285);
    const MultMatrix matrix = constant_multiplier_matrix(field, 0);
    EXPECT_EQ(matrix.last_term, 7);
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(matrix.term_index[static_cast<size_t>(j)], j);
        for (int c = 0; c < 8; ++c) {
            EXPECT_EQ(matrix.bit(j, c), j == c) << "row " << j << " column " << c;
        }
    }
}

TEST(GaloisField, PrimitivePolynomials) {
    EXPECT_TRUE(is_primitive(8, 285));
    EXPECT_TRUE(is_primitive(3, 11));
    EXPECT_TRUE(is_primitive(12, 4179));
    EXPECT_FALSE(is_primitive(8, 283)); // x^8+x^4+x^3+x+1: irreducible, alpha has order 51
    EXPECT_FALSE(is_primitive(4, 31));  // x^4+x^3+x^2+x+1: alpha has order 5
}

TEST(XorEquation, BitWithoutTermsIsConstantZero) {
    MultMatrix matrix;
    matrix.m = 2;
    matrix.column_mask = {0b01, 0b01};
    matrix.term_index = {0, 1};
    matrix.last_term = 1;
    StringSink sink;
    write_xor_equations(sink, matrix, BusSlice{"q", 4}, bus_term_names(BusSlice{"d", 6}, matrix));
    EXPECT_EQ(sink.text(), "assign q[4] = d[6] ^ d[7] ;\n"
                           "assign q[5] = 0  ;\n");
}

TEST(XorEquation, LongAndShortNamesMixInOneLine) {
    // More than 64 columns (two words per line) and names beyond the
    // 32-character slot of the fast copy.
    MultMatrix matrix;
    matrix.m = 2;
    for (int c = 0; c < 70; ++c) {
        matrix.column_mask.push_back(c == 0 || c == 69 ? 0b11 : 0b00);
        matrix.term_index.push_back(c);
    }
    matrix.last_term = 69;
    const std::string long_bus(40, 'x');
    for (const std::string& bus : {std::string("d"), long_bus}) {
        StringSink sink;
        write_xor_equations(sink, matrix, BusSlice{"q", 0},
                            bus_term_names(BusSlice{bus, 1}, matrix));
        const std::string line = bus + "[1] ^ " + bus + "[70] ;\n";
        EXPECT_EQ(sink.text(), "assign q[0] = " + line + "assign q[1] = " + line);
    }
}

} // namespace
} // namespace ipgen::rs
