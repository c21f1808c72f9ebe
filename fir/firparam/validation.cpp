#include "fir/firparam/validation.hpp"

#include <string>

namespace ipgen::fir::param {

namespace {

constexpr std::string_view program = "firparam";

void check_at_least_one(const UserFileRead& read, int line, std::string_view accepted) {
    const int value = read.params.*user_param_fields[static_cast<std::size_t>(line - 1)];
    if (value >= 1) {
        return;
    }
    const bool missing = read.lines && !(*read.lines)[static_cast<std::size_t>(line - 1)].value;
    refuse_user_param(program, line, missing ? "no number, taken as 0" : std::to_string(value),
                      accepted);
}

} // namespace

void validate_user_file(const UserFileRead& read) {
    if (read.lines) {
        check_user_param_lines(*read.lines, false, program);
    }
    check_at_least_one(read, 1, "1 or more bits");
    check_at_least_one(read, 2, "1 or more bits");
    check_at_least_one(read, 3, "1 or more taps");
    check_at_least_one(read, 4, "1 or more bits");
}

void validate_fixed_coefficients(const FirUserParams& p, const FirParamDerived& d) {
    if (p.m_nCoeffLoad != 0) {
        return;
    }
    if (d.m_nNumCoeffs > max_fixed_coefficients) {
        refuse(program, std::string(user_params_file_name) + ": " + std::to_string(d.m_nNumCoeffs) +
                            " fixed coefficients (NUM_COEFFS); accepted: at most 64");
    }
    if (d.m_nCoeffWidthAdj > 32) {
        refuse_user_param(program, 2, std::to_string(p.m_nCoeffWidth),
                          "1 to 32 bits for fixed coefficients (31 with unsigned arithmetic)");
    }
}

} // namespace ipgen::fir::param
