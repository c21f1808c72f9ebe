// The ports of the Reed-Solomon decoder core for a configuration.
#pragma once

#include "ipgen/core_interface.hpp"

namespace ipgen::front {

// m: bits per symbol; r: check symbols n-k; erasures: the most erasure
// flags per word (0: no erasure input); start_pulse: SYNC_START_PULSE
// framing of the native top (else SYNC_DAT_SYMB_EN); option_bits: corrgen's
// -o (1 CLK_ENABLED, 2 SYNC_RST_ENABLED, 4 DATA_DELAYED, 8 ERR_CNT_ENABLED,
// 16 ERS_CNT_ENABLED, 32 FAILPIN).
CoreInterface rs_decoder_interface(int m, int r, int erasures, bool start_pulse, int option_bits);

// The ports of the decoder at P symbols per clock (rs_decoder_lanes_axis,
// no native top): p symbols per beat, n the (longest) word, variable_length:
// tlast and tkeep end a word; statistics: the stat_* ports; detect_only:
// the words pass uncorrected.
CoreInterface rs_decoder_lanes_interface(int m, int p, int n, int r, int erasures,
                                         bool variable_length, bool statistics, bool detect_only);

} // namespace ipgen::front
