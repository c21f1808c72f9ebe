#include "rs_common/xor_equation.hpp"

#include <bit>
#include <cstdint>
#include <vector>

namespace ipgen::rs {

std::vector<std::string> bus_term_names(const BusSlice& source, const MultMatrix& matrix) {
    std::vector<std::string> names;
    for (int c = 0; c <= matrix.last_term; ++c) {
        names.push_back(source.name + "[" +
                        std::to_string(source.offset + matrix.term_index[static_cast<size_t>(c)]) +
                        "]");
    }
    return names;
}

void write_xor_equations(TextSink& out, const MultMatrix& matrix, const BusSlice& target,
                         const std::vector<std::string>& term_names) {
    const size_t columns = static_cast<size_t>(matrix.last_term + 1);
    // The columns of each output bit, as one bit per column: the terms of a
    // line are then found without testing every column.
    const size_t words = (columns + 63) / 64;
    std::vector<std::uint64_t> row_columns(static_cast<size_t>(matrix.m) * words, 0);
    size_t term_text = 0;
    for (size_t c = 0; c < columns; ++c) {
        for (int j = 0; j < matrix.m; ++j) {
            if (matrix.bit(j, static_cast<int>(c))) {
                row_columns[static_cast<size_t>(j) * words + c / 64] |= std::uint64_t{1}
                                                                        << (c % 64);
                term_text += term_names[c].size() + 3;
            }
        }
    }
    // The lines are gathered and handed on in one write: one call per term
    // would be hundreds of calls per block.
    const std::string head = "assign " + target.name + "[";
    std::string text;
    text.reserve(static_cast<size_t>(matrix.m) * (head.size() + 32) + term_text);
    for (int j = 0; j < matrix.m; ++j) {
        text += head;
        text += std::to_string(target.offset + j);
        text += "] = ";
        bool first = true;
        for (size_t w = 0; w < words; ++w) {
            for (std::uint64_t bits = row_columns[static_cast<size_t>(j) * words + w]; bits != 0;
                 bits &= bits - 1) {
                if (!first) {
                    text += " ^ ";
                }
                text += term_names[w * 64 + static_cast<size_t>(std::countr_zero(bits))];
                first = false;
            }
        }
        if (first) {
            text += "0 ";
        }
        text += " ;\n";
    }
    out.write(text);
}

void write_constant_multiplier(TextSink& out, const GaloisField& field, std::int64_t exponent,
                               const BusSlice& target, const BusSlice& source) {
    if (exponent < 0) {
        for (int j = 0; j < field.m; ++j) {
            out.print("assign %s[%lld] = 0 ;\n", target.name.c_str(),
                      static_cast<long long>(target.offset + j));
        }
    } else {
        const MultMatrix matrix = constant_multiplier_matrix(field, exponent);
        out.write("\n\n");
        write_xor_equations(out, matrix, target, bus_term_names(source, matrix));
    }
    out.write("\n\n");
}

} // namespace ipgen::rs
