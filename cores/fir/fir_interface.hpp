// The ports of the FIR filter core for a configuration.
#pragma once

#include "ipgen/core_interface.hpp"

namespace ipgen::front {

// The widths as firgen resolves them: input_port (INPUT_PORT_WIDTH),
// internal_data (INTERNAL_DATA_WIDTH), output_port (OUTPUT_PORT_WIDTH),
// output (OUTPUT_WIDTH); loadable: COEFF_LOAD; is_complex and serial
// (COMPLEX_SERI_IN: the parts of a complex sample or result as two beats).
struct FirPortWidths {
    int input_port = 0;
    int internal_data = 0;
    int output_port = 0;
    int output = 0;
};

CoreInterface fir_interface(const FirPortWidths& widths, bool loadable, bool is_complex,
                            bool serial);

// --overflow saturate: the clamp flag, m_axis_tuser and the native
// out_overflow.
void add_overflow_flag(CoreInterface& interface);
// The ports of interleaved channels (channel_width bits of index, 0 for one
// channel) and of several coefficient sets (set_width bits, 0 for one set).
void add_channel_ports(CoreInterface& interface, int channel_width, int set_width, bool loadable);

// `lanes` samples per beat on s_axis and in_data, `results` on m_axis and
// out_data, the oldest in the low bits.
void widen_for_lanes(CoreInterface& interface, int lanes, int results);

} // namespace ipgen::front
