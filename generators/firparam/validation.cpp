#include "generators/firparam/validation.hpp"

#include "generators/fir_common/choice_keywords.hpp"
#include "generators/fir_common/next_log2.hpp"

#include <string>

namespace ipgen::fir::param {

namespace {

constexpr std::string_view program = "firparam";

void at_least_one(std::vector<Problem>& problems, const FirUserParams& p, int line,
                  std::string_view accepted) {
    const int value = p.*user_param_fields[static_cast<std::size_t>(line - 1)];
    if (value < 1) {
        problems.push_back({line, false, std::to_string(value), std::string(accepted)});
    }
}

void choice(std::vector<Problem>& problems, int line, int value,
            std::span<const char* const> keywords) {
    if (value < 0 || value >= static_cast<int>(keywords.size())) {
        problems.push_back({line, false, std::to_string(value), accepted_choices(keywords)});
    }
}

void counter_widths(std::vector<Problem>& problems, const FirUserParams& p,
                    const FirParamDerived& d) {
    // Checked on the taps themselves: a filter type outside 0 to 3 leaves
    // LOGN uncomputed, but its multipliers are still enumerated.
    if (NextLog2(p.m_nNumTaps) < 0) {
        problems.push_back({3, false, std::to_string(p.m_nNumTaps), "1 to 256 taps (LOGN)"});
    }
    if (d.m_nTwCountWidth < 0) {
        problems.push_back({1, false, std::to_string(p.m_nTapWidth),
                            "1 to 254 bits, 255 with signed arithmetic (TW_COUNT_WIDTH)"});
    }
    if (d.m_nDsSelWidth < 0) {
        const int line = p.m_nFilterType == 2 ? 12 : p.m_nFilterType == 3 ? 13 : 11;
        const int value = line == 12   ? p.m_nDeciRatio
                          : line == 13 ? p.m_nInterRatio
                                       : p.m_nNumCycles;
        problems.push_back({line, false, std::to_string(value), "at most 256 (DS_SEL_WIDTH)"});
    }
    if (d.m_nOrdyCountWidth < 0) {
        problems.push_back(
            {4, true,
             "full output width " + std::to_string(d.m_nOutFullWidth) + " (OUTPUT_FULL_WIDTH)",
             "at most 255 (ORDY_COUNT_WIDTH): fewer taps or narrower taps or "
             "coefficients"});
    }
}

void fixed_coefficients(std::vector<Problem>& problems, const FirUserParams& p,
                        const FirParamDerived& d) {
    if (p.m_nCoeffLoad != 0) {
        return;
    }
    if (d.m_nNumCoeffs > max_fixed_coefficients) {
        problems.push_back({3, true,
                            std::to_string(d.m_nNumCoeffs) + " fixed coefficients (NUM_COEFFS)",
                            "at most 64"});
    }
    if (d.m_nCoeffWidthAdj > 32) {
        problems.push_back({2, false, std::to_string(p.m_nCoeffWidth),
                            "1 to 32 bits for fixed coefficients (31 with unsigned arithmetic)"});
    }
}

void refuse_first(const std::vector<Problem>& problems) {
    if (!problems.empty()) {
        refuse(program, problems.front());
    }
}

} // namespace

std::vector<Problem> check_values(const FirUserParams& p) {
    std::vector<Problem> problems;
    at_least_one(problems, p, 1, "1 or more bits");
    at_least_one(problems, p, 2, "1 or more bits");
    at_least_one(problems, p, 3, "1 or more taps");
    at_least_one(problems, p, 4, "1 or more bits");
    // Every choice has its define in parameters.v; the complex input mode is
    // written for real data too.
    choice(problems, 5, p.m_nFilterType, filter_keywords);
    choice(problems, 6, p.m_nCoeffLoad, coeff_keywords);
    choice(problems, 7, p.m_nSymmetry, symmetry_keywords);
    choice(problems, 8, p.m_nRoundType, rounding_keywords);
    choice(problems, 9, p.m_nArithmeticType, arithmetic_keywords);
    choice(problems, 10, p.m_nDataType, data_type_keywords);
    choice(problems, 14, p.m_nComplexInMode, complex_in_keywords);
    return problems;
}

std::vector<Problem> check(const FirUserParams& given) {
    std::vector<Problem> problems = check_values(given);
    if (!problems.empty()) {
        return problems; // a divisor of the derivation could be 0
    }
    FirUserParams p = given;
    const FirParamDerived d = OnUpdate(p);
    counter_widths(problems, p, d);
    fixed_coefficients(problems, p, d);
    return problems;
}

void validate_user_file(const UserFileRead& read) {
    if (read.lines) {
        check_user_param_lines(*read.lines, false, program);
    }
    std::vector<Problem> problems = check_values(read.params);
    if (!problems.empty() && problems.front().line <= 4 && read.lines &&
        !(*read.lines)[static_cast<std::size_t>(problems.front().line - 1)].value) {
        problems.front().value = "no number, taken as 0";
    }
    refuse_first(problems);
}

void validate_fixed_coefficients(const FirUserParams& p, const FirParamDerived& d) {
    std::vector<Problem> problems;
    fixed_coefficients(problems, p, d);
    refuse_first(problems);
}

void validate_counter_widths(const FirUserParams& p, const FirParamDerived& d) {
    std::vector<Problem> problems;
    counter_widths(problems, p, d);
    refuse_first(problems);
}

} // namespace ipgen::fir::param
