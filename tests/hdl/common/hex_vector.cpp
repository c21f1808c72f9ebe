#include "hex_vector.hpp"

namespace ipgen::hdl {

HexVector& HexVector::push(std::uint64_t value, int width) {
    for (int bit = width - 1; bit >= 0; --bit) {
        bits_.push_back(bit < 64 && ((value >> bit) & 1U) != 0);
    }
    return *this;
}

std::string HexVector::hex() const {
    const std::size_t pad = (4 - bits_.size() % 4) % 4;
    std::vector<bool> padded(pad, false);
    padded.insert(padded.end(), bits_.begin(), bits_.end());
    std::string text;
    for (std::size_t i = 0; i < padded.size(); i += 4) {
        const int digit = (padded[i] ? 8 : 0) + (padded[i + 1] ? 4 : 0) + (padded[i + 2] ? 2 : 0) +
                          (padded[i + 3] ? 1 : 0);
        text += "0123456789abcdef"[digit];
    }
    return text.empty() ? "0" : text;
}

} // namespace ipgen::hdl
