// The two look-up ROMs of the decoder: gfinvrom (the inverse of a field
// element) and gfromxp (the powers of the code's base element beta).
#pragma once

#include "common/text_sink.hpp"
#include "rs_common/galois_field.hpp"

namespace ipgen::rs {

// gfinvrom.v after the copied header: one case item per non-zero element in
// exponent order (alpha^j -> alpha^-j), then zero -> zero, then the default.
void write_gfinvrom(TextSink& out, const GaloisField& field);

// gfromxp.v after the copied header: address j -> beta^j with
// beta = alpha^rootspace, then the all-ones address -> 1, then the default.
void write_gfromxp(TextSink& out, const GaloisField& field, int rootspace);

} // namespace ipgen::rs
