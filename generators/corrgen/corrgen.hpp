// The decoder generator's run: switches in, the decoder's file set out, in
// the fixed order the core's build scripts expect.
#pragma once

#include <string>
#include <vector>

namespace ipgen::rs {

// Runs corrgen on the arguments after the program name, in the working
// directory. Unknown switches are reported on standard error and skipped.
// Returns the exit status; throws FatalError for refused switches and for
// files that cannot be opened or written.
int run_corrgen(const std::vector<std::string>& args);

} // namespace ipgen::rs
