// corrgen_params.v: the define lines every module of the decoder core reads
// its widths, counts and optional features from.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/corrgen/decoder_params.hpp"

namespace ipgen::rs {

// The defines, after the copied header.
void write_corrgen_params(TextSink& out, const DecoderParams& params);

} // namespace ipgen::rs
