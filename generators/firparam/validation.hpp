// The values firparam refuses before it writes anything: one line on
// standard output naming the line of user_params.txt (or the coefficient
// file), the value and what is accepted; exit status 2. A missing number
// keeps 0, as the reads leave it, and is judged as 0.
#pragma once

#include "generators/fir_common/coefficient_files.hpp"
#include "generators/firparam/on_update.hpp"
#include "generators/firparam/user_params.hpp"

#include <vector>

namespace ipgen::fir::param {

// The value checks of validate_user_file on the values alone (a line
// without a number reads as 0 here), in file order.
std::vector<Problem> check_values(const FirUserParams& params);

// Every value firparam refuses, in the order a run checks them: the value
// checks above, then (when they pass) those of validate_counter_widths and
// validate_fixed_coefficients on the values as the derivation normalises
// them. The values are not changed.
std::vector<Problem> check(const FirUserParams& params);

// Before the derivation: the shape of every line (a number beyond the
// 32-bit range, more than 99 characters after a number), at least one tap,
// tap, coefficient and output widths of at least 1, every choice (lines 5
// to 10 and 14) within its table. With at least one tap every divisor of
// the derivation is at least 1.
void validate_user_file(const UserFileRead& read);

// After the derivation, for fixed coefficients (m_nCoeffLoad 0): at most
// 64 coefficients (pairs) and a coefficient width of at most 32 bits
// (the adjusted one: the conversion is 32-bit).
void validate_fixed_coefficients(const FirUserParams& params, const FirParamDerived& derived);

// After the derivation: every counter width NextLog2 gives is defined
// (NextLog2 ends at 256 with -1). So at most 256 taps (LOGN), a tap width
// whose counter TW_COUNT_WIDTH fits, a ratio of at most 256 (DS_SEL_WIDTH)
// and a full output width below 256 (ORDY_COUNT_WIDTH). Beyond them the
// file has no meaning for the core, and its enumerations would run to
// billions of lines.
void validate_counter_widths(const FirUserParams& params, const FirParamDerived& derived);

} // namespace ipgen::fir::param
