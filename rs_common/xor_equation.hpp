// Constant multipliers written as XOR equations, one line per output bit:
//   assign <target>[<bit>] = <term> ^ <term> ^ ... ;
// The syndrome bank, the Chien search, the error-magnitude unit and the
// encoder all write their constant multipliers in this one form.
#pragma once

#include "common/text_sink.hpp"
#include "rs_common/galois_field.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace ipgen::rs {

// A vector of wires in the generated netlist: name[offset + bit].
struct BusSlice {
    std::string name;
    std::int64_t offset = 0;
};

// The name of each matrix column taken from a bus:
// "<name>[<offset + term_index[c]>]".
std::vector<std::string> bus_term_names(const BusSlice& source, const MultMatrix& matrix);

// The equations of target = source * alpha^exponent, for output bits
// 0 .. m-1: "assign <target>[<offset + j>] = ", then the names of the
// columns whose bit j is set (term_names[c] for column c), in ascending
// column order and joined by " ^ " ("0 " when there is none: the
// constant-zero bit), then " ;\n".
void write_xor_equations(TextSink& out, const MultMatrix& matrix, const BusSlice& target,
                         const std::vector<std::string>& term_names);

// The whole block as the decoder's writers emit it. A negative exponent has
// no constant to multiply by: m lines "assign <target>[<bit>] = 0 ;".
// Otherwise two empty lines, then the equations. Both end in two empty lines.
void write_constant_multiplier(TextSink& out, const GaloisField& field, std::int64_t exponent,
                               const BusSlice& target, const BusSlice& source);

} // namespace ipgen::rs
