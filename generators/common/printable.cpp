#include "generators/common/printable.hpp"

namespace ipgen {

std::string printable(std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            shown += "\\x";
            shown += hex[byte >> 4];
            shown += hex[byte & 0xf];
        } else {
            shown += c;
        }
    }
    return shown;
}

} // namespace ipgen
