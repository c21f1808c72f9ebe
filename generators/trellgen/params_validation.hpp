// The checks between reading viterbi_params.v and writing parameters.v: a
// value outside the range the decoder core is built for is refused with one
// line naming the item, its value and what is accepted, and exit status 2,
// before parameters.v is created.
#pragma once

#include "generators/trellgen/user_params.hpp"

namespace ipgen::viterbi {

inline constexpr int refused_input_status = 2;

// Checks the record read from the file, with its device class filled in.
// Throws FatalError (status 2) for the first value refused, in file order.
void validate_user_params(const UserParamsReading& reading);

} // namespace ipgen::viterbi
