// --help and --version of the generator programs. Either one, given as the
// only argument, prints the program's usage text or its version on standard
// output before anything is read or written, and the run ends with status 0.
// Every other argument list is the program's own business: "corrgen --help
// -n 3" or "trellgen --help x" run exactly as they always did.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ipgen {

// The usage text of `program` (corrgen, paritygen, trellgen, firgen,
// firparam): every switch or input file with the values it accepts, one
// example, the exit statuses. Empty for any other name.
std::string_view usage_text(std::string_view program);

// "<program> (fpga-ip-generators) <version>\n"
std::string version_text(std::string_view program);

// When argv is exactly { program, "--help" } or { program, "--version" },
// prints the answer on standard output and returns the exit status (0, or
// 1 when standard output cannot be written); otherwise nullopt.
std::optional<int> answer_help_or_version(std::string_view program, int argc,
                                          const char* const* argv);

} // namespace ipgen
