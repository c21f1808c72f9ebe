// One coefficient of the FIR core as a fixed-width code: two's complement
// for signed filters, plain binary for unsigned ones. A value the width
// cannot hold is reported and converted all the same (its low bits stand).
#pragma once

#include <cstdint>

namespace ipgen::fir {

inline constexpr const char* range_warning =
    "coeff data seems to be out of range; Results may be wrong\n";

struct CoefficientCode {
    std::uint32_t code = 0;    // the value's bits as the hex file shows them
    bool out_of_range = false; // print range_warning for it
};

// Signed value v with half = 2^(w-1) and full = 2^w as the program computes
// them: a negative v becomes full + v (modulo 2^32) and is out of range when
// that is below half (v < -half); a non-negative v is out of range from half
// on. firparam's 32-bit 2^32 is 0, so at w = 32 it reports every negative
// value; firgen's double-precision 2^32 does not.
CoefficientCode signed_code(std::int64_t v, std::int64_t half, std::int64_t full);

// Unsigned value v: out of range from `limit` on (2^W, the user's width).
CoefficientCode unsigned_code(std::uint64_t v, std::uint64_t limit);

} // namespace ipgen::fir
