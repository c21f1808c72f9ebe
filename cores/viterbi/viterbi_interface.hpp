// The ports of the Viterbi decoder core for a configuration.
#pragma once

#include "ipgen/core_interface.hpp"

namespace ipgen::front {

// symbols_per_beat: code symbols in one input beat (NUM_DIN: the rate's n,
// or 1 when punctured); symbol_width: bits per code symbol (DIN_WIDTH: the
// soft width, 1 for hard decision); ber_rate_width: BER_RATE_WIDTH, 0
// without the BER monitor.
// erasure_bits: s_axis_tuser's erasure flags (0 or symbols_per_beat);
// choice_bits: the pattern pair index above them (0: no choice).
// two_steps: two trellis steps per beat (symbols_per_beat counts both),
// two decoded bits out, tuser bit 0 on either side marks a beat with one.
CoreInterface viterbi_interface(int symbols_per_beat, int symbol_width, int ber_rate_width,
                                int erasure_bits = 0, int choice_bits = 0, bool two_steps = false);

} // namespace ipgen::front
