// The encoder's generator polynomial in logarithm form, and its "gfile".
#pragma once

#include "common/text_sink.hpp"
#include "rs_common/galois_field.hpp"

#include <vector>

namespace ipgen::rsenc {

// The logarithm of each coefficient, with -1 marking a zero coefficient
// (zero is no power of alpha). The multiplier writers take the polynomial in
// this form: a coefficient alpha^e is the constant multiplier of exponent e,
// and -1 is a slice of constant-zero outputs.
std::vector<int> gen_poly_logs(const rs::GaloisField& field, const std::vector<int>& gen_poly);

// The encoder's gfile (no header): "i log\n" for i = 0 .. r.
void write_gen_poly(TextSink& out, const std::vector<int>& gen_poly_log);

} // namespace ipgen::rsenc
