#include "launcher/command_line.hpp"

namespace toolrun {

CommandLine split_command_line(std::string_view text) {
    CommandLine result;
    std::size_t at = 0;
    while (result.tokens.size() < max_tokens) {
        while (at < text.size() && text[at] == ' ') {
            ++at;
        }
        if (at == text.size()) {
            break;
        }
        std::string token;
        while (at < text.size() && text[at] != ' ') {
            if (text[at] == '"') {
                const std::size_t close = text.find('"', at + 1);
                if (close == std::string_view::npos) {
                    token.append(text.substr(at + 1));
                    at = text.size();
                    result.unmatched_quote = true;
                    break;
                }
                token.append(text.substr(at + 1, close - at - 1));
                at = close + 1;
            } else {
                token.push_back(text[at]);
                ++at;
            }
        }
        if (token.size() > max_token_length) {
            token.resize(max_token_length);
        }
        result.tokens.push_back(std::move(token));
    }
    return result;
}

std::vector<std::string> limit_tokens(std::vector<std::string> tokens) {
    if (tokens.size() > max_tokens) {
        tokens.resize(max_tokens);
    }
    for (std::string& token : tokens) {
        if (token.size() > max_token_length) {
            token.resize(max_token_length);
        }
    }
    return tokens;
}

} // namespace toolrun
