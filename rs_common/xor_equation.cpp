#include "rs_common/xor_equation.hpp"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

namespace ipgen::rs {

void TermNames::add_bit(std::string_view bus, std::int64_t index) {
    text_ += bus;
    text_ += '[';
    char digits[24];
    text_.append(digits, std::to_chars(digits, digits + sizeof digits, index).ptr);
    text_ += ']';
    begin_.push_back(text_.size());
}

void TermNames::add(std::string_view name) {
    text_ += name;
    begin_.push_back(text_.size());
}

TermNames bus_term_names(const BusSlice& source, const MultMatrix& matrix) {
    TermNames names;
    for (int c = 0; c <= matrix.last_term; ++c) {
        names.add_bit(source.name, source.offset + matrix.term_index[static_cast<size_t>(c)]);
    }
    return names;
}

void write_xor_equations(TextSink& out, const MultMatrix& matrix, const BusSlice& target,
                         const TermNames& term_names) {
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
    // The lines are pieced together in one block of known size and handed
    // on in one write: these equations are most of the generated text.
    const std::string head = "assign " + target.name + "[";
    constexpr size_t longest_index = 20;
    std::string text(static_cast<size_t>(matrix.m) *
                             (head.size() + longest_index + std::strlen("] = 0  ;\n")) +
                         term_text,
                     '\0');
    char* end = text.data();
    const auto put = [&end](std::string_view part) {
        std::memcpy(end, part.data(), part.size());
        end += part.size();
    };
    for (int j = 0; j < matrix.m; ++j) {
        put(head);
        end = std::to_chars(end, end + longest_index, target.offset + j).ptr;
        put("] = ");
        bool first = true;
        for (size_t w = 0; w < words; ++w) {
            for (std::uint64_t bits = row_columns[static_cast<size_t>(j) * words + w]; bits != 0;
                 bits &= bits - 1) {
                if (!first) {
                    put(" ^ ");
                }
                put(term_names[w * 64 + static_cast<size_t>(std::countr_zero(bits))]);
                first = false;
            }
        }
        if (first) {
            put("0 ");
        }
        put(" ;\n");
    }
    text.resize(static_cast<size_t>(end - text.data()));
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
