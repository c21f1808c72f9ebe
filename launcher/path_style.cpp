#include "launcher/path_style.hpp"

namespace toolrun {

std::string PathStyle::adapt(std::string_view windows_format) const {
    std::string text;
    for (std::size_t i = 0; i < windows_format.size(); ++i) {
        const char c = windows_format[i];
        if (!exe_suffix && windows_format.substr(i, 4) == ".exe") {
            i += 3;
        } else if (c == '\\') {
            text.push_back(folder_separator);
        } else if (c == ';') {
            text.push_back(list_separator);
        } else {
            text.push_back(c);
        }
    }
    return text;
}

} // namespace toolrun
