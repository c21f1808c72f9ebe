// firparam's parameters.v: a banner, the basic user defines, the filter
// type group, the calculated defines, the enumerations (NUM_TAPS_1 ...)
// and, for fixed coefficients, one COEFF_FIXED define per coefficient.
// The layout differs from firgen's parameters.v; the two are not
// interchangeable.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/firparam/on_update.hpp"

#include <optional>
#include <string>
#include <vector>

namespace ipgen::fir::param {

inline constexpr const char* parameters_file_name = "parameters.v";

// The coefficients of the fixed-coefficient section: the tokens of cin.hex
// (pairs of cin_cmplx.hex flattened), or nullopt for the numbered defaults
// 1, 2, 3, ... .
using FixedTokens = std::optional<std::vector<std::string>>;

// The whole file. `fixed` is used when m_nCoeffLoad is 0 and must then
// hold m_nNumCoeffs tokens (pairs for complex data).
void write_params(TextSink& out, const FirUserParams& params, const FirParamDerived& derived,
                  const FixedTokens& fixed);

// The tokens of the hex file, read as the fixed-coefficient section reads
// them; when the file cannot be opened or lacks a token, prints "Error
// reading coeff hex file: <file>; Using default coeff values\n" and gives
// nullopt.
FixedTokens read_fixed_tokens(const FirUserParams& params, const FirParamDerived& derived,
                              TextSink& console);

// WriteParamsFile: creates parameters.v and writes it. The fixed
// coefficients are those of `converted_hex`, the hex file text this run
// converted, or else those of an existing hex file (read_fixed_tokens).
// Prints "Error opening file for writing\n" when it cannot be created (and
// "Error writing parameters.v\n" when it cannot be written completely) and
// then returns false.
bool WriteParamsFile(const FirUserParams& params, const FirParamDerived& derived,
                     const std::optional<std::string>& converted_hex, TextSink& console);

} // namespace ipgen::fir::param
