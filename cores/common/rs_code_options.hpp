// The options of a Reed-Solomon code that the encoder and the decoder share:
// symbol width, length, data symbols, field polynomial and roots, with the
// usual defaults and those of the CCSDS code; and the wording of the
// generator libraries' refusals as ipgen's.
#pragma once

#include "generators/rs_common/code_checks.hpp"
#include "ipgen/core_description.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

// The CCSDS code's field polynomial; its roots are alpha^(112 + 11 i).
inline constexpr int ccsds_field_poly = 391;

// A Reed-Solomon code known by name (--standard): every code value, and
// whether its symbols are in the CCSDS dual basis.
struct RsStandard {
    const char* name;
    int symbol_width;
    int n;
    int k;
    int field_poly;
    int first_root;
    int root_spacing;
    bool ccsds;
};

// dvb, atsc, g709, ccsds, ccsds-e8, kr4, kp4, in --help's order.
const std::vector<RsStandard>& rs_standards();
// The standard --standard names, or none.
const RsStandard* rs_standard_of(const Config& config);

// --standard, then the six code options, in the order --help lists them. `k_accepted`
// is what the core accepts for --k; `root_owner` names whose roots they are
// ("the generator's", "the code's").
std::vector<Option> rs_code_options(const std::string& k_accepted, const std::string& root_owner);

// The code's options followed by a core's own, for a CoreDefinition.
inline std::vector<Option> with_options(std::vector<Option> code, const std::vector<Option>& own) {
    code.insert(code.end(), own.begin(), own.end());
    return code;
}

// --standard: fills every code value and --ccsds; a value given as well
// must agree. Without it --symbol-width, --n and --k are required. Then:
// --ccsds needs --symbol-width 8 and the field polynomial 391 (the dual
// basis is defined over that field only); then the defaults that depend on
// the width and --ccsds: the usual primitive polynomial of width M, first
// root 0, spacing 1; with --ccsds 391, 112 and 11.
Problems check_ccsds_and_fill_code(Config& config);

// The code's values as the generator libraries check them.
rs::CodeValues rs_code_values(const Config& config);

// A library's refusal worded with ipgen's options and the values as ipgen
// read them.
Problem rs_problem(const rs::CodeProblem& problem, const Config& config);

} // namespace ipgen::front
