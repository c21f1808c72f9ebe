// Arguments echoed in a message are shown, not obeyed: a control character
// (an escape sequence, a carriage return) would otherwise reach the user's
// terminal and could rewrite what it shows.
#pragma once

#include <string>
#include <string_view>

namespace ipgen {

// The text with each control character (0x00-0x1F, 0x7F) written as a C
// escape: \n, \r, \t, or \xNN. Everything else, UTF-8 included, unchanged.
std::string printable(std::string_view text);

} // namespace ipgen
