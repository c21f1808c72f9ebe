// ipgen's command line: `ipgen CORE [OPTIONS] --out DIR`, GNU-style long
// options ("--name value" or "--name=value"), the options of every core
// plus the ones the front-end handles for all of them.
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
    const CoreDescription* core = nullptr;
    std::string out;                        // --out DIR
    std::string prefix;                     // --prefix P
    std::optional<std::string> header_file; // --header FILE
    bool force = false;                     // --force
    OptionValues values;                    // the core's options as given
};

// Throws FatalError (status 2, one line) for an unknown, unavailable or
// missing core, an unknown option, a missing value, a missing --out, a
// missing required core option, and a prefix that is no Verilog identifier.
// With --help or --version anywhere nothing else is checked.
CommandLine parse_command_line(const std::vector<std::string>& args);

// Every core and option with its accepted values, and an example.
std::string help_text();

// "ipgen: <message>\n" with status 2.
[[noreturn]] void refuse(const std::string& message);

} // namespace ipgen::front
