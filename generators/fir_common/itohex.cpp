#include "generators/fir_common/itohex.hpp"

namespace ipgen::fir {

std::string itohex(std::uint64_t value, int width, DigitCase digits) {
    if (width <= 0) {
        return "";
    }
    const char* set = digits == DigitCase::upper ? "0123456789ABCDEF" : "0123456789abcdef";
    const int count = width / 4 + (width % 4 != 0 ? 1 : 0);
    std::string text(static_cast<std::size_t>(count), '0');
    for (int k = 0; k < count; ++k) {
        const int shift = 4 * k;
        const std::uint64_t nibble = shift < 64 ? (value >> shift) & 0xF : 0;
        text[static_cast<std::size_t>(count - 1 - k)] = set[nibble];
    }
    return text;
}

} // namespace ipgen::fir
