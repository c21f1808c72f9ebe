#include "sim_output.hpp"

#include <sstream>
#include <stdexcept>

namespace ipgen::hdl {

std::vector<std::vector<std::string>> tagged_lines(const std::string& output,
                                                   const std::string& tag) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string first;
        if (!(fields >> first) || first != tag) {
            continue;
        }
        std::vector<std::string> rest;
        std::string field;
        while (fields >> field) {
            rest.push_back(field);
        }
        lines.push_back(rest);
    }
    return lines;
}

long long hex_field(const std::string& field) {
    if (field.find_first_of("xXzZ") != std::string::npos) {
        return -1;
    }
    return std::stoll(field, nullptr, 16);
}

std::string fill_template(std::string text, const std::map<std::string, std::string>& values) {
    for (const auto& [name, value] : values) {
        const std::string key = "$$" + name + "$$";
        for (std::size_t at = text.find(key); at != std::string::npos;
             at = text.find(key, at + value.size())) {
            text.replace(at, key.size(), value);
        }
    }
    if (text.find("$$") != std::string::npos) {
        throw std::logic_error("unfilled placeholder in a test bench");
    }
    return text;
}

} // namespace ipgen::hdl
