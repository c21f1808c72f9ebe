#include "ipgen/beats.hpp"

#include <algorithm>

namespace ipgen::front {

namespace {

int digit_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

Beat::Beat(const std::string& text, int bits, std::size_t index)
    : bits_(static_cast<std::size_t>(bits), false) {
    const auto digits = static_cast<std::size_t>((bits + 3) / 4);
    const std::string accepted =
        std::to_string(digits) + " hexadecimal digits, a beat of " + std::to_string(bits) + " bits";
    if (text.size() != digits) {
        throw BeatError(index + 1,
                        text.empty() ? "an empty line"
                                     : std::to_string(text.size()) + " characters, not a beat",
                        accepted);
    }
    for (std::size_t d = 0; d < digits; ++d) {
        const int value = digit_value(text[digits - 1 - d]);
        if (value < 0) {
            throw BeatError(index + 1,
                            "not a hexadecimal digit '" + text.substr(digits - 1 - d, 1) + "'",
                            accepted);
        }
        for (int b = 0; b < 4; ++b) {
            if (((value >> b) & 1) == 0) {
                continue;
            }
            const std::size_t at = 4 * d + static_cast<std::size_t>(b);
            if (at >= bits_.size()) {
                throw BeatError(index + 1,
                                "'" + text + "' is wider than " + std::to_string(bits) + " bits",
                                accepted);
            }
            bits_[at] = true;
        }
    }
}

std::uint64_t Beat::field(int lo, int width) const {
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = value << 1 | (bit(lo + i) ? 1U : 0U);
    }
    return value;
}

std::int64_t Beat::signed_field(int lo, int width) const {
    const std::uint64_t value = field(lo, width);
    if (width < 64 && bit(lo + width - 1)) {
        return static_cast<std::int64_t>(value | ~((std::uint64_t{1} << width) - 1));
    }
    return static_cast<std::int64_t>(value);
}

std::string hex_word(std::initializer_list<std::pair<std::int64_t, int>> fields) {
    return hex_word(std::vector<std::pair<std::int64_t, int>>(fields));
}

std::string hex_word(const std::vector<std::pair<std::int64_t, int>>& fields) {
    std::vector<bool> bits; // least significant first
    for (auto field = std::rbegin(fields); field != std::rend(fields); ++field) {
        for (int i = 0; i < field->second; ++i) {
            bits.push_back(i < 63 ? ((field->first >> i) & 1) != 0 : field->first < 0);
        }
    }
    std::string text;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        int digit = 0;
        for (std::size_t j = i; j < std::min(i + 4, bits.size()); ++j) {
            digit |= bits[j] ? 1 << (j - i) : 0;
        }
        text.insert(text.begin(), "0123456789abcdef"[digit]);
    }
    return text;
}

} // namespace ipgen::front
