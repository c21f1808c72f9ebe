// Reading what a test bench printed: lines of blank-separated fields that
// start with a tag, numbers in decimal or hexadecimal.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace ipgen::hdl {

// The fields after `tag` of every line that starts with it.
std::vector<std::vector<std::string>> tagged_lines(const std::string& output,
                                                   const std::string& tag);

// A hexadecimal field as printed by %h; any x or z digit gives -1.
long long hex_field(const std::string& field);

// Replaces every "$$NAME$$" in `text` by its value.
std::string fill_template(std::string text, const std::map<std::string, std::string>& values);

} // namespace ipgen::hdl
