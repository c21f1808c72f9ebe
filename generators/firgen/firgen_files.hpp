// firgen's files as texts, from typed values: what a run writes, computed
// in memory, for callers that hold the values and coefficients themselves
// (ipgen's FIR core). The program itself keeps its round trip through
// cin.hex on disk, with the same conversion and packing.
#pragma once

#include "generators/common/named_text.hpp"
#include "generators/firgen/firgen_params.hpp"

#include <cstdint>
#include <vector>

namespace ipgen::fir::gen {

// The files firgen writes for values check() accepts, in its order: with
// fixed coefficients cin.hex (cin_cmplx.hex for complex data), then
// parameters.v. `coefficients` are the values of cin.dec (cin_cmplx.dec:
// real and imaginary part of each pair in turn), NUM_COEFFS of them (pairs),
// each within W bits (unsigned for unsigned real data, else signed); they
// are not used with loadable coefficients. A set of the wrong size or a
// value outside W bits throws FatalError (status 2): the caller checks
// them first. parameters.v carries no header.
std::vector<NamedText> write(const FirGenParams& params,
                             const std::vector<std::int64_t>& coefficients);

} // namespace ipgen::fir::gen
