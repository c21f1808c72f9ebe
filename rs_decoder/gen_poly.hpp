// The generator polynomial of the code and the decoder's "gfile".
#pragma once

#include "common/text_sink.hpp"
#include "rs_decoder/galois_field.hpp"

#include <cstdint>
#include <vector>

namespace ipgen::rs {

// gen(x) = product over s = 0 .. r-1 of (x + alpha^((first_root + s) * rootspace)),
// coefficients as field elements, index = power of x; gen[r] = 1.
// Each exponent is formed exactly and reduced modulo nlong.
std::vector<int> generator_polynomial(const GaloisField& field, std::int64_t first_root,
                                      std::int64_t rootspace, int r);

// gfile after the copied header: "i coefficient log \n" for i = 0 .. r.
// A zero coefficient has no logarithm and is written with 0.
void write_gen_poly(TextSink& out, const GaloisField& field, const std::vector<int>& gen_poly);

} // namespace ipgen::rs
