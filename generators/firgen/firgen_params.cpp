#include "generators/firgen/firgen_params.hpp"

#include "generators/fir_common/coefficient_files.hpp"
#include "generators/firgen/derived_values.hpp"

#include <cstdint>
#include <limits>
#include <string>

namespace ipgen::fir::gen {

namespace {

constexpr std::string_view program = "firgen";

// Collects the problems of one set of values, in the order firgen checks.
struct Checker {
    std::vector<Problem> problems;

    bool choice(int line, int value, std::span<const char* const> table) {
        if (value >= 0 && value < static_cast<int>(table.size())) {
            return true;
        }
        problems.push_back({line, false, std::to_string(value), accepted_choices(table)});
        return false;
    }

    void at_least_one(int line, int value, std::string_view what) {
        if (value < 1) {
            problems.push_back({line, false, std::to_string(value),
                                std::string("1 or more (") + std::string(what) + ")"});
        }
    }

    // Every value parameters.v carries is a 32-bit integer of the Verilog
    // tools: a product of wide data and many taps can pass that range.
    void derived_range(const FirGenDerived& d) {
        bool found = false; // the first one, in file order
        const auto check = [&](std::string_view name, std::int64_t value) {
            if ((value > std::numeric_limits<std::int32_t>::max() ||
                 value < std::numeric_limits<std::int32_t>::min()) &&
                !found) {
                found = true;
                problems.push_back({3, true, std::string(name) + " " + std::to_string(value),
                                    "derived widths and counts up to 2147483647 "
                                    "(32-bit): fewer taps or narrower data"});
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
};

int value_of(const UserParamLine& line) {
    return line.value.value_or(0);
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

std::vector<Problem> check(const FirGenParams& p) {
    Checker c;
    c.at_least_one(3, p.num_taps, "taps");
    bool known = c.choice(5, p.filter_index, filter_keywords);
    known = c.choice(6, p.coeff_index, coeff_keywords) && known;
    known = c.choice(7, p.symmetry_index, symmetry_keywords) && known;
    known = c.choice(8, p.rounding_index, rounding_keywords) && known;
    known = c.choice(9, p.arithmetic_index, arithmetic_keywords) && known;
    known = c.choice(10, p.data_type_index, data_type_keywords) && known;
    if (!known) {
        return c.problems; // no keywords, no derivation
    }
    // The keywords of the checked indices; the complex-input one is looked
    // up (and checked) only for complex data.
    FirGenParams checked = p;
    checked.complex_in_index = 0;
    const FirGenKeywords k = look_up_keywords(checked);
    if (k.filter == "MULTICYCLE_FIR") {
        c.at_least_one(11, p.num_cycles, "cycles per output of a multi-cycle filter");
    }
    if (k.filter == "DECIMATION_FIR") {
        c.at_least_one(12, p.deci_ratio, "decimation ratio");
    }
    if (k.filter == "INTERPOLATION_FIR") {
        c.at_least_one(13, p.inter_ratio, "interpolation ratio");
    }
    if (k.data_type == "COMPLEX_DATA_TYPE" &&
        !c.choice(14, p.complex_in_index, complex_in_keywords)) {
        return c.problems;
    }
    if (!c.problems.empty()) {
        return c.problems; // a divisor of the derivation below 1
    }
    const FirGenDerived d = derive(p, look_up_keywords(p));
    if (d.num_multipliers > max_multipliers) {
        c.problems.push_back({3, true,
                              std::to_string(d.num_multipliers) + " multipliers (NUM_MULTIPLIERS)",
                              "at most 64, the adder tree of the core has six stages"});
    }
    if (k.coeff == "COEFF_DEFAULT") {
        if (d.num_coeffs > max_fixed_coefficients) {
            c.problems.push_back({3, true,
                                  std::to_string(d.num_coeffs) + " fixed coefficients (NUM_COEFFS)",
                                  "at most 64"});
        }
        if (p.data_width < 1 || p.data_width > 32) {
            c.problems.push_back(
                {2, false, std::to_string(p.data_width), "1 to 32 bits for fixed coefficients"});
        }
    }
    c.at_least_one(2, p.data_width, "bits of input data");
    c.at_least_one(4, p.output_width, "bits of output data");
    c.derived_range(d);
    return c.problems;
}

void validate_firgen(const UserParamLines& lines, const FirGenParams& p) {
    check_user_param_lines(lines, true, program);
    const std::vector<Problem> problems = check(p);
    if (!problems.empty()) {
        refuse(program, problems.front());
    }
}

} // namespace ipgen::fir::gen
