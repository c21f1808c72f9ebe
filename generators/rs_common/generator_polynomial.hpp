// The generator polynomial of a Reed-Solomon code: the product of the r
// factors (x + root), the roots spaced rootspace apart from first_root.
#pragma once

#include "generators/rs_common/galois_field.hpp"

#include <cstdint>
#include <vector>

namespace ipgen::rs {

// gen(x) = product over s = 0 .. r-1 of (x + alpha^((first_root + s) * rootspace)),
// coefficients as field elements, index = power of x; gen[r] = 1.
// Each exponent is formed exactly and reduced modulo nlong.
std::vector<int> generator_polynomial(const GaloisField& field, std::int64_t first_root,
                                      std::int64_t rootspace, int r);

// The logarithm of each coefficient, with -1 marking a zero coefficient
// (zero is no power of alpha). The encoder's multiplier takes the polynomial
// in this form: a coefficient alpha^e is the constant multiplier of exponent
// e, and -1 is a slice of constant-zero outputs.
std::vector<int> gen_poly_logs(const GaloisField& field, const std::vector<int>& gen_poly);

} // namespace ipgen::rs
