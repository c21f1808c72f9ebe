#include "generators/corrgen/decoder_params.hpp"

#include "generators/rs_common/code_switch_checks.hpp"
#include "generators/rs_common/galois_field.hpp"

namespace ipgen::rs {

void validate_decoder_switches(const SwitchScan& scan) {
    const CodeSwitchChecks checks("corrgen", scan);
    checks.check_complete("wnkfghyoc", "every switch but -e is required", decoder_usage);
    for (const CodeProblem& problem : check_decoder(decoder_values(scan))) {
        checks.refuse_problem(problem);
    }
}

CodeProblems check_decoder(const DecoderValues& v) {
    const CodeValues code{v.symbol_width, v.n_total,    v.k_data,
                          v.field_poly,   v.first_root, v.rootspace};
    if (auto problem = code_problem(code)) {
        return {*problem};
    }
    const int r = v.n_total - v.k_data;
    const int e = v.max_erasures;
    if (e < 0 || e > r) {
        return {{{CodeValue::erasures}, "", "0 to " + std::to_string(r) + " (n-k) erasures"}};
    }
    // The erasure counter is r-2 bits wide.
    if (e > 0 && r < 3) {
        return {{{CodeValue::erasures},
                 "erasure decoding needs 3 or more check symbols, n-k is " + std::to_string(r),
                 "0"}};
    }
    // The Chien search needs at least one locator coefficient.
    if ((r + e) / 2 == 0) {
        return {{{CodeValue::n, CodeValue::k},
                 "one check symbol corrects nothing",
                 "n-k of 2 or more"}};
    }
    if (auto problem = roots_problem(code)) {
        return {*problem};
    }
    return {};
}

DecoderValues decoder_values(const SwitchScan& scan) {
    DecoderValues v;
    v.symbol_width = scan.get('w');
    v.n_total = scan.get('n');
    v.k_data = scan.get('k');
    v.field_poly = scan.get('f');
    v.first_root = scan.get('g');
    v.rootspace = scan.get('h');
    v.max_erasures = scan.get('e', 0);
    v.sync_mode = scan.get('y');
    v.option_bits = scan.get('o');
    v.ccsds_flag = scan.get('c');
    return v;
}

DecoderParams derive_decoder_params(const DecoderValues& v) {
    DecoderParams p;
    p.n_total = v.n_total;
    p.symbol_width = v.symbol_width;
    p.k_data = v.k_data;
    p.field_poly = v.field_poly;
    p.max_erasures = v.max_erasures;
    p.sync_mode = v.sync_mode;
    p.option_bits = v.option_bits;
    p.ccsds_flag = v.ccsds_flag;
    p.nlong = int_power(2, p.symbol_width) - 1;
    // Truncating remainder: a negative switch value stays negative.
    p.first_root = p.nlong != 0 ? v.first_root % p.nlong : 0;
    p.rootspace = p.nlong != 0 ? v.rootspace % p.nlong : 0;
    return p;
}

DecoderParams derive_decoder_params(const SwitchScan& scan) {
    return derive_decoder_params(decoder_values(scan));
}

} // namespace ipgen::rs
