// The firparam run: user_params.txt read (or defaulted) and written back.
#pragma once

#include "common/text_sink.hpp"

namespace ipgen::fir::param {

// Messages go to `console`. Returns the exit status: 0, or 1 when
// user_params.txt could not be written.
int run_firparam(TextSink& console);

} // namespace ipgen::fir::param
