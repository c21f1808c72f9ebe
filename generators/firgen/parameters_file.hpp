// firgen's parameters.v: the Verilog include file that configures the FIR
// core. Every define stands on its own line followed by an empty line; the
// user's choices are bare defines, the derived values valued ones, the
// _EQ_ defines carry their number in the name for `ifdef selection.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/firgen/derived_values.hpp"

#include <optional>
#include <string>

namespace ipgen::fir::gen {

inline constexpr const char* parameters_file_name = "parameters.v";

// `coefficients` is the packed coefficient string; COEFF_VALUE is written
// when the coefficient mode is COEFF_DEFAULT (the run provides the string
// then).
void write_parameters(TextSink& out, const FirGenParams& params, const FirGenKeywords& keywords,
                      const FirGenDerived& derived, const std::string& coefficients);

// Creates parameters.v and writes it; FatalError "Error opening
// parameters.v" or "Error writing parameters.v", status 1.
void write_parameters_file(const FirGenParams& params, const FirGenKeywords& keywords,
                           const FirGenDerived& derived, const std::string& coefficients);

} // namespace ipgen::fir::gen
