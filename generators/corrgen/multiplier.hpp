// multiplier.v: the constant-multiplier bank of the syndrome unit. Slice s
// of the CHKSYMBS_WIDTH-bit bus (bits s*m .. s*m+m-1, bit s*m the
// coefficient of alpha^0) is multiplied by the s-th root of the generator
// polynomial, each output bit written as an XOR of input bits.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/rs_common/galois_field.hpp"

#include <cstdint>
#include <vector>

namespace ipgen::rs {

// The exponents of the generator's roots, E[s] = ((first_root + s) *
// rootspace) mod nlong for s = 0 .. r-1, with the remainder of truncating
// division: negative only when first_root or rootspace is negative.
std::vector<std::int64_t> root_exponents(std::int64_t first_root, std::int64_t rootspace, int nlong,
                                         int r);

// The whole file (it carries no copy of header.v): the module frame, then one
// constant multiplier per slice, mult_out = mult_in * alpha^E[s]. A slice
// with a negative exponent has constant-zero outputs.
void write_multiplier(TextSink& out, const GaloisField& field, std::int64_t first_root,
                      std::int64_t rootspace, int r);

} // namespace ipgen::rs
