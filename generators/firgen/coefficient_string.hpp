// firgen's fixed coefficients: cin.dec (cin_cmplx.dec) converted to
// cin.hex (cin_cmplx.hex) with upper-case digits, then the hex file read
// back and packed into one hexadecimal number, the value of COEFF_VALUE:
// coefficient 0 in the most significant W bits, the last one in the least.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/fir_common/coefficient_files.hpp"
#include "generators/fir_common/run_status.hpp"
#include "generators/firgen/derived_values.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ipgen::fir::gen {

// base^exponent in double precision (firgen passes base 2). A negative
// exponent prints "POW function not supported !" and gives 1.0.
double pow2(double base, int exponent, TextSink& console);

// cin.dec to cin.hex: the n values as read (unsigned ones when u), W bits
// each. False when cin.hex could not be created or written.
bool OnGenCinHex(const DecimalCoefficients& dec, int W, bool u, TextSink& console);

// cin_cmplx.dec to cin_cmplx.hex: n pairs of W-bit signed values. False
// when cin_cmplx.hex could not be created or written.
bool OnGenCinHexCmplx(const DecimalCoefficients& dec, int W, TextSink& console);

// The hexadecimal text of the count*W-bit number whose most significant W
// bits are values[0]: (count*W) div 4 digits, and one more for the top
// (count*W) mod 4 bits when they are not all zero. Values are not masked:
// bits above W add into the next more significant value. Widths 1 to 32.
std::string coeffval2str(const std::vector<std::uint32_t>& values, int W);

// The packing step's result: the coefficient string, or none.
struct CoefficientString {
    std::optional<std::string> text;
    // An unsigned coefficient above 2^W - 1 was found in the hex file: the
    // run ends with "coeff data out of range; exiting".
    bool out_of_range_exit = false;
};

// The packing of hex text already read (unit-testable): n values of W bits
// from "%x\n" lines; unsigned ones must lie in 0 .. 2^W - 1.
CoefficientString pack_real(const HexCoefficients<std::uint32_t>& hex, int n, int W, bool u,
                            TextSink& console);
// n pairs from "%x\t%x\n" lines, packed first(0), second(0), first(1), ...
CoefficientString pack_cmplx(const HexCoefficients<std::uint32_t>& hex, int n, int W,
                             TextSink& console);

// Reads cin.hex (cin_cmplx.hex) from the working directory and packs it.
CoefficientString readcoeff_real(int n, int W, bool u, TextSink& console);
CoefficientString readcoeff_cmplx(int n, int W, TextSink& console);

// The coefficient step of a run with fixed coefficients: cin.dec (or
// cin_cmplx.dec) read and checked (FatalError, status 2, before anything is
// written), converted to the hex file (a hex file that cannot be written is
// printed and recorded in `status`; the run goes on), the hex file read
// back and packed. No coefficient string ends the run: FatalError, status 1.
std::string coefficient_string(const FirGenParams& params, const FirGenKeywords& keywords,
                               const FirGenDerived& derived, TextSink& console, RunStatus& status);

} // namespace ipgen::fir::gen
