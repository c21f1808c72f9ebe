// Sized Verilog binary literals as the generated files write them: the width
// in decimal, "'b", then the low `width` bits of the value, most significant
// first. Negative values show their two's-complement bits.
#pragma once

#include <cstdint>
#include <string>

namespace ipgen {

// The low `width` bits of `value`, most significant first; "" for width <= 0.
std::string binary_digits(std::int64_t value, int width);

// "<width>'b<digits>", e.g. sized_binary(8, 255) == "8'b11111111".
std::string sized_binary(int width, std::int64_t value);

// "<width>'b" followed by `width` zeros: the reset literal of an m-bit register.
std::string zero_literal(int width);

} // namespace ipgen
