// Text shared by the two polynomial evaluators of the decoder core, the Chien
// search (sigma) and the error-magnitude unit (omega): both hold one register
// per coefficient, step each by its own constant per clock and add the
// even- and odd-indexed coefficients in two separate sums.
#pragma once

#include "generators/common/text_sink.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace ipgen::rs {

// "<name><i>": the wire or register of coefficient i, e.g. chreg3.
std::string numbered(const char* name, int i);

// The terms <name>first, <name>first+2, ... up to <name>last, each followed
// by " ^ ", except that an index of last or last-1 (the final one of its
// parity) ends the line with " ;\n". Nothing when first > last.
void write_term_list(TextSink& out, const char* name, int first, int last);

// The names <name>first .. <name>last; none when first > last.
std::vector<std::string> numbered_range(const char* name, int first, int last);

// "<indent><register> <= <value> ;\n" for each register in order: the lists
// that clear the registers at reset and on a synchronous reset.
void write_clears(TextSink& out, std::string_view indent, const std::vector<std::string>& registers,
                  std::string_view value);

// The coefficient indices 1 .. last in the order the multiplexers assign
// them: the even ones ascending, then the odd ones ascending.
std::vector<int> even_then_odd(int last);

} // namespace ipgen::rs
