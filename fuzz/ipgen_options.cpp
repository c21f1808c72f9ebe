// ipgen's command line: any argument vector (one argument per line) is
// parsed and checked as the front-end does before it builds anything; no
// folder is written. A refusal is one line with status 2; an accepted line
// names a core and a folder, and its prefix is a Verilog identifier.
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
        if (line.core == nullptr || line.out.empty() ||
            (!line.prefix.empty() && !is_identifier(line.prefix))) {
            __builtin_trap();
        }
        for (const auto& [name, value] : line.values) {
            bool known = false;
            for (const ipgen::front::OptionSpec& option : line.core->options) {
                known = known || option.name == name;
            }
            if (!known) {
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
