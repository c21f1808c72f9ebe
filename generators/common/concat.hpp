// Text pieced together from strings and integers, the integers in decimal
// as printf's %d writes them: for generated lines written in long loops,
// where parsing a format for every line is most of the cost.
#pragma once

#include <charconv>
#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>

namespace ipgen {

namespace detail {

// At most the characters a part adds: an integer takes 20 at most.
template <std::integral Integer>
constexpr std::size_t part_length(Integer) {
    return 20;
}

inline std::size_t part_length(std::string_view part) {
    return part.size();
}

template <std::integral Integer>
void append_part(std::string& text, Integer value) {
    char digits[24];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

inline void append_part(std::string& text, std::string_view part) {
    text += part;
}

} // namespace detail

// concat("rin", 3, "   ;\n") == "rin3   ;\n"
template <typename... Parts>
std::string concat(const Parts&... parts) {
    std::string text;
    text.reserve((detail::part_length(parts) + ...));
    (detail::append_part(text, parts), ...);
    return text;
}

} // namespace ipgen
