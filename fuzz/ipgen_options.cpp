// ipgen's command line: any argument vector (one argument per line) is
// parsed and checked as the front-end does before it builds anything; no
// folder is written. A refusal is one line with status 2; an accepted line
// names a core and a folder, its prefix is a Verilog identifier and every
// option the core requires holds a value.
#include "fuzz/fuzz_input.hpp"
#include "ipgen/options.hpp"

#include <cctype>
#include <string>
#include <vector>

namespace {

bool is_identifier(const std::string& text) {
    if (text.empty() || std::isdigit(static_cast<unsigned char>(text[0])) != 0) {
        return false;
    }
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_') {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ipgen::front;
    try {
        const CommandLine line = parse_command_line(ipgen::fuzz::split_arguments(data, size));
        if (line.help) {
            if (help_text().empty()) {
                __builtin_trap();
            }
            return 0;
        }
        if (line.version) {
            return 0;
        }
        if (line.describe) {
            if (line.core == nullptr) {
                __builtin_trap();
            }
            return 0;
        }
        if (line.core == nullptr || line.out.empty() ||
            (!line.prefix.empty() && !is_identifier(line.prefix))) {
            __builtin_trap();
        }
        // Every option the core needs holds a value once the line is taken.
        for (const Option& option : line.core->options) {
            if (option.required() && !line.config.has(option.name)) {
                __builtin_trap();
            }
        }
    } catch (const ipgen::FatalError& error) {
        ipgen::fuzz::check_refusal(error);
        // One line, with the front-end's refusal status.
        if (error.status() != refused_status ||
            error.message().find('\n') != error.message().size() - 1) {
            __builtin_trap();
        }
    }
    return 0;
}
