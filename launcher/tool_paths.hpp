// What the launcher composes from the context values: the tool's search
// path and the path of its executable.
#pragma once

#include "launcher/path_style.hpp"
#include "launcher/tool_kind.hpp"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace toolrun {

// The host's path buffers hold this many characters plus the terminator.
inline constexpr std::size_t max_path_length = 259;

// The download tool sits beside the host's Root folder.
inline constexpr const char* pgmcfg_relative_path = "..\\pgmsuite\\pgmcfg\\wloader.exe";

// Replaces each "%s" of `format` by the next of `values`.
std::string fill_format(std::string_view format, std::initializer_list<std::string_view> values);

// "Root" without one trailing folder separator; a value that is then empty
// counts as unreadable.
std::optional<std::string> trim_root(std::string root, const PathStyle& style);

// The value of the new PATH: the tool's folders, Bin, then the old PATH (an
// unset PATH counts as empty, so the value then ends in two separators).
std::string compose_path_value(ToolKind kind, const std::string& tool_directory,
                               const std::string& bin, const std::string& old_path,
                               const PathStyle& style);

std::string compose_executable_path(ToolKind kind, const std::string& tool_directory,
                                    const PathStyle& style);

} // namespace toolrun
