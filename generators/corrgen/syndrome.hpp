// synd.v: the syndrome unit of the decoder. It steps all r syndromes of the
// incoming codeword at once through the constant-multiplier bank of
// multiplier.v (Horner's rule, S_s = S_s * root_s + din) and hands them on
// one at a time through a case multiplexer.
#pragma once

#include "generators/common/text_sink.hpp"

namespace ipgen::rs {

// The module text after the copied header. Everything is fixed text sized by
// the defines of corrgen_params.v except the multiplexer: one case item per
// syndrome s = 0 .. num_chk-1, then a default item selecting syndrome 0.
void write_syndrome(TextSink& out, int num_chk);

} // namespace ipgen::rs
