#include "fir/firgen/firgen_params.hpp"

#include "fir/common/coefficient_files.hpp"
#include "fir/firgen/derived_values.hpp"

#include <string>

namespace ipgen::fir::gen {

namespace {

constexpr std::string_view program = "firgen";

int value_of(const UserParamLine& line) {
    return line.value.value_or(0);
}

template <std::size_t N>
void check_index(const UserParamLines& lines, int line, const std::array<const char*, N>& table) {
    const int index = value_of(lines[static_cast<std::size_t>(line - 1)]);
    if (index < 0 || index >= static_cast<int>(N)) {
        std::string accepted = "0 to " + std::to_string(N - 1) + " (";
        for (std::size_t i = 0; i < N; ++i) {
            accepted += (i == 0 ? "" : ", ") + std::to_string(i) + " " + table[i];
        }
        refuse_user_param(program, line, std::to_string(index), accepted + ")");
    }
}

void check_at_least_one(int line, int value, std::string_view what) {
    if (value < 1) {
        refuse_user_param(program, line, std::to_string(value),
                          std::string("1 or more (") + std::string(what) + ")");
    }
}

} // namespace

FirGenParams firgen_params_from_lines(const UserParamLines& lines) {
    FirGenParams p;
    p.data_width = value_of(lines[0]);
    p.data_width = value_of(lines[1]);
    p.num_taps = value_of(lines[2]);
    p.output_width = value_of(lines[3]);
    p.filter_index = value_of(lines[4]);
    p.coeff_index = value_of(lines[5]);
    p.symmetry_index = value_of(lines[6]);
    p.rounding_index = value_of(lines[7]);
    p.arithmetic_index = value_of(lines[8]);
    p.data_type_index = value_of(lines[9]);
    p.num_cycles = value_of(lines[10]);
    p.deci_ratio = value_of(lines[11]);
    p.inter_ratio = value_of(lines[12]);
    p.complex_in_index = value_of(lines[13]);
    return p;
}

FirGenKeywords look_up_keywords(const FirGenParams& p) {
    FirGenKeywords k;
    k.filter = filter_keywords.at(static_cast<std::size_t>(p.filter_index));
    k.coeff = coeff_keywords.at(static_cast<std::size_t>(p.coeff_index));
    k.symmetry = symmetry_keywords.at(static_cast<std::size_t>(p.symmetry_index));
    k.rounding = rounding_keywords.at(static_cast<std::size_t>(p.rounding_index));
    k.arithmetic = arithmetic_keywords.at(static_cast<std::size_t>(p.arithmetic_index));
    k.data_type = data_type_keywords.at(static_cast<std::size_t>(p.data_type_index));
    k.complex_in = k.data_type == "COMPLEX_DATA_TYPE"
                       ? complex_in_keywords.at(static_cast<std::size_t>(p.complex_in_index))
                       : "NULL";
    return k;
}

void validate_firgen(const UserParamLines& lines, const FirGenParams& p) {
    check_user_param_lines(lines, true, program);
    check_at_least_one(3, p.num_taps, "taps");
    check_index(lines, 5, filter_keywords);
    check_index(lines, 6, coeff_keywords);
    check_index(lines, 7, symmetry_keywords);
    check_index(lines, 8, rounding_keywords);
    check_index(lines, 9, arithmetic_keywords);
    check_index(lines, 10, data_type_keywords);
    // The keywords of the checked indices; the complex-input one is looked
    // up (and checked) only for complex data.
    FirGenParams known = p;
    known.complex_in_index = 0;
    const FirGenKeywords k = look_up_keywords(known);
    if (k.filter == "MULTICYCLE_FIR") {
        check_at_least_one(11, p.num_cycles, "cycles per output of a multi-cycle filter");
    }
    if (k.filter == "DECIMATION_FIR") {
        check_at_least_one(12, p.deci_ratio, "decimation ratio");
    }
    if (k.filter == "INTERPOLATION_FIR") {
        check_at_least_one(13, p.inter_ratio, "interpolation ratio");
    }
    if (k.data_type == "COMPLEX_DATA_TYPE") {
        check_index(lines, 14, complex_in_keywords);
    }
    const FirGenDerived d = derive(p, look_up_keywords(p));
    if (d.num_multipliers > max_multipliers) {
        refuse(program, std::string(user_params_file_name) + ": " +
                            std::to_string(d.num_multipliers) +
                            " multipliers (NUM_MULTIPLIERS); accepted: at most 64, the adder "
                            "tree of the core has six stages");
    }
    if (k.coeff == "COEFF_DEFAULT") {
        if (d.num_coeffs > max_fixed_coefficients) {
            refuse(program, std::string(user_params_file_name) + ": " +
                                std::to_string(d.num_coeffs) +
                                " fixed coefficients (NUM_COEFFS); accepted: at most 64");
        }
        if (p.data_width < 1 || p.data_width > 32) {
            refuse_user_param(program, 2, std::to_string(p.data_width),
                              "1 to 32 bits for fixed coefficients");
        }
    }
}

} // namespace ipgen::fir::gen
