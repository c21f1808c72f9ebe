// The ports of the Reed-Solomon encoder core for a symbol width.
#pragma once

#include "ipgen/core_interface.hpp"

namespace ipgen::front {

// m: bits per symbol (INPUT_DATA_WIDTH).
CoreInterface rs_encoder_interface(int m);

} // namespace ipgen::front
