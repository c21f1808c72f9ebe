// The encoder generator's run: switches in; gfile, multiplier.v and
// rsenc_params.v out, in that order. Its typed entry (check_encoder in
// encoder_params.hpp, write_encoder here) gives the same files to a caller
// that holds the values already, ipgen among them.
#pragma once

#include "generators/common/generated_file.hpp"
#include "generators/paritygen/encoder_params.hpp"

#include <string>
#include <vector>

namespace ipgen::rsenc {

// The netlist of multiplier.v: plain (paritygen -a 0), shared terms
// (-a 1), or one XOR network minimal over the whole bank (ipgen only).
enum class Netlist { plain, shared, minimal };

// gfile, multiplier.v and rsenc_params.v for values check_encoder accepts
// (nlong is computed here), bodies without the header.
std::vector<GeneratedText> encoder_files(const EncoderParams& params, Netlist netlist);

// The same with `header` on top of multiplier.v and rsenc_params.v.
std::vector<NamedText> write_encoder(const EncoderParams& params, const std::string& header,
                                     Netlist netlist);

// Runs paritygen on the arguments after the program name, in the working
// directory. Unknown switches are reported on standard error and skipped.
// Returns the exit status; throws FatalError for refused switches and for
// files that cannot be opened or written.
int run_paritygen(const std::vector<std::string>& args);

} // namespace ipgen::rsenc
