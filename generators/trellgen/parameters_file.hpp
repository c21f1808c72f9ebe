// parameters.v of the Viterbi decoder core: the user's choices and every
// derived width and count as Verilog defines, in three boxed sections
// (basic user defines, derived defines, enumerated defines: argument-less
// defines the decoder's sources test with `ifdef).
#pragma once

#include "generators/common/named_text.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/trellgen/derived_values.hpp"
#include "generators/trellgen/user_params.hpp"

#include <string>
#include <vector>

namespace ipgen::viterbi {

inline constexpr const char* parameters_file_name = "parameters.v";

// The whole file, line by line, from the record and its derived values.
void write_parameters(TextSink& out, const ViterbiUserParams& params, const ViterbiDerived& d);

// The files trellgen writes for a record check() accepts, in the order it
// writes them: parameters.v alone. It carries no header: the core's sources
// include it as it is, and trellgen has never put one there.
std::vector<NamedText> write(const ViterbiUserParams& params);

// Creates (truncates) parameters.v at `path` and writes it. Throws
// FatalError with status -1 when the file cannot be created ("Error !
// parameters.v cannot be open for write\n") or not written completely, e.g.
// on a full disk.
void write_parameters_text(const std::string& text, const std::string& path = parameters_file_name);
void write_parameters_file(const ViterbiUserParams& params, const ViterbiDerived& derived,
                           const std::string& path = parameters_file_name);

} // namespace ipgen::viterbi
