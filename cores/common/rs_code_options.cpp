#include "cores/common/rs_code_options.hpp"

#include <array>

namespace ipgen::front {

namespace {

// The usual primitive polynomial of each width m = 2 .. 12.
constexpr std::array<int, 13> default_field_poly{0,   0,   7,   11,   19,   37,  67,
                                                 137, 285, 529, 1033, 2053, 4179};
constexpr int ccsds_first_root = 112;
constexpr int ccsds_root_spacing = 11;

} // namespace

std::vector<OptionSpec> rs_code_options(const std::string& k_accepted,
                                        const std::string& root_owner) {
    return {
        {"symbol-width", "M", "bits per symbol; the field is GF(2^M); accepted: 2 to 12", ""},
        {"n", "N", "symbols per codeword; accepted: k+1 to 2^M-1 (below: a shortened code)", ""},
        {"k", "K", "data symbols per codeword; accepted: " + k_accepted, ""},
        {"field-poly", "POLY",
         "field polynomial, bit i the coefficient of x^i; accepted: a primitive polynomial "
         "of degree M",
         "per M: 7 11 19 37 67 137 285 529 1033 2053 4179 for M = 2 .. 12; 391 with --ccsds"},
        {"first-root", "G",
         root_owner + " roots are alpha^((G + i) * H), i = 0 .. n-k-1; accepted: 0 or more",
         "0 (112 with --ccsds)"},
        {"root-spacing", "H", "accepted: 1 or more, coprime to 2^M-1", "1 (11 with --ccsds)"},
    };
}

void fill_rs_code_defaults(OptionValues& values, int m, bool ccsds) {
    const bool known_width = m >= 2 && m <= 12;
    const int poly =
        ccsds ? ccsds_field_poly : default_field_poly[static_cast<size_t>(known_width ? m : 8)];
    values.try_emplace("field-poly", std::to_string(poly));
    values.try_emplace("first-root", std::to_string(ccsds ? ccsds_first_root : 0));
    values.try_emplace("root-spacing", std::to_string(ccsds ? ccsds_root_spacing : 1));
}

} // namespace ipgen::front
