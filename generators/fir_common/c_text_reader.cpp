#include "generators/fir_common/c_text_reader.hpp"

#include "generators/common/c_number.hpp"

#include <limits>

namespace ipgen::fir {

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
    return 99;
}

} // namespace

int CTextReader::line() const {
    int line = 1;
    for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) {
        line += text_[i] == '\n' ? 1 : 0;
    }
    return line;
}

std::size_t CTextReader::rest_of_line() const {
    const std::size_t end = text_.find('\n', pos_);
    return (end == std::string::npos ? text_.size() : end) - pos_;
}

void CTextReader::skip_space() {
    while (pos_ < text_.size() && is_c_space(text_[pos_])) {
        ++pos_;
    }
}

std::optional<CTextReader::Digits> CTextReader::scan_digits(int base) {
    skip_space();
    Digits digits;
    if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
        digits.negative = text_[pos_] == '-';
        digits.text += text_[pos_];
        ++pos_;
    }
    bool any = false;
    if (base == 16 && pos_ < text_.size() && text_[pos_] == '0') {
        // The C library takes the 0 as a digit, then skips an x after it.
        digits.text += '0';
        ++pos_;
        any = true;
        if (pos_ < text_.size() && (text_[pos_] == 'x' || text_[pos_] == 'X')) {
            digits.text += text_[pos_];
            ++pos_;
        }
    }
    constexpr std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
    while (pos_ < text_.size() && digit_value(text_[pos_]) < base) {
        const auto d = static_cast<std::uint64_t>(digit_value(text_[pos_]));
        if (digits.magnitude > (max - d) / static_cast<std::uint64_t>(base)) {
            digits.overflow = true;
            digits.magnitude = max;
        } else if (!digits.overflow) {
            digits.magnitude = digits.magnitude * static_cast<std::uint64_t>(base) + d;
        }
        digits.text += text_[pos_];
        ++pos_;
        any = true;
    }
    if (!any) {
        return std::nullopt;
    }
    return digits;
}

std::optional<Scanned<std::int64_t>> CTextReader::scan_long() {
    const auto digits = scan_digits(10);
    if (!digits) {
        return std::nullopt;
    }
    constexpr std::uint64_t long_max = std::numeric_limits<std::int64_t>::max();
    Scanned<std::int64_t> result;
    result.text = digits->text;
    if (digits->negative) {
        if (digits->overflow || digits->magnitude > long_max + 1) {
            result.value = std::numeric_limits<std::int64_t>::min();
            result.out_of_range = true;
        } else {
            result.value = static_cast<std::int64_t>(0 - digits->magnitude);
        }
    } else if (digits->overflow || digits->magnitude > long_max) {
        result.value = std::numeric_limits<std::int64_t>::max();
        result.out_of_range = true;
    } else {
        result.value = static_cast<std::int64_t>(digits->magnitude);
    }
    return result;
}

std::optional<Scanned<int>> CTextReader::scan_int() {
    const auto wide = scan_long();
    if (!wide) {
        return std::nullopt;
    }
    Scanned<int> result;
    result.text = wide->text;
    result.value = static_cast<int>(static_cast<std::uint32_t>(wide->value));
    result.out_of_range = wide->out_of_range || wide->value != result.value;
    return result;
}

std::optional<Scanned<std::uint64_t>> CTextReader::scan_ulong() {
    const auto digits = scan_digits(10);
    if (!digits) {
        return std::nullopt;
    }
    Scanned<std::uint64_t> result;
    result.text = digits->text;
    result.out_of_range = digits->overflow;
    result.value = digits->overflow   ? std::numeric_limits<std::uint64_t>::max()
                   : digits->negative ? 0 - digits->magnitude
                                      : digits->magnitude;
    return result;
}

std::optional<Scanned<std::uint32_t>> CTextReader::scan_hex() {
    const auto digits = scan_digits(16);
    if (!digits) {
        return std::nullopt;
    }
    const std::uint64_t full = digits->overflow   ? std::numeric_limits<std::uint64_t>::max()
                               : digits->negative ? 0 - digits->magnitude
                                                  : digits->magnitude;
    Scanned<std::uint32_t> result;
    result.text = digits->text;
    result.value = static_cast<std::uint32_t>(full);
    result.out_of_range = digits->overflow || (full >> 32) != 0;
    return result;
}

std::optional<std::string> CTextReader::scan_token() {
    skip_space();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !is_c_space(text_[pos_])) {
        ++pos_;
    }
    if (pos_ == start) {
        return std::nullopt;
    }
    return std::string(text_.substr(start, pos_ - start));
}

std::string CTextReader::read_line(std::size_t buffer_size) {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && pos_ - start + 1 < buffer_size) {
        if (text_[pos_++] == '\n') {
            break;
        }
    }
    return std::string(text_.substr(start, pos_ - start));
}

} // namespace ipgen::fir
