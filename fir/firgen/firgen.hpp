// The firgen run: user_params.txt -> keywords and derived values ->
// (fixed coefficients) cin.hex or cin_cmplx.hex and the coefficient string
// -> parameters.v, all in the working directory.
#pragma once

#include "common/text_sink.hpp"

namespace ipgen::fir::gen {

// Messages go to `console`. Returns the exit status: 0 when parameters.v is
// written; 1 when the coefficient step leaves no coefficient string (no
// parameters.v then), when the hex file could not be written (parameters.v
// may then hold the coefficients of an older hex file) or parameters.v
// cannot be written. Throws FatalError
// for a missing user_params.txt (status -1) and for a file the validation
// refuses (status 2); nothing is written then.
int run_firgen(TextSink& console);

} // namespace ipgen::fir::gen
