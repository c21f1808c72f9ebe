#include "generators/corrgen/mastrovito.hpp"

namespace ipgen::rs {

std::vector<std::uint32_t> mastrovito_reduction_rows(const std::vector<int>& poly_bits, int m) {
    std::vector<std::uint32_t> rows;
    if (m < 2) {
        return rows;
    }
    auto bit = [](std::uint32_t row, int j) { return (row >> j) & 1U; };
    // alpha^m: the field polynomial without its leading term.
    std::uint32_t alpha_m = 0;
    for (int j = 0; j < m; ++j) {
        alpha_m |= static_cast<std::uint32_t>(poly_bits[static_cast<size_t>(j)] & 1) << j;
    }
    rows.push_back(alpha_m);
    // Each further row is the previous one times alpha: shift up one bit;
    // the bit that falls out of the top comes back as bit 0 and adds the
    // higher bits of alpha^m.
    for (int r = 1; r <= m - 2; ++r) {
        const std::uint32_t previous = rows.back();
        const std::uint32_t carry = bit(previous, m - 1);
        std::uint32_t row = carry;
        for (int j = 1; j < m; ++j) {
            row |= (bit(previous, j - 1) ^ (carry & bit(alpha_m, j))) << j;
        }
        rows.push_back(row);
    }
    return rows;
}

void write_mastrovito(TextSink& out, const GaloisField& field) {
    const int m = field.m;
    const std::vector<std::uint32_t> rows = mastrovito_reduction_rows(field.poly_bits, m);

    out.write("`timescale 1ns/1ns\n"
              "\n"
              "\n"
              "\n"
              "\n");
    out.write("module mastrovito(\n"
              "             mult_out,\n"
              "             mult_in1,\n"
              "             mult_in2\n"
              "                );\n");
    out.write("// input ports\n"
              "input  [`INPUT_DATA_WIDTH-1:0] mult_in1;\n"
              "input  [`INPUT_DATA_WIDTH-1:0] mult_in2;\n"
              "\n"
              "\n");
    out.write("// output ports\n"
              "output  [`INPUT_DATA_WIDTH-1:0] mult_out;\n"
              "\n"
              "\n");
    // Output bit i sums the partial products mult_in1[p] & mult_in2[q] of
    // degree p + q = i, and those of degree m + r whose reduction row r has
    // bit i set. Grouped by q: the direct product first, then the folded ones
    // mult_in1[m-1-k] & mult_in2[q] (degree m + q - k - 1), k ascending.
    for (int i = 0; i < m; ++i) {
        out.print("assign mult_out[%d] = ", i);
        out.print("(mult_in1[%d]", i);
        out.print(" & mult_in2[%d])", 0);
        for (int q = 1; q < m; ++q) {
            if (i >= q) {
                out.print(" ^ (mult_in1[%d]", i - q);
                out.print(" & mult_in2[%d])", q);
            }
            for (int k = 0; k < q; ++k) {
                if (((rows[static_cast<size_t>(q - k - 1)] >> i) & 1U) != 0) {
                    out.print(" ^ (mult_in1[%d]", m - 1 - k);
                    out.print(" & mult_in2[%d])", q);
                }
            }
        }
        out.write(" ; \n");
    }
    out.write("endmodule\n");
}

} // namespace ipgen::rs
