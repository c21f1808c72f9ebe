// The encoder generator's run: switches in; gfile, multiplier.v and
// rsenc_params.v out, in that order.
#pragma once

#include <string>
#include <vector>

namespace ipgen::rsenc {

// Runs paritygen on the arguments after the program name, in the working
// directory. Unknown switches are reported on standard error and skipped.
// Returns the exit status; throws FatalError for refused switches and for
// files that cannot be opened or written.
int run_paritygen(const std::vector<std::string>& args);

} // namespace ipgen::rsenc
