#include "generators/common/text_sink.hpp"

#include <array>
#include <cstdarg>
#include <vector>

namespace ipgen {

void TextSink::print(const char* format, ...) {
    // Not zeroed: vsnprintf writes what is read back (zeroing cost more than
    // formatting a short line).
    std::array<char, 512> small;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(small.data(), small.size(), format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        return;
    }
    if (static_cast<size_t>(length) < small.size()) {
        va_end(again);
        write(std::string_view(small.data(), static_cast<size_t>(length)));
        return;
    }
    std::vector<char> large(static_cast<size_t>(length) + 1);
    std::vsnprintf(large.data(), large.size(), format, again);
    va_end(again);
    write(std::string_view(large.data(), static_cast<size_t>(length)));
}

} // namespace ipgen
