#include "generators/common/binary_literal.hpp"

namespace ipgen {

std::string binary_digits(std::int64_t value, int width) {
    std::string digits;
    if (width <= 0) {
        return digits;
    }
    digits.reserve(static_cast<size_t>(width));
    for (int bit = width - 1; bit >= 0; --bit) {
        // Bits above the 64 of the value repeat its sign, as two's complement does.
        const bool set = bit >= 63 ? value < 0 : ((value >> bit) & 1) != 0;
        digits.push_back(set ? '1' : '0');
    }
    return digits;
}

std::string sized_binary(int width, std::int64_t value) {
    return std::to_string(width) + "'b" + binary_digits(value, width);
}

std::string zero_literal(int width) {
    return sized_binary(width, 0);
}

} // namespace ipgen
