// gfinvrom.v: the decoder's inverse ROM, alpha^j -> alpha^-j, which turns the
// division of Forney's formula into a multiplication.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/rs_common/galois_field.hpp"

namespace ipgen::rs {

// The module after the copied header: one case item per non-zero element in
// exponent order (alpha^j -> alpha^-j), then zero -> zero, then the default.
void write_gfinvrom(TextSink& out, const GaloisField& field);

} // namespace ipgen::rs
