// The options of a Reed-Solomon code that the encoder and the decoder share:
// symbol width, length, data symbols, field polynomial and roots, with the
// usual defaults and those of the CCSDS code.
#pragma once

#include "ipgen/core_description.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

// The CCSDS code's field polynomial; its roots are alpha^(112 + 11 i).
inline constexpr int ccsds_field_poly = 391;

// The six option descriptions in the order --help lists them. `k_accepted` is what
// the core accepts for --k; `root_owner` names whose roots they are ("the
// generator's", "the code's").
std::vector<OptionSpec> rs_code_options(const std::string& k_accepted,
                                        const std::string& root_owner);

// The code's options followed by a core's own, for a CoreDescription.
inline std::vector<OptionSpec> with_options(std::vector<OptionSpec> code,
                                            const std::vector<OptionSpec>& own) {
    code.insert(code.end(), own.begin(), own.end());
    return code;
}

// --field-poly, --first-root and --root-spacing where they were not given:
// the usual primitive polynomial of width m (m outside 2 .. 12 takes 8's; the
// width's own check refuses it), first root 0, spacing 1; with CCSDS 391,
// 112 and 11.
void fill_rs_code_defaults(OptionValues& values, int m, bool ccsds);

} // namespace ipgen::front
