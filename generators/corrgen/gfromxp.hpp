// gfromxp.v: the decoder's power ROM, address j -> beta^j with
// beta = alpha^rootspace, the code's base element.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/rs_common/galois_field.hpp"

namespace ipgen::rs {

// The module after the copied header: address j -> beta^j for j = 0 ..
// nlong-1, then the all-ones address -> 1, then the default.
void write_gfromxp(TextSink& out, const GaloisField& field, int rootspace);

} // namespace ipgen::rs
