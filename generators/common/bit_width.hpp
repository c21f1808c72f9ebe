// Widths of counters and buses: how many bits a value or a count needs.
#pragma once

#include <bit>
#include <cstdint>

namespace ipgen {

// The binary digits of x: bit_width(1) = 1, bit_width(8) = 4; 0 for x <= 0.
constexpr int bit_width(std::int64_t x) {
    return x > 0 ? static_cast<int>(std::bit_width(static_cast<std::uint64_t>(x))) : 0;
}

// The bits an index over x items needs, the smallest c >= 0 with 2^c >= x:
// clog2(1) = 0, clog2(16) = 4, clog2(17) = 5; 0 for x <= 1.
constexpr int clog2(std::int64_t x) {
    return x <= 1 ? 0 : bit_width(x - 1);
}

} // namespace ipgen
