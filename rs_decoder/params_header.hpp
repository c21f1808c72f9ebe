// corrgen_params.v: the define lines every module of the decoder core reads
// its widths, counts and optional features from.
#pragma once

#include "common/text_sink.hpp"
#include "rs_decoder/decoder_params.hpp"

namespace ipgen::rs {

// Number of binary digits of x (x >= 1): bits(1) = 1, bits(8) = 4.
int bits(int x);
// ceil(log2 x) for x >= 1: clog2(1) = 0, clog2(16) = 4, clog2(17) = 5.
int clog2(int x);

// The defines, after the copied header.
void write_params(TextSink& out, const DecoderParams& params);

} // namespace ipgen::rs
