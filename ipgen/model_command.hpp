// ipgen model CORE [OPTIONS] --in FILE --out FILE: the core's model over a
// file of tb_in.hex beats, writing the tb_out.hex beats the core gives for
// them; `-` for standard input or output. The same checked configuration
// serves the model library (models/), which builds its models from it.
#pragma once

#include "ipgen/options.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

// CORE and its options (no --out, --force, --prefix, --header) checked as
// the command line checks them: every refusal is the FatalError (status
// 2) of `ipgen CORE ...`.
Config checked_config(const std::vector<std::string>& core_args, const CoreDefinition** core);

// `args` after "model". Returns the exit status; throws FatalError for
// refusals (2) and for files that cannot be read or written (1).
int run_model_command(const std::vector<std::string>& args);

} // namespace ipgen::front
