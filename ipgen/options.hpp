// ipgen's command line: `ipgen CORE [OPTIONS] --out DIR`, GNU-style long
// options ("--name value" or "--name=value"), the options of every core
// plus the ones the front-end handles for all of them. Everything the user
// sees of the options is written here from the cores' declarations: the
// parse and its refusals, --help, --describe, the re-run command and the
// README's value table.
#pragma once

#include "ipgen/core_description.hpp"

#include <optional>
#include <string>
#include <vector>

namespace ipgen::front {

inline constexpr int refused_status = 2;

struct CommandLine {
    bool help = false;
    bool version = false;
    bool describe = false; // --describe: the core's options as JSON
    const CoreDefinition* core = nullptr;
    std::string out;                        // --out DIR
    std::string prefix;                     // --prefix P
    std::optional<std::string> header_file; // --header FILE
    bool force = false;                     // --force
    Config config;                          // checked, defaults filled
};

// Parses, checks kinds and ranges, fills the fixed defaults and runs the
// core's check. Throws FatalError (status 2, one line) for the first
// refusal: an unknown or unavailable core, an unknown option, a missing or
// malformed value, a value out of range, a missing --out or required
// option, a prefix that is no Verilog identifier, a problem the core's
// check finds. With --help or --version anywhere nothing else is checked;
// with --describe only the core.
CommandLine parse_command_line(const std::vector<std::string>& args);

// The core's build on a checked configuration: its files and names, the
// vectors, the re-run command (with --header FILE when one was given) and
// the value table.
CoreBuild build_core(const CommandLine& line, const std::string& header);

// Every core and option with its accepted values, and an example.
std::string help_text();

// The core's options as one JSON object (ipgen CORE --describe).
std::string describe_json(const CoreDefinition& core);

// "ipgen: --NAME VALUE: <why>; accepted: <accepted>\n"
std::string problem_line(const Problem& problem);
[[noreturn]] void refuse(const Problem& problem);

// "ipgen: <message>\n" with status 2: the text interface's refusals.
[[noreturn]] void refuse(const std::string& message);

// A value as ipgen read it and writes it back: decimal numbers, octal
// lists in octal, lists joined with commas.
std::string value_text(const Option& option, const Value& value);

// Reads an option's value text the way the command line does: nullopt
// and the problem's why and accepted filled when it is refused.
std::optional<Value> read_value(const Option& option, const std::string& text, Problem& problem);

// "a, b or c"
std::string alternatives(const std::vector<std::string>& names);

} // namespace ipgen::front
