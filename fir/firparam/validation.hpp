// The values firparam refuses before it writes anything: one line on
// standard output naming the line of user_params.txt (or the coefficient
// file), the value and what is accepted; exit status 2. A missing number
// keeps 0, as the reads leave it, and is judged as 0.
#pragma once

#include "fir/common/coefficient_files.hpp"
#include "fir/firparam/on_update.hpp"
#include "fir/firparam/user_params.hpp"

namespace ipgen::fir::param {

// Before the derivation: the shape of every line (a number beyond the
// 32-bit range, more than 99 characters after a number), at least one tap,
// tap, coefficient and output widths of at least 1. With at least one tap
// every divisor of the derivation is at least 1.
void validate_user_file(const UserFileRead& read);

// After the derivation, for fixed coefficients (m_nCoeffLoad 0): at most
// 64 coefficients (pairs) and a coefficient width of at most 32 bits
// (the adjusted one: the conversion is 32-bit).
void validate_fixed_coefficients(const FirUserParams& params, const FirParamDerived& derived);

} // namespace ipgen::fir::param
