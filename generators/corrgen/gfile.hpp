// The decoder's "gfile": the generator polynomial, coefficient by coefficient.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/rs_common/galois_field.hpp"

#include <vector>

namespace ipgen::rs {

// gfile after the copied header: "i coefficient log \n" for i = 0 .. r.
// A zero coefficient has no logarithm and is written with 0.
void write_gfile(TextSink& out, const GaloisField& field, const std::vector<int>& gen_poly);

} // namespace ipgen::rs
