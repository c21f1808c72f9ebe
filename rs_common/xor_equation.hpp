// Constant multipliers written as XOR equations, one line per output bit:
//   assign <target>[<bit>] = <term> ^ <term> ^ ... ;
// The syndrome bank, the Chien search, the error-magnitude unit and the
// encoder all write their constant multipliers in this one form.
#pragma once

#include "common/text_sink.hpp"
#include "rs_common/galois_field.hpp"

#include <cstdint>
#include <functional>
#include <string>

namespace ipgen::rs {

// Writes the name of the input term that matrix column `column` stands for.
using TermWriter = std::function<void(TextSink&, int column)>;

// The right-hand side of output bit `row`: the terms of the columns whose
// bit `row` is set, in ascending column order and joined by " ^ "; "0 " when
// there is none (the constant-zero bit); then " ;\n".
void write_xor_terms(TextSink& out, const MultMatrix& matrix, int row, const TermWriter& term);

// A vector of wires in the generated netlist: name[offset + bit].
struct BusSlice {
    std::string name;
    std::int64_t offset = 0;
};

// "<name>[<offset + term_index[c]>]": a term taken from a bus.
TermWriter bus_terms(const BusSlice& source, const MultMatrix& matrix);

// The equations of target = source * alpha^exponent, for output bits
// 0 .. m-1: "assign <target>[<offset + j>] = " and the terms of row j.
void write_xor_equations(TextSink& out, const MultMatrix& matrix, const BusSlice& target,
                         const TermWriter& term);

// The whole block as the decoder's writers emit it. A negative exponent has
// no constant to multiply by: m lines "assign <target>[<bit>] = 0 ;".
// Otherwise two empty lines, then the equations. Both end in two empty lines.
void write_constant_multiplier(TextSink& out, const GaloisField& field, std::int64_t exponent,
                               const BusSlice& target, const BusSlice& source);

} // namespace ipgen::rs
