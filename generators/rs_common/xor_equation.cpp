#include "generators/rs_common/xor_equation.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

namespace ipgen::rs {

void TermNames::reserve(std::size_t count, std::size_t length) {
    text_.reserve(count * length);
    begin_.reserve(count + 1);
}

void TermNames::add_bit(std::string_view bus, std::int64_t index) {
    text_ += bus;
    char bit[24] = "[";
    char* end = std::to_chars(bit + 1, bit + sizeof bit - 1, index).ptr;
    *end++ = ']';
    text_.append(bit, end);
    begin_.push_back(text_.size());
}

void TermNames::add_numbered(std::string_view prefix, std::int64_t number) {
    text_ += prefix;
    char digits[24];
    text_.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
    begin_.push_back(text_.size());
}

TermNames bus_term_names(const BusSlice& source, const MultMatrix& matrix) {
    TermNames names;
    const size_t columns = static_cast<size_t>(matrix.last_term + 1);
    names.reserve(columns, source.name.size() + std::strlen("[00000]"));
    for (int c = 0; c <= matrix.last_term; ++c) {
        names.add_bit(source.name, source.offset + matrix.term_index[static_cast<size_t>(c)]);
    }
    return names;
}

void write_xor_equations(TextSink& out, const MultMatrix& matrix, const BusSlice& target,
                         const TermNames& term_names) {
    const size_t columns = static_cast<size_t>(matrix.last_term + 1);
    // Each column's term as it follows another, " ^ <name>", in a slot of
    // its own; the first term of a line is the same text from its third
    // character on, " <name>". A term is then one copy of a whole slot (a
    // fixed size, so no call), of which only the text is kept.
    constexpr size_t slot = 32;
    constexpr size_t separator = std::string_view(" ^").size();
    // (The first term of a line is copied from its slot's third character:
    // the last slot is followed by room for that overreach.)
    std::string slots(columns * slot + separator, ' ');
    std::vector<size_t> slot_length(columns);
    size_t longest = 0;
    for (size_t c = 0; c < columns; ++c) {
        const std::string_view name = term_names[c];
        slot_length[c] = separator + 1 + name.size();
        longest = std::max(longest, slot_length[c]);
        if (slot_length[c] <= slot) {
            char* at = slots.data() + c * slot;
            std::memcpy(at, " ^ ", 3);
            std::memcpy(at + 3, name.data(), name.size());
        }
    }
    const bool fixed_copies = longest <= slot;
    // The columns of each output bit, as one bit per column: the terms of a
    // line are then found without testing every column.
    const size_t words = (columns + 63) / 64;
    std::vector<std::uint64_t> row_columns(static_cast<size_t>(matrix.m) * words, 0);
    size_t term_text = 0;
    const std::uint32_t all_rows = matrix.m >= 32 ? ~0U : (1U << matrix.m) - 1;
    for (size_t c = 0; c < columns; ++c) {
        for (std::uint32_t rows = matrix.column_mask[c] & all_rows; rows != 0; rows &= rows - 1) {
            const auto j = static_cast<size_t>(std::countr_zero(rows));
            row_columns[j * words + c / 64] |= std::uint64_t{1} << (c % 64);
            term_text += slot_length[c];
        }
    }
    // The lines are pieced together in one block and handed on in one
    // write: these equations are most of the generated text. The block has
    // room for a whole slot past the last term.
    const std::string head = "assign " + target.name + "[";
    constexpr size_t longest_index = 20;
    std::string text(static_cast<size_t>(matrix.m) *
                             (head.size() + longest_index + std::strlen("] = 0  ;\n")) +
                         term_text + slot,
                     '\0');
    char* end = text.data();
    const auto put = [&end](std::string_view part) {
        std::memcpy(end, part.data(), part.size());
        end += part.size();
    };
    const auto put_term = [&](size_t c, size_t skip) {
        if (fixed_copies) {
            std::memcpy(end, slots.data() + c * slot + skip, slot);
            end += slot_length[c] - skip;
        } else {
            put(std::string_view(" ^ ").substr(skip));
            put(term_names[c]);
        }
    };
    for (int j = 0; j < matrix.m; ++j) {
        put(head);
        end = std::to_chars(end, end + longest_index, target.offset + j).ptr;
        put("] =");
        size_t skip = separator; // the first term has no " ^"
        for (size_t w = 0; w < words; ++w) {
            for (std::uint64_t bits = row_columns[static_cast<size_t>(j) * words + w]; bits != 0;
                 bits &= bits - 1) {
                put_term(w * 64 + static_cast<size_t>(std::countr_zero(bits)), skip);
                skip = 0;
            }
        }
        if (skip != 0) {
            put(" 0 "); // no term: the constant-zero bit
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
