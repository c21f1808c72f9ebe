// multiplier.v of the encoder: the module `multiplier`, whose output is the
// input symbol times every coefficient g_0 .. g_(r-1) of the generator
// polynomial at once, each product a fixed XOR network. Coefficient i feeds
// slice (r-1-i) of mult_out, so g_0 is the most significant slice.
//
// Two styles: plain (each output bit an XOR of input bits) and shared-term
// (XOR pairs several output bits of one product need are computed once in
// wires g_<i>_<column>). The shared style declares all wires before any
// assignment, so its assignments are gathered in "mult_temp.v" and appended.
#pragma once

#include "common/text_sink.hpp"
#include "rs_common/galois_field.hpp"

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

void write_module_end(TextSink& out);

// The whole file in the plain style; the copied header comes first.
// Throws cannot_open for "multiplier.v" or "header.v".
void write_multiplier_plain(const rs::GaloisField& field, const std::vector<int>& gen_poly_log);

// The whole file in the shared-term style, through "mult_temp.v", which stays
// in the directory. Creates "multiplier.v", then "mult_temp.v", then copies
// the header; throws cannot_open with the name of the file that failed.
void write_multiplier_shared(const rs::GaloisField& field, const std::vector<int>& gen_poly_log);

} // namespace ipgen::rsenc
