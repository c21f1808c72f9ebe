// firparam's files as texts, from typed values: what a run writes, in
// memory, for callers that hold the values and coefficients themselves.
// The program itself replaces its files one by one (a failed write keeps
// the old file), with the same texts.
#pragma once

#include "generators/common/named_text.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/fir_common/coefficient_files.hpp"
#include "generators/firparam/user_params.hpp"

#include <vector>

namespace ipgen::fir::param {

// The files a run writes for values check() accepts, in its order:
// user_params.txt (the values as the derivation normalises them), with
// fixed coefficients cin.hex (cin_cmplx.hex for complex data), then
// parameters.v. `coefficients` is the decimal file as read (its layout is
// decimal_layout(params), NUM_COEFFS values or pairs); it is not used with
// loadable coefficients. A coefficient outside the width prints the range
// warning on `console`, as a run does.
std::vector<NamedText> write(const FirUserParams& params, const DecimalCoefficients& coefficients,
                             TextSink& console);

} // namespace ipgen::fir::param
