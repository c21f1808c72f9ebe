// Numbers read the way the C library reads them: atoi() on command-line
// values, "%d" conversions on parameter files.
#pragma once

#include <cstdint>
#include <string_view>

namespace ipgen {

struct CDecimal {
    std::int64_t value = 0; // clamped to the int range when out_of_range
    bool has_digits = false;
    bool out_of_range = false; // the digits name a number beyond 32-bit int
    size_t length = 0;         // characters consumed, 0 when there were no digits
};

// Leading white space, an optional sign, then decimal digits up to the first
// other character. No digits gives value 0 and has_digits false.
CDecimal parse_c_decimal(std::string_view text);

// atoi(): the value of parse_c_decimal, clamped to the int range.
int c_atoi(std::string_view text);

// The white space of isspace() in the C locale.
bool is_c_space(char c);

} // namespace ipgen
