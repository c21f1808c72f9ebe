// The ports of the Reed-Solomon encoder core for a symbol width.
#pragma once

#include "ipgen/core_interface.hpp"

namespace ipgen::front {

// m: bits per symbol (INPUT_DATA_WIDTH).
CoreInterface rs_encoder_interface(int m);

// The stream top at P > 1 symbols per beat (rs_encoder_wide_axis.v): tdata
// P symbols, tkeep; no native top.
CoreInterface rs_encoder_wide_interface(int m, int p);

// The stream top of --variable-length (rs_encoder_vl_axis.v), at any P:
// the ports above and m_axis_tuser.
CoreInterface rs_encoder_vl_interface(int m, int p);

} // namespace ipgen::front
