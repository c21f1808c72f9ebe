// Bit counts of the FIR core: how many bits select one of n things.
#pragma once

#include <cstdint>

namespace ipgen::fir {

// firparam's NextLog2: 0 for n <= 1, then 1 (2), 2 (3..4), 3 (5..8), up to
// 8 (129..256); -1 above 256, a size the core does not support. firgen's
// nextlog2 differs only below 3 (see firgen/derived_values.hpp).
int NextLog2(std::int64_t n);

} // namespace ipgen::fir
