#include "generators/common/c_number.hpp"

#include <limits>

namespace ipgen {

bool is_c_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

CDecimal parse_c_decimal(std::string_view text) {
    CDecimal result;
    size_t pos = 0;
    while (pos < text.size() && is_c_space(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    constexpr std::int64_t int_max = std::numeric_limits<int>::max();
    constexpr std::int64_t int_min = std::numeric_limits<int>::min();
    std::int64_t magnitude = 0;
    const size_t first_digit = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (magnitude <= int_max + 1) {
            magnitude = magnitude * 10 + (text[pos] - '0');
        }
        ++pos;
    }
    if (pos == first_digit) {
        return result;
    }
    result.has_digits = true;
    result.length = pos;
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > int_max) {
        value = int_max;
        result.out_of_range = true;
    } else if (value < int_min) {
        value = int_min;
        result.out_of_range = true;
    }
    result.value = value;
    return result;
}

int c_atoi(std::string_view text) {
    return static_cast<int>(parse_c_decimal(text).value);
}

} // namespace ipgen
