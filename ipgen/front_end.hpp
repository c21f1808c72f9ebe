// ipgen's run: options in, one complete core folder out.
#pragma once

#include <string>
#include <vector>

namespace ipgen::front {

// Parses the arguments after the program name, checks every value (nothing
// is written when one is refused), builds the core in memory and writes
// the folder. --help and --version print on standard output. Returns the
// exit status; throws FatalError for refusals (2) and for files that
// cannot be read or written (1).
int run_ipgen(const std::vector<std::string>& args);

} // namespace ipgen::front
