// Splitting the launcher's whole command line (as Windows hands it over, the
// program name included) into tokens.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace toolrun {

// At most this many tokens are kept; the rest of the line is ignored.
inline constexpr std::size_t max_tokens = 99;
// A longer token keeps its first this many characters.
inline constexpr std::size_t max_token_length = 5199;

inline constexpr const char* unmatched_quote_message =
    "Unmatched quote string contained in the command line\n";

struct CommandLine {
    std::vector<std::string> tokens;
    bool unmatched_quote = false; // the text ended inside a quoted section
};

// Tokens are separated by blanks (the space character only; a tab is an
// ordinary character). A double quote opens a section in which blanks are
// copied; the quotes themselves are dropped, and quoted and unquoted pieces
// that touch form one token: "a b"c is the token a bc.
CommandLine split_command_line(std::string_view text);

// Applies the token limits to tokens that arrive already split.
std::vector<std::string> limit_tokens(std::vector<std::string> tokens);

} // namespace toolrun
