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

} // namespace ipgen::front
