// Constant multipliers written as XOR equations, one line per output bit:
//   assign <target>[<bit>] = <term> ^ <term> ^ ... ;
// The syndrome bank, the Chien search, the error-magnitude unit and the
// encoder all write their constant multipliers in this one form.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/rs_common/galois_field.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ipgen::rs {

// A vector of wires in the generated netlist: name[offset + bit].
struct BusSlice {
    std::string name;
    std::int64_t offset = 0;
};

// The names of a matrix's columns, kept end to end in one string: a
// multiplier has a few dozen short names, and one string each would cost
// more to build than the equations that use them.
class TermNames {
  public:
    // Room for `count` names of about `length` characters.
    void reserve(std::size_t count, std::size_t length);
    // Appends the name "<bus>[<index>]".
    void add_bit(std::string_view bus, std::int64_t index);
    // Appends the name "<prefix><number>".
    void add_numbered(std::string_view prefix, std::int64_t number);

    std::string_view operator[](std::size_t column) const {
        return std::string_view(text_).substr(begin_[column], begin_[column + 1] - begin_[column]);
    }
    std::size_t size() const { return begin_.size() - 1; }

  private:
    std::string text_;
    std::vector<std::size_t> begin_{0}; // name c is text_[begin_[c], begin_[c + 1])
};

// The name of each matrix column taken from a bus:
// "<name>[<offset + term_index[c]>]".
TermNames bus_term_names(const BusSlice& source, const MultMatrix& matrix);

// The equations of target = source * alpha^exponent, for output bits
// 0 .. m-1: "assign <target>[<offset + j>] = ", then the names of the
// columns whose bit j is set (term_names[c] for column c), in ascending
// column order and joined by " ^ " ("0 " when there is none: the
// constant-zero bit), then " ;\n".
void write_xor_equations(TextSink& out, const MultMatrix& matrix, const BusSlice& target,
                         const TermNames& term_names);

// The whole block as the decoder's writers emit it. A negative exponent has
// no constant to multiply by: m lines "assign <target>[<bit>] = 0 ;".
// Otherwise two empty lines, then the equations. Both end in two empty lines.
void write_constant_multiplier(TextSink& out, const GaloisField& field, std::int64_t exponent,
                               const BusSlice& target, const BusSlice& source);

} // namespace ipgen::rs
