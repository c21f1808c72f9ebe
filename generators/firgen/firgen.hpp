// The firgen run: user_params.txt -> keywords and derived values ->
// (fixed coefficients) cin.hex or cin_cmplx.hex and the coefficient string
// -> parameters.v, all in the working directory.
#pragma once

#include "generators/common/text_sink.hpp"

namespace ipgen::fir::gen {

// Messages go to `console`. Returns the exit status: 0 when parameters.v is
// written, 1 when it is written but the hex file could not be (parameters.v
// may then hold the coefficients of an older hex file). Throws FatalError
// for a missing user_params.txt (status -1), a file the validation refuses
// (status 2; nothing is written then), a coefficient step that leaves no
// coefficient string and a parameters.v that cannot be written (status 1).
int run_firgen(TextSink& console);

} // namespace ipgen::fir::gen
