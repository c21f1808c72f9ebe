// The host context as a text file of KEY=VALUE lines: how the POSIX stand-in
// and the test double of the host's context library keep the values the
// launcher reads ("Root", "Bin", "SynplifyPath", ...).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace toolrun {

// Keys are case-sensitive; the value runs to the end of its line (a carriage
// return before the line feed is dropped); lines without '=' are ignored and
// the first line of a key counts.
std::map<std::string, std::string> parse_context_file(std::string_view text);

// The host's copy contract for a buffer of `size` bytes: the value with its
// terminator must fit, otherwise the copy fails rather than cut a path.
std::optional<std::string> copy_context_value(const std::map<std::string, std::string>& context,
                                              const std::string& key, int size);

} // namespace toolrun
