#include "generators/paritygen/encoder_params.hpp"

#include "generators/rs_common/code_switch_checks.hpp"
#include "generators/rs_common/galois_field.hpp"

namespace ipgen::rsenc {

void validate_encoder_switches(const SwitchScan& scan) {
    const rs::CodeSwitchChecks checks("paritygen", scan);
    checks.check_complete("nkwfghptc", "every switch but -a and -r is required", encoder_usage);
    for (const rs::CodeProblem& problem : check_encoder(encoder_values(scan))) {
        checks.refuse_problem(problem);
    }
    // -p, -t, -c, -a and -r select features; every value has its meaning.
}

rs::CodeProblems check_encoder(const EncoderParams& params) {
    const rs::CodeValues code{params.symbol_width, params.n_total,    params.k_data,
                              params.field_poly,   params.first_root, params.rootspace};
    if (auto problem = rs::code_problem(code)) {
        return {*problem};
    }
    if (auto problem = rs::roots_problem(code)) {
        return {*problem};
    }
    return {};
}

EncoderParams derive_encoder_params(const SwitchScan& scan) {
    EncoderParams p = encoder_values(scan);
    p.nlong = rs::int_power(2, p.symbol_width) - 1;
    return p;
}

EncoderParams encoder_values(const SwitchScan& scan) {
    EncoderParams p;
    p.n_total = scan.get('n');
    p.k_data = scan.get('k');
    p.symbol_width = scan.get('w');
    p.field_poly = scan.get('f');
    p.first_root = scan.get('g');
    p.rootspace = scan.get('h');
    p.pipe_mode = scan.get('p');
    p.registered_input = scan.get('r', 0);
    p.noncontinuous = scan.get('t');
    p.ccsds_flag = scan.get('c');
    p.mult_style = scan.get('a', 1);
    return p;
}

} // namespace ipgen::rsenc
