// The ports of the Viterbi decoder core for a configuration.
#pragma once

#include "ipgen/core_interface.hpp"

namespace ipgen::front {

// symbols_per_beat: code symbols in one input beat (NUM_DIN: the rate's n,
// or 1 when punctured); symbol_width: bits per code symbol (DIN_WIDTH: the
// soft width, 1 for hard decision); ber_rate_width: BER_RATE_WIDTH, 0
// without the BER monitor.
CoreInterface viterbi_interface(int symbols_per_beat, int symbol_width, int ber_rate_width);

} // namespace ipgen::front
