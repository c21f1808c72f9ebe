// The firparam run: user_params.txt read (or defaulted) -> validation ->
// OnUpdate -> user_params.txt written back -> (fixed coefficients) cin.hex
// or cin_cmplx.hex -> parameters.v -> user_params.txt written again.
#pragma once

#include "generators/common/text_sink.hpp"

namespace ipgen::fir::param {

// Messages go to `console`. Returns the exit status: 0, or 1 when
// parameters.v, user_params.txt or the hex coefficient file could not be
// written (the run goes on after each failure). Throws FatalError for an
// existing user_params.txt that cannot be read (status 1) and for refused
// values (status 2); nothing is written then.
int run_firparam(TextSink& console);

} // namespace ipgen::fir::param
