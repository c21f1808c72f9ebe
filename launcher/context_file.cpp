#include "launcher/context_file.hpp"

namespace toolrun {

std::map<std::string, std::string> parse_context_file(std::string_view text) {
    std::map<std::string, std::string> context;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            context.emplace(std::string(line.substr(0, equals)),
                            std::string(line.substr(equals + 1)));
        }
    }
    return context;
}

std::optional<std::string> copy_context_value(const std::map<std::string, std::string>& context,
                                              const std::string& key, int size) {
    const auto found = context.find(key);
    if (found == context.end() || size <= 0 ||
        found->second.size() >= static_cast<std::size_t>(size)) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace toolrun
