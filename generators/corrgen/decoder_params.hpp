// The run parameters of the decoder generator: the ten switches, what is
// derived from them, and the checks that keep every generated file inside
// the range where the core's hardware is defined.
#pragma once

#include "generators/common/switch_scan.hpp"
#include "generators/rs_common/code_checks.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace ipgen::rs {

struct DecoderParams {
    int n_total = 0;      // -n: symbols per codeword (below nlong: shortened code)
    int symbol_width = 0; // -w: m, bits per symbol
    int k_data = 0;       // -k: data symbols per codeword
    int first_root = 0;   // -g, reduced modulo nlong
    int rootspace = 0;    // -h, reduced modulo nlong: beta = alpha^rootspace
    int field_poly = 0;   // -f: bit i is the coefficient of x^i
    int max_erasures = 0; // -e: 0 when not given
    int sync_mode = 0;    // -y: 0 start pulse, otherwise per-symbol enable
    int option_bits = 0;  // -o: optional ports and counters
    int ccsds_flag = 0;   // -c: 1 selects the CCSDS variant

    int nlong = 0; // 2^m - 1, the unshortened length

    int num_chk() const { return n_total - k_data; } // r, the check symbols
    // CONTINUOUS: without erasures, a codeword outlasts the (r+1)(r+2)/2
    // steps of the key-equation solver.
    bool continuous() const {
        const int r = num_chk();
        return max_erasures == 0 && (r + 1) * (r + 2) / 2 < n_total;
    }
};

// The values as the switches give them, before anything is derived: the
// decoder generator's typed entry takes these.
struct DecoderValues {
    int symbol_width = 0; // -w
    int n_total = 0;      // -n
    int k_data = 0;       // -k
    int field_poly = 0;   // -f
    int first_root = 0;   // -g, not reduced
    int rootspace = 0;    // -h, not reduced
    int max_erasures = 0; // -e
    int sync_mode = 0;    // -y
    int option_bits = 0;  // -o
    int ccsds_flag = 0;   // -c
};

inline constexpr const char* decoder_switch_letters = "cefghknowy";

inline constexpr const char* decoder_usage =
    "usage: corrgen -w M -n N -k K -f POLY -g FIRST_ROOT -h ROOT_SPACING [-e ERASURES] "
    "-y SYNC_MODE -o OPTION_BITS -c CCSDS\n";

// Refuses values outside the range the decoder is defined for; throws
// FatalError with one line (and the usage line where a switch is missing)
// and exit status 2. Nothing has been written when it throws.
void validate_decoder_switches(const SwitchScan& scan);

// The checks of the values, in the order corrgen reports them: the code,
// the erasures, n-k, the roots; the first problem only, since the later
// checks need the earlier values accepted. Empty: the decoder is defined
// for these values.
rs::CodeProblems check_decoder(const DecoderValues& values);

// The switches' values as given (-e 0 when absent).
DecoderValues decoder_values(const SwitchScan& scan);

// The parameters as the generator uses them: nlong computed, first_root and
// rootspace reduced modulo nlong with the sign of the switch value.
DecoderParams derive_decoder_params(const DecoderValues& values);
DecoderParams derive_decoder_params(const SwitchScan& scan);

} // namespace ipgen::rs
