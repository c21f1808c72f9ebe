#include "ipgen/prefix_rename.hpp"

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

namespace ipgen::front {

namespace {

enum class TokenKind { identifier, directive, string };

struct Token {
    TokenKind kind;
    size_t begin; // a directive begins at its backtick, a string at its quote
    size_t end;
};

bool is_ident_start(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
}
bool is_ident_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '$';
}

// The identifiers, directives and strings of a Verilog text, in order.
// Comments, numbers (based ones included), system task names and escaped
// identifiers are stepped over: nothing in them is ever renamed.
std::vector<Token> tokenize(const std::string& text) {
    std::vector<Token> tokens;
    const size_t size = text.size();
    size_t i = 0;
    const auto skip_while = [&](auto predicate) {
        while (i < size && predicate(text[i])) {
            ++i;
        }
    };
    while (i < size) {
        const char c = text[i];
        const size_t begin = i;
        if (c == '/' && i + 1 < size && text[i + 1] == '/') {
            i = text.find('\n', i);
            i = i == std::string::npos ? size : i;
        } else if (c == '/' && i + 1 < size && text[i + 1] == '*') {
            i = text.find("*/", i + 2);
            i = i == std::string::npos ? size : i + 2;
        } else if (c == '"') {
            ++i;
            while (i < size && text[i] != '"' && text[i] != '\n') {
                i += text[i] == '\\' ? 2 : 1;
            }
            i = std::min(i + 1, size);
            tokens.push_back({TokenKind::string, begin, i});
        } else if (c == '`' && i + 1 < size && is_ident_start(text[i + 1])) {
            ++i;
            skip_while(is_ident_char);
            tokens.push_back({TokenKind::directive, begin, i});
        } else if (c == '\'') {
            // A based number: 'b1010, 8'hFF, 'sd5; the digits are no names.
            ++i;
            skip_while([](char d) { return d == 's' || d == 'S'; });
            skip_while([](char d) { return d == ' ' || d == '\t'; });
            skip_while([](char d) {
                return std::isalnum(static_cast<unsigned char>(d)) != 0 || d == '_' || d == '?';
            });
        } else if (c == '$' || c == '\\' || std::isdigit(static_cast<unsigned char>(c)) != 0) {
            // $display, \escaped.name, 10, 1e3, 10ns
            ++i;
            if (c == '\\') {
                skip_while([](char d) { return std::isspace(static_cast<unsigned char>(d)) == 0; });
            } else {
                skip_while([](char d) { return is_ident_char(d) || d == '.'; });
            }
        } else if (is_ident_start(c)) {
            skip_while(is_ident_char);
            tokens.push_back({TokenKind::identifier, begin, i});
        } else {
            ++i;
        }
    }
    return tokens;
}

// The directives of the language itself: never a macro of the folder.
const std::set<std::string, std::less<>> compiler_directives{"begin_keywords",
                                                             "celldefine",
                                                             "default_nettype",
                                                             "define",
                                                             "else",
                                                             "elsif",
                                                             "end_keywords",
                                                             "endcelldefine",
                                                             "endif",
                                                             "ifdef",
                                                             "ifndef",
                                                             "include",
                                                             "line",
                                                             "nounconnected_drive",
                                                             "pragma",
                                                             "resetall",
                                                             "timescale",
                                                             "unconnected_drive",
                                                             "undef",
                                                             "undefineall",
                                                             "__FILE__",
                                                             "__LINE__"};

// Directives whose next identifier names a macro.
const std::set<std::string, std::less<>> macro_naming{"define", "undef", "ifdef", "ifndef",
                                                      "elsif"};

std::string rename_text(const std::string& text, const std::string& prefix,
                        const std::set<std::string, std::less<>>& modules,
                        const std::set<std::string, std::less<>>& files) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    size_t copied = 0;
    enum class Expect { nothing, macro_name, include_name } expect = Expect::nothing;
    for (const Token& token : tokenize(text)) {
        const std::string_view word(text.data() + token.begin, token.end - token.begin);
        out.append(text, copied, token.begin - copied);
        copied = token.end;
        const Expect expected = std::exchange(expect, Expect::nothing);
        switch (token.kind) {
        case TokenKind::identifier:
            if (expected == Expect::macro_name || modules.contains(word)) {
                out += prefix;
            }
            out += word;
            break;
        case TokenKind::directive: {
            const std::string_view name = word.substr(1);
            if (compiler_directives.contains(name)) {
                expect = macro_naming.contains(name) ? Expect::macro_name
                         : name == "include"         ? Expect::include_name
                                                     : Expect::nothing;
                out += word;
            } else {
                out += '`';
                out += prefix;
                out += name;
            }
            break;
        }
        case TokenKind::string:
            if (expected == Expect::include_name && word.size() >= 2 &&
                files.contains(word.substr(1, word.size() - 2))) {
                out += '"';
                out += prefix;
                out += word.substr(1);
            } else {
                out += word;
            }
            break;
        }
    }
    out.append(text, copied);
    return out;
}

} // namespace

std::vector<std::string> defined_modules(const std::vector<VerilogText>& files) {
    std::vector<std::string> modules;
    for (const VerilogText& file : files) {
        const std::vector<Token> tokens = tokenize(file.text);
        for (size_t t = 0; t + 1 < tokens.size(); ++t) {
            const auto word = [&](size_t k) {
                return file.text.substr(tokens[k].begin, tokens[k].end - tokens[k].begin);
            };
            if (tokens[t].kind == TokenKind::identifier &&
                tokens[t + 1].kind == TokenKind::identifier &&
                (word(t) == "module" || word(t) == "macromodule") &&
                std::find(modules.begin(), modules.end(), word(t + 1)) == modules.end()) {
                modules.push_back(word(t + 1));
            }
        }
    }
    return modules;
}

void apply_prefix(std::vector<VerilogText>& files, const std::string& prefix) {
    const std::vector<std::string> module_list = defined_modules(files);
    const std::set<std::string, std::less<>> modules(module_list.begin(), module_list.end());
    std::set<std::string, std::less<>> names;
    for (const VerilogText& file : files) {
        names.insert(file.name);
    }
    for (VerilogText& file : files) {
        file.text = rename_text(file.text, prefix, modules, names);
        file.name = prefix + file.name;
    }
}

void prefix_modules(std::vector<VerilogText>& files, const std::string& prefix,
                    const std::vector<std::string>& modules) {
    const std::set<std::string, std::less<>> names(modules.begin(), modules.end());
    for (VerilogText& file : files) {
        std::string out;
        size_t copied = 0;
        for (const Token& token : tokenize(file.text)) {
            const std::string_view word(file.text.data() + token.begin, token.end - token.begin);
            if (token.kind == TokenKind::identifier && names.contains(word)) {
                out.append(file.text, copied, token.begin - copied);
                out += prefix;
                copied = token.begin;
            }
        }
        out.append(file.text, copied);
        file.text = std::move(out);
    }
}

} // namespace ipgen::front
