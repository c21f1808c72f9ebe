// The encoder's "gfile": the generator polynomial in logarithm form.
#pragma once

#include "generators/common/text_sink.hpp"

#include <vector>

namespace ipgen::rsenc {

// "i log\n" for i = 0 .. r, no header; -1 stands for a zero coefficient.
void write_gfile(TextSink& out, const std::vector<int>& gen_poly_log);

} // namespace ipgen::rsenc
