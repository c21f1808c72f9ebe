// rsenc_params.v: the define lines the encoder core reads its widths,
// counter limits, pipeline and variant from.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/paritygen/encoder_params.hpp"

namespace ipgen::rsenc {

// The defines, after the copied header.
void write_rsenc_params(TextSink& out, const EncoderParams& params);

} // namespace ipgen::rsenc
