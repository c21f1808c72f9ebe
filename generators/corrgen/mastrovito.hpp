// mastrovito.v: the general GF(2^m) multiplier of the decoder core, two
// variable m-bit elements in, their product out, written as one AND/XOR
// expression per output bit (the Mastrovito construction).
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/rs_common/galois_field.hpp"

#include <cstdint>
#include <vector>

namespace ipgen::rs {

// The reduction rows alpha^m .. alpha^(2m-2) in polynomial basis: row r has
// bit j set when bit j of alpha^(m + r) is 1. m - 1 rows (none for m = 1),
// built from bits 0 .. m-1 of the field polynomial; bit m is implied.
std::vector<std::uint32_t> mastrovito_reduction_rows(const std::vector<int>& poly_bits, int m);

// The module after the copied header.
void write_mastrovito(TextSink& out, const GaloisField& field);

} // namespace ipgen::rs
