// Fixed-width hexadecimal text of a coefficient code.
#pragma once

#include <cstdint>
#include <string>

namespace ipgen::fir {

// firgen writes the digits A to F in upper case, firparam in lower case;
// both read either.
enum class DigitCase { upper, lower };

// Exactly ceil(width / 4) digits (none for width <= 0), filled from the
// right with value bits 3..0, 7..4, ...: the value zero-padded, and only its
// low 4 * ceil(width / 4) bits shown.
std::string itohex(std::uint64_t value, int width, DigitCase digits);

} // namespace ipgen::fir
