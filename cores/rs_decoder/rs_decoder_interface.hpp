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

} // namespace ipgen::front
