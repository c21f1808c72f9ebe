#include "generators/corrgen/mastrovito.hpp"
#include "module_test_params.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <regex>
#include <sstream>
#include <utility>
#include <vector>

namespace ipgen::rs {
namespace {

using test::between;

std::string mastrovito_text(int m, int poly) {
    StringSink out;
    write_mastrovito(out, build_field(m, poly));
    return out.take();
}

std::string output_line(const std::string& text, int bit) {
    return between(text, "assign mult_out[" + std::to_string(bit) + "] = ", " ; \n");
}

TEST(Mastrovito, ReductionRowsAreAlphaMUpToAlpha2mMinus2) {
    // x^4 + x + 1: alpha^4 = x + 1, alpha^5 = x^2 + x, alpha^6 = x^3 + x^2.
    EXPECT_EQ(mastrovito_reduction_rows(unpack_poly_bits(19, 4), 4),
              (std::vector<std::uint32_t>{0b0011, 0b0110, 0b1100}));
    // x^8 + x^4 + x^3 + x^2 + 1: alpha^8 = 29, alpha^9 = 58, ..., as the field tables.
    const GaloisField field = build_field(8, 285);
    const auto rows = mastrovito_reduction_rows(field.poly_bits, 8);
    ASSERT_EQ(rows.size(), 7U);
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(rows[static_cast<size_t>(r)],
                  static_cast<std::uint32_t>(field.gf_exp[static_cast<size_t>(8 + r)]));
    }
    EXPECT_TRUE(mastrovito_reduction_rows(unpack_poly_bits(3, 1), 1).empty());
}

TEST(Mastrovito, FourBitFieldOutputBitsZeroAndOne) {
    const std::string text = mastrovito_text(4, 19);
    EXPECT_EQ(output_line(text, 0),
              "assign mult_out[0] = (mult_in1[0] & mult_in2[0]) ^ (mult_in1[3] & mult_in2[1]) ^ "
              "(mult_in1[2] & mult_in2[2]) ^ (mult_in1[1] & mult_in2[3]) ; \n");
    EXPECT_EQ(output_line(text, 1),
              "assign mult_out[1] = (mult_in1[1] & mult_in2[0]) ^ (mult_in1[0] & mult_in2[1]) ^ "
              "(mult_in1[3] & mult_in2[1]) ^ (mult_in1[3] & mult_in2[2]) ^ "
              "(mult_in1[2] & mult_in2[2]) ^ (mult_in1[2] & mult_in2[3]) ^ "
              "(mult_in1[1] & mult_in2[3]) ; \n");
}

TEST(Mastrovito, OneBitFieldIsASingleAnd) {
    EXPECT_EQ(mastrovito_text(1, 3), "`timescale 1ns/1ns\n\n\n\n\n"
                                     "module mastrovito(\n"
                                     "             mult_out,\n"
                                     "             mult_in1,\n"
                                     "             mult_in2\n"
                                     "                );\n"
                                     "// input ports\n"
                                     "input  [`INPUT_DATA_WIDTH-1:0] mult_in1;\n"
                                     "input  [`INPUT_DATA_WIDTH-1:0] mult_in2;\n\n\n"
                                     "// output ports\n"
                                     "output  [`INPUT_DATA_WIDTH-1:0] mult_out;\n\n\n"
                                     "assign mult_out[0] = (mult_in1[0] & mult_in2[0]) ; \n"
                                     "endmodule\n");
}

TEST(Mastrovito, OnlyTheLowBitsOfThePolynomialCount) {
    // Bit m of the polynomial is implied: 19 and 3 describe the same field.
    EXPECT_EQ(mastrovito_text(4, 19), mastrovito_text(4, 3));
}

// The products of one output line as (mult_in1 index, mult_in2 index).
std::vector<std::pair<int, int>> products(const std::string& line) {
    static const std::regex term(R"(\(mult_in1\[(\d+)\] & mult_in2\[(\d+)\]\))");
    std::vector<std::pair<int, int>> result;
    for (auto it = std::sregex_iterator(line.begin(), line.end(), term);
         it != std::sregex_iterator(); ++it) {
        result.emplace_back(std::stoi((*it)[1]), std::stoi((*it)[2]));
    }
    return result;
}

int field_product(const GaloisField& field, int a, int b) {
    if (a == 0 || b == 0) {
        return 0;
    }
    return field.power(static_cast<std::int64_t>(field.gf_log[static_cast<size_t>(a)]) +
                       field.gf_log[static_cast<size_t>(b)]);
}

// The emitted AND/XOR network, evaluated for every pair of elements, is the
// product of the field's log tables.
TEST(Mastrovito, NetworkMultipliesInTheField) {
    for (const auto& [m, poly] : std::vector<std::pair<int, int>>{
             {2, 7}, {3, 11}, {4, 19}, {5, 37}, {6, 67}, {7, 137}, {8, 285}, {8, 391}}) {
        const GaloisField field = build_field(m, poly);
        const std::string text = mastrovito_text(m, poly);
        // masks[i][q]: the mult_in1 bits ANDed with mult_in2[q] in output bit i.
        std::vector<std::vector<unsigned>> masks(static_cast<size_t>(m),
                                                 std::vector<unsigned>(static_cast<size_t>(m), 0));
        for (int i = 0; i < m; ++i) {
            // i + 1 direct products, q = 0 .. i, each opening its group of q.
            int direct = 0;
            for (const auto& [p, q] : products(output_line(text, i))) {
                direct += p + q == i ? 1 : 0;
                masks[static_cast<size_t>(i)][static_cast<size_t>(q)] ^= 1U << p;
            }
            EXPECT_EQ(direct, i + 1) << "m " << m << " bit " << i;
        }
        for (int a = 0; a <= field.nlong; ++a) {
            for (int b = 0; b <= field.nlong; ++b) {
                int product = 0;
                for (int i = 0; i < m; ++i) {
                    unsigned bit = 0;
                    for (int q = 0; q < m; ++q) {
                        if (((b >> q) & 1) != 0) {
                            bit ^= static_cast<unsigned>(std::popcount(
                                       static_cast<unsigned>(a) &
                                       masks[static_cast<size_t>(i)][static_cast<size_t>(q)])) &
                                   1U;
                        }
                    }
                    product |= static_cast<int>(bit) << i;
                }
                ASSERT_EQ(product, field_product(field, a, b))
                    << "m " << m << " poly " << poly << ": " << a << " * " << b;
            }
        }
    }
}

} // namespace
} // namespace ipgen::rs
