// The run parameters of the encoder generator: the eleven switches, their
// two defaults, and the checks that keep the generated core inside the range
// where its hardware is defined.
#pragma once

#include "generators/common/switch_scan.hpp"
#include "generators/rs_common/code_checks.hpp"

namespace ipgen::rsenc {

struct EncoderParams {
    int n_total = 0;          // -n: symbols per codeword
    int k_data = 0;           // -k: data symbols per codeword
    int symbol_width = 0;     // -w: m, bits per symbol
    int field_poly = 0;       // -f: bit i is the coefficient of x^i
    int first_root = 0;       // -g: beta^first_root is the first root (not reduced)
    int rootspace = 0;        // -h: beta = alpha^rootspace (not reduced)
    int pipe_mode = 0;        // -p: 1, 2 or 3 select a pipeline; others none
    int registered_input = 0; // -r: 1 registers the input when pipe_mode is 2
    int noncontinuous = 0;    // -t: 0 lets codewords follow back to back
    int ccsds_flag = 0;       // -c: 1 selects the CCSDS variant
    int mult_style = 1;       // -a: 1 shared-term multiplier netlist, else plain

    int nlong = 0; // 2^m - 1

    int num_chk() const { return n_total - k_data; } // r, the check symbols
};

inline constexpr const char* encoder_switch_letters = "acfghknprtw";

inline constexpr const char* encoder_usage =
    "usage: paritygen -n N -k K -w M -f POLY -g FIRST_ROOT -h ROOT_SPACING -p PIPE_MODE "
    "[-r REGISTERED_INPUT] -t NONCONTINUOUS -c CCSDS [-a MULT_STYLE]\n";

// Refuses a switch left without a value, a missing switch (all but -a and
// -r are required), values beyond the 32-bit range, and -w, -f, -k, -n, -g,
// -h outside the range the encoder is defined for. Throws FatalError with
// one line (plus the usage line for a missing switch) and exit status 2;
// nothing has been written when it throws.
void validate_encoder_switches(const SwitchScan& scan);

// The values' checks, paritygen's typed entry: the code (width, field
// polynomial, k, n) then the roots; the first problem only, since the later
// checks need the earlier values accepted. Reads the values as given, not
// nlong. Empty: the encoder is defined for these values.
rs::CodeProblems check_encoder(const EncoderParams& params);

// The switches' values as given: -a 1 and -r 0 when absent, nlong not set.
EncoderParams encoder_values(const SwitchScan& scan);

// The run parameters from the scanned switches: -a 1 and -r 0 when absent,
// nlong computed; first_root and rootspace stay unreduced.
EncoderParams derive_encoder_params(const SwitchScan& scan);

} // namespace ipgen::rsenc
