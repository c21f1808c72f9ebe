// firparam's coefficient conversion: cin.dec (cin_cmplx.dec) to cin.hex
// (cin_cmplx.hex) with the same file formats, messages and range rules as
// firgen, but with the adjusted coefficient width (one more bit in
// unsigned mode), 32-bit unsigned arithmetic and lower-case digits.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/fir_common/coefficient_files.hpp"
#include "generators/fir_common/run_status.hpp"
#include "generators/firparam/on_update.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace ipgen::fir::param {

// 2^n in 32 bits: 1 for n below 0, 0 for n of 32 or more.
std::uint32_t pow2(std::int64_t n);

// The codes of the values as read: signed mode (m_nArithmeticType 0, and
// always for complex data) against half = pow2(w - 1) and full = pow2(w);
// unsigned mode out of range from half = 2^(user coefficient width) on.
std::vector<CoefficientCode> coefficient_codes(const DecimalCoefficients& dec, std::int64_t w,
                                               bool unsigned_mode);

// The decimal file layout of the run: pairs for complex data, unsigned
// values when m_nArithmeticType is not 0.
DecimalLayout decimal_layout(const FirUserParams& params);

// OnGenCinHex / OnGenCinHexCmplx: the conversion step, given the decimal
// file as read (m_nNumCoeffs values or pairs). The hex file replaces the
// old one through a temporary file and a rename, so a concurrent run never
// reads it half-written; when it cannot, "Error opening <hex>" or "Error
// writing <hex>" is printed and the step recorded as failed in `status`.
// Returns the text of the hex file as converted, which the run's
// parameters.v takes (its result then depends on its own inputs only), or
// nullopt after "Error opening <dec>" when the decimal file was not read.
std::optional<std::string> OnGenCinHex(const DecimalCoefficients& dec, const FirUserParams& params,
                                       const FirParamDerived& derived, TextSink& console,
                                       RunStatus& status);
std::optional<std::string> OnGenCinHexCmplx(const DecimalCoefficients& dec,
                                            const FirParamDerived& derived, TextSink& console,
                                            RunStatus& status);

} // namespace ipgen::fir::param
