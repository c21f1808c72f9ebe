#include "generators/corrgen/decoder_params.hpp"

#include "generators/rs_common/code_switch_checks.hpp"
#include "generators/rs_common/galois_field.hpp"

namespace ipgen::rs {

void validate_decoder_switches(const SwitchScan& scan) {
    const CodeSwitchChecks checks("corrgen", scan);
    checks.check_complete("wnkfghyoc", "every switch but -e is required", decoder_usage);
    checks.check_code();

    const int r = scan.get('n') - scan.get('k');
    const int e = scan.get('e', 0);
    if (e < 0 || e > r) {
        checks.refuse_value('e', "accepted: 0 to " + std::to_string(r) + " (n-k) erasures");
    }
    // The erasure counter is r-2 bits wide.
    if (e > 0 && r < 3) {
        checks.refuse_value('e', "erasure decoding needs 3 or more check symbols, n-k is " +
                                     std::to_string(r) + "; accepted: 0");
    }
    // The Chien search needs at least one locator coefficient.
    if ((r + e) / 2 == 0) {
        checks.refuse("-n " + scan.values.at('n').text + " -k " + scan.values.at('k').text +
                      ": one check symbol corrects nothing; accepted: n-k of 2 or more");
    }
    checks.check_roots();
}

DecoderParams derive_decoder_params(const SwitchScan& scan) {
    DecoderParams p;
    p.n_total = scan.get('n');
    p.symbol_width = scan.get('w');
    p.k_data = scan.get('k');
    p.field_poly = scan.get('f');
    p.max_erasures = scan.get('e', 0);
    p.sync_mode = scan.get('y');
    p.option_bits = scan.get('o');
    p.ccsds_flag = scan.get('c');
    p.nlong = int_power(2, p.symbol_width) - 1;
    // Truncating remainder: a negative switch value stays negative.
    p.first_root = p.nlong != 0 ? scan.get('g') % p.nlong : 0;
    p.rootspace = p.nlong != 0 ? scan.get('h') % p.nlong : 0;
    return p;
}

} // namespace ipgen::rs
