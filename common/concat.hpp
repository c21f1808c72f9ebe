// Text pieced together from strings and integers, the integers in decimal
// as printf's %d writes them: for generated lines written in long loops,
// where parsing a format for every line is most of the cost.
#pragma once

#include <concepts>
#include <string>
#include <string_view>

namespace ipgen {

namespace detail {

template <std::integral Integer>
void append_part(std::string& text, Integer value) {
    text += std::to_string(value);
}

inline void append_part(std::string& text, std::string_view part) {
    text += part;
}

} // namespace detail

// concat("rin", 3, "   ;\n") == "rin3   ;\n"
template <typename... Parts>
std::string concat(const Parts&... parts) {
    std::string text;
    (detail::append_part(text, parts), ...);
    return text;
}

} // namespace ipgen
