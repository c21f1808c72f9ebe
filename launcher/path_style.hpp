// How paths are written on the platform the launcher runs on. The formats of
// the tool table are the Windows ones; the POSIX stand-in reads them with '/'
// between folders, ':' between search-path entries and no ".exe".
#pragma once

#include <string>
#include <string_view>

namespace toolrun {

struct PathStyle {
    char folder_separator;
    char list_separator;
    bool exe_suffix;

    // A format of the tool table written in this style.
    std::string adapt(std::string_view windows_format) const;
};

inline constexpr PathStyle windows_paths{'\\', ';', true};
inline constexpr PathStyle posix_paths{'/', ':', false};

} // namespace toolrun
