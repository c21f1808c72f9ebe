// multiplier.v of the encoder: the module `multiplier`, whose output is the
// input symbol times every coefficient g_0 .. g_(r-1) of the generator
// polynomial at once, each product a fixed XOR network. Coefficient i feeds
// slice (r-1-i) of mult_out, so g_0 is the most significant slice.
//
// Two styles: plain (each output bit an XOR of input bits) and shared-term
// (XOR pairs several output bits of one product need are computed once in
// wires g_<i>_<column>). The shared style declares all wires before any
// assignment, so its assignments are gathered in "mult_temp.v", which the
// run appends to multiplier.v after the declarations.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/rs_common/galois_field.hpp"

#include <vector>

namespace ipgen::rsenc {

inline constexpr const char* multiplier_file_name = "multiplier.v";
inline constexpr const char* mult_temp_file_name = "mult_temp.v";

// From the timescale line to the port declarations and the two empty lines
// after them.
void write_module_head(TextSink& out);

// The plain slices of coefficients 0 .. r-1, r = gen_poly_log.size() - 1.
void write_plain_slices(TextSink& out, const rs::GaloisField& field,
                        const std::vector<int>& gen_poly_log);

// The shared-term slices: the wire declarations go to `wires`, everything
// else (term and output assignments) to `assigns`.
void write_shared_slices(TextSink& wires, TextSink& assigns, const rs::GaloisField& field,
                         const std::vector<int>& gen_poly_log);

// The two empty lines and "endmodule" that close the module.
void write_module_end(TextSink& out);

// multiplier.v in the plain style, after the copied header.
void write_multiplier_plain(TextSink& out, const rs::GaloisField& field,
                            const std::vector<int>& gen_poly_log);

// The shared-term style in its two parts. `multiplier` takes, after the
// copied header, two empty lines, the module head and the wire
// declarations; `temp` (mult_temp.v) takes two empty lines and every
// assignment. The module is complete once mult_temp.v and
// write_module_end follow in multiplier.v.
void write_multiplier_shared(TextSink& multiplier, TextSink& temp, const rs::GaloisField& field,
                             const std::vector<int>& gen_poly_log);

} // namespace ipgen::rsenc
