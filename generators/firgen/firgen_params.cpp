#include "generators/firgen/firgen_params.hpp"

#include "generators/fir_common/coefficient_files.hpp"
#include "generators/firgen/derived_values.hpp"

#include <cstdint>
#include <limits>
#include <string>

namespace ipgen::fir::gen {

namespace {

constexpr std::string_view program = "firgen";

int value_of(const UserParamLine& line) {
    return line.value.value_or(0);
}

void check_index(const UserParamLines& lines, int line, std::span<const char* const> table) {
    check_choice(program, line, value_of(lines[static_cast<std::size_t>(line - 1)]), table);
}

void check_at_least_one(int line, int value, std::string_view what) {
    if (value < 1) {
        refuse_user_param(program, line, std::to_string(value),
                          std::string("1 or more (") + std::string(what) + ")");
    }
}

// Every value parameters.v carries is a 32-bit integer of the Verilog
// tools: a product of wide data and many taps can pass that range.
void check_derived_range(const FirGenDerived& d) {
    const auto check = [](std::string_view name, std::int64_t value) {
        if (value > std::numeric_limits<std::int32_t>::max() ||
            value < std::numeric_limits<std::int32_t>::min()) {
            refuse(program, std::string(user_params_file_name) + ": " + std::string(name) + " " +
                                std::to_string(value) +
                                "; accepted: derived widths and counts up to 2147483647 "
                                "(32-bit): fewer taps or narrower data");
        }
    };
    check("INPUT_PORT_WIDTH", d.input_port_width);
    check("OUTPUT_PORT_WIDTH", d.output_port_width);
    check("INTERNAL_DATA_WIDTH", d.internal_data_width);
    check("NUM_TAP_REGS_EQ_", d.num_tap_regs);
    check("MULTIPLIER_DATA_WIDTH", d.multiplier_data_width);
    check("TAO_WIDTH", d.tao_width);
    check("CAO_WIDTH", d.cao_width);
    check("DSO_WIDTH", d.dso_width);
    check("MBO_WIDTH", d.mbo_width);
    check("ATO_WIDTH", d.ato_width);
    check("NUM_ZERO_PADDING", d.num_zero_padding);
    check("NUM_ZERO_PADDING_ADJ", d.num_zero_padding_adj);
    check("TEMP_BUS_WIDTH", d.temp_bus_width);
    for (int i = d.num_stages; i >= 1; --i) {
        const AdderStage& st = d.stages[static_cast<std::size_t>(i)];
        const std::string stage = "ST" + std::to_string(i);
        check(stage + "_IN_BUS_WIDTH", st.in_bus_width);
        check(stage + "_OUT_DATA_WIDTH", st.out_data_width);
        check(stage + "_EXP_IN_ADDR", st.exp_in_addr);
        check(stage + "_EXP_OUT_ADDR", st.exp_out_addr);
    }
    check("OUTPUT_FULL_WIDTH", d.output_full_width);
    check("OUTPUT_WIDTH", d.output_width);
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
    check_at_least_one(2, p.data_width, "bits of input data");
    check_at_least_one(4, p.output_width, "bits of output data");
    check_derived_range(d);
}

} // namespace ipgen::fir::gen
