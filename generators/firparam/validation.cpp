#include "generators/firparam/validation.hpp"

#include "generators/fir_common/choice_keywords.hpp"
#include "generators/fir_common/next_log2.hpp"

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
    // Every choice has its define in parameters.v; the complex input mode is
    // written for real data too.
    const FirUserParams& p = read.params;
    check_choice(program, 5, p.m_nFilterType, filter_keywords);
    check_choice(program, 6, p.m_nCoeffLoad, coeff_keywords);
    check_choice(program, 7, p.m_nSymmetry, symmetry_keywords);
    check_choice(program, 8, p.m_nRoundType, rounding_keywords);
    check_choice(program, 9, p.m_nArithmeticType, arithmetic_keywords);
    check_choice(program, 10, p.m_nDataType, data_type_keywords);
    check_choice(program, 14, p.m_nComplexInMode, complex_in_keywords);
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

void validate_counter_widths(const FirUserParams& p, const FirParamDerived& d) {
    // Checked on the taps themselves: a filter type outside 0 to 3 leaves
    // LOGN uncomputed, but its multipliers are still enumerated.
    if (NextLog2(p.m_nNumTaps) < 0) {
        refuse_user_param(program, 3, std::to_string(p.m_nNumTaps), "1 to 256 taps (LOGN)");
    }
    if (d.m_nTwCountWidth < 0) {
        refuse_user_param(program, 1, std::to_string(p.m_nTapWidth),
                          "1 to 254 bits, 255 with signed arithmetic (TW_COUNT_WIDTH)");
    }
    if (d.m_nDsSelWidth < 0) {
        const int line = p.m_nFilterType == 2 ? 12 : p.m_nFilterType == 3 ? 13 : 11;
        const int value = line == 12   ? p.m_nDeciRatio
                          : line == 13 ? p.m_nInterRatio
                                       : p.m_nNumCycles;
        refuse_user_param(program, line, std::to_string(value), "at most 256 (DS_SEL_WIDTH)");
    }
    if (d.m_nOrdyCountWidth < 0) {
        refuse(program, std::string(user_params_file_name) + ": full output width " +
                            std::to_string(d.m_nOutFullWidth) +
                            " (OUTPUT_FULL_WIDTH); accepted: at most 255 (ORDY_COUNT_WIDTH): "
                            "fewer taps or narrower taps or coefficients");
    }
}

} // namespace ipgen::fir::param
