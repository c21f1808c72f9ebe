#include "generators/trellgen/c_scan.hpp"

#include "generators/common/c_number.hpp"

namespace ipgen::viterbi {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::size_t skip_c_space(std::string_view text, std::size_t pos) {
    while (pos < text.size() && is_c_space(text[pos])) {
        ++pos;
    }
    return pos;
}

ScannedInt scan_int(std::string_view text, std::size_t pos) {
    ScannedInt result;
    const std::size_t start = skip_c_space(text, pos);
    std::size_t at = start;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    if (at == text.size() || !is_digit(text[at])) {
        // A matching failure: the sign (if any) is gone, the offending
        // character is the next one read.
        result.next = at;
        return result;
    }
    const CDecimal number = parse_c_decimal(text.substr(start));
    result.converted = true;
    result.value = number.value;
    result.out_of_range = number.out_of_range;
    result.text = std::string(text.substr(start, number.length));
    result.next = start + number.length;
    return result;
}

ScannedInt scan_int_line(std::string_view text, std::size_t pos) {
    ScannedInt result = scan_int(text, pos);
    if (result.converted) {
        result.next = skip_c_space(text, result.next);
    }
    return result;
}

ScannedWord scan_word(std::string_view text, std::size_t pos) {
    ScannedWord result;
    const std::size_t start = skip_c_space(text, pos);
    std::size_t at = start;
    while (at < text.size() && !is_c_space(text[at])) {
        ++at;
    }
    result.converted = at > start;
    result.word = std::string(text.substr(start, at - start));
    result.next = at;
    return result;
}

std::size_t discard_line(std::string_view text, std::size_t pos, std::size_t buffer_size) {
    std::size_t room = buffer_size > 0 ? buffer_size - 1 : 0;
    while (room > 0 && pos < text.size()) {
        --room;
        if (text[pos++] == '\n') {
            break;
        }
    }
    return pos;
}

} // namespace ipgen::viterbi
