#include "launcher/tool_paths.hpp"

namespace toolrun {

std::string fill_format(std::string_view format, std::initializer_list<std::string_view> values) {
    std::string text;
    auto value = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format.substr(i, 2) == "%s" && value != values.end()) {
            text.append(*value++);
            ++i;
        } else {
            text.push_back(format[i]);
        }
    }
    return text;
}

std::optional<std::string> trim_root(std::string root, const PathStyle& style) {
    if (!root.empty() && root.back() == style.folder_separator) {
        root.pop_back();
    }
    if (root.empty()) {
        return std::nullopt;
    }
    return root;
}

std::string compose_path_value(ToolKind kind, const std::string& tool_directory,
                               const std::string& bin, const std::string& old_path,
                               const PathStyle& style) {
    constexpr std::string_view prefix = "PATH=";
    const std::string format = style.adapt(tool_info(kind).path_format).substr(prefix.size());
    if (kind == ToolKind::PGMCFG) {
        return fill_format(format, {bin, old_path});
    }
    return fill_format(format, {tool_directory, bin, old_path});
}

std::string compose_executable_path(ToolKind kind, const std::string& tool_directory,
                                    const PathStyle& style) {
    const std::string format = style.adapt(tool_info(kind).executable_format);
    if (kind == ToolKind::PGMCFG) {
        return fill_format(format, {tool_directory, style.adapt(pgmcfg_relative_path)});
    }
    return fill_format(format, {tool_directory});
}

} // namespace toolrun
