// The decoder generator's run: switches in, the decoder's file set out, in
// the fixed order the core's build scripts expect.
#pragma once

#include "generators/common/generated_file.hpp"
#include "generators/corrgen/decoder_params.hpp"

#include <string>
#include <vector>

namespace ipgen::rs {

// The nine files in corrgen's order (gfinvrom.v, gfromxp.v, gfile,
// corrgen_params.v, mastrovito.v, chiensearch.v, errmag.v, synd.v,
// multiplier.v), bodies without the header, for parameters derived from
// values check_decoder accepts.
std::vector<GeneratedText> decoder_files(const DecoderParams& params);

// corrgen's typed entry: the same files for the values, `header` on top of
// all but multiplier.v.
std::vector<NamedText> write_decoder(const DecoderValues& values, const std::string& header);

// Runs corrgen on the arguments after the program name, in the working
// directory. Unknown switches are reported on standard error and skipped.
// Returns the exit status; throws FatalError for refused switches and for
// files that cannot be opened or written.
int run_corrgen(const std::vector<std::string>& args);

} // namespace ipgen::rs
