#include "generators/firgen/parameters_file.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/output_file.hpp"

namespace ipgen::fir::gen {

namespace {

long long ll(std::int64_t value) {
    return static_cast<long long>(value);
}

// The adder-stage defines, after one STAGE<i> define per stage: eight
// groups, each over all stages from S down to 1 before the next begins.
// The stage number follows "ST" directly.
struct StageDefine {
    const char* format;
    std::int64_t AdderStage::*value;
};
constexpr StageDefine stage_defines[] = {
    {"`define ST%d_NUM_ADDERS %lld\n\n", &AdderStage::adders},
    {"`define ST%d_NUM_DIRECT %lld\n\n", &AdderStage::direct},
    {"`define ST%d_IN_DATA_WIDTH %lld\n\n", &AdderStage::in_data_width},
    {"`define ST%d_IN_BUS_WIDTH %lld\n\n", &AdderStage::in_bus_width},
    {"`define ST%d_OUT_DATA_WIDTH %lld\n\n", &AdderStage::out_data_width},
    {"`define ST%d_OUT_BUS_WIDTH %lld\n\n", &AdderStage::out_bus_width},
    {"`define ST%d_EXP_IN_ADDR %lld\n\n", &AdderStage::exp_in_addr},
    {"`define ST%d_EXP_OUT_ADDR %lld\n\n", &AdderStage::exp_out_addr},
};

void write_stages(TextSink& out, const FirGenDerived& d) {
    for (int i = d.num_stages; i >= 1; --i) {
        out.print("`define STAGE%d\n\n", i);
    }
    for (const StageDefine& define : stage_defines) {
        for (int i = d.num_stages; i >= 1; --i) {
            out.print(define.format, i, ll(d.stages[static_cast<std::size_t>(i)].*define.value));
        }
    }
}

void write_keyword(TextSink& out, std::string_view keyword) {
    out.print("`define %.*s\n\n", static_cast<int>(keyword.size()), keyword.data());
}

} // namespace

void write_parameters(TextSink& out, const FirGenParams& p, const FirGenKeywords& k,
                      const FirGenDerived& d, const std::string& coefficients) {
    const bool multi = k.filter == "MULTICYCLE_FIR";
    const bool deci = k.filter == "DECIMATION_FIR";
    const bool inter = k.filter == "INTERPOLATION_FIR";

    write_keyword(out, k.filter);
    out.print("`define INPUT_DATA_WIDTH %d\n\n", p.data_width);
    out.print("`define OUTPUT_DATA_WIDTH %d\n\n", p.output_width);
    out.print("`define NUM_TAPS %d\n\n", p.num_taps);
    write_keyword(out, k.coeff);
    if (k.coeff == "COEFF_DEFAULT") {
        out.print("`define COEFF_VALUE %lld'h%s\n\n", ll(d.cao_width), coefficients.c_str());
    }
    write_keyword(out, k.symmetry);
    write_keyword(out, k.data_type);
    write_keyword(out, k.arithmetic);
    write_keyword(out, k.rounding);
    if (multi) {
        out.print("`define NUM_CYCLES %d\n\n", p.num_cycles);
        out.print("`define NUM_CYCLES_ADJ %lld\n\n", ll(d.num_cycles_adj));
    }
    if (deci) {
        out.print("`define D_RATIO %d\n\n", p.deci_ratio);
    }
    if (inter) {
        out.print("`define U_RATIO %d\n\n", p.inter_ratio);
    }
    if (k.data_type == "COMPLEX_DATA_TYPE") {
        write_keyword(out, k.complex_in);
    }
    out.print("`define INPUT_PORT_WIDTH %lld\n\n", ll(d.input_port_width));
    out.print("`define OUTPUT_PORT_WIDTH %lld\n\n", ll(d.output_port_width));
    out.print("`define INTERNAL_DATA_WIDTH %lld\n\n", ll(d.internal_data_width));
    out.print("`define NUM_TAP_REGS_EQ_%lld\n\n", ll(d.num_tap_regs));
    out.print("`define NUM_COEFFS %lld\n\n", ll(d.num_coeffs));
    write_keyword(out, d.odd_taps ? "ODD_NUM_COEFF" : "EVEN_NUM_COEFF");
    out.print("`define NUM_MULTIPLIERS %lld\n\n", ll(d.num_multipliers));
    out.print("`define MULTIPLIER_DATA_WIDTH %lld\n\n", ll(d.multiplier_data_width));
    out.print("`define TAO_WIDTH %lld\n\n", ll(d.tao_width));
    out.print("`define CAO_WIDTH %lld\n\n", ll(d.cao_width));
    out.print("`define DSO_WIDTH %lld\n\n", ll(d.dso_width));
    out.print("`define MBO_WIDTH %lld\n\n", ll(d.mbo_width));
    out.print("`define ATO_WIDTH %lld\n\n", ll(d.ato_width));
    if (k.filter != "SINGLECYCLE_FIR") {
        out.print("`define SCHEDULER_SELECT_WIDTH %lld\n\n", ll(d.scheduler_select_width));
    }
    if (d.num_zero_padding != 0) {
        out.print("`define NUM_ZERO_PADDING %lld\n\n", ll(d.num_zero_padding));
    }
    if (deci) {
        out.print("`define D_RATIO_ADJ %lld\n\n", ll(d.d_ratio_adj));
    }
    if (deci && d.num_zero_padding_adj != 0) {
        out.print("`define NUM_ZERO_PADDING_ADJ %lld\n\n", ll(d.num_zero_padding_adj));
    }
    out.print("`define TEMP_BUS_WIDTH %lld\n\n", ll(d.temp_bus_width));
    write_stages(out, d);
    if (d.single_cycle) {
        out.print("`define SINGLE_CYCLE_PROCESSING\n\n");
    }
    if (d.multi_cycle) {
        out.print("`define MULTI_CYCLE_PROCESSING\n\n");
    }
    out.print("`define OUTPUT_FULL_WIDTH %lld\n\n", ll(d.output_full_width));
    out.print("`define OUTPUT_WIDTH %lld\n\n", ll(d.output_width));
    if (d.ato_equals_ofw_minus_one) {
        out.print("`define ATO_EQUALS_OFW_MINUS_ONE\n\n");
    }
    if (d.scaling_none) {
        out.print("`define SCALING_NONE\n\n");
    }
    if (d.scaling_one_bit) {
        out.print("`define SCALING_ONE_BIT\n\n");
    }
    out.print("`define ATO_WIDTH_REAL %lld\n\n", ll(d.ato_width / 2));
    out.print("`define OUTPUT_WIDTH_REAL %lld\n\n", ll(d.output_width / 2));
    out.print("`define OUTPUT_FULL_WIDTH_REAL %lld\n\n", ll(d.output_full_width / 2));
    out.print("`define NUM_TAPS_EQ_%d\n\n", p.num_taps);
    out.print("`define NUM_MULTIPLIERS_EQ_%lld\n\n", ll(d.num_multipliers));
    if (multi) {
        out.print("`define NUM_CYCLES_EQ_%lld\n\n", ll(d.num_cycles_adj));
    }
    if (deci) {
        out.print("`define D_RATIO_EQ_%d\n\n", p.deci_ratio);
    }
    if (inter) {
        out.print("`define U_RATIO_EQ_%d\n\n", p.inter_ratio);
    }
    if (d.adder_in_op) {
        out.print("`define ADDER_IN_OP\n\n");
    }
}

void write_parameters_file(const FirGenParams& p, const FirGenKeywords& k, const FirGenDerived& d,
                           const std::string& coefficients) {
    OutputFile out(parameters_file_name);
    if (!out.is_open()) {
        throw FatalError(std::string("Error opening ") + parameters_file_name + "\n", 1);
    }
    write_parameters(out, p, k, d, coefficients);
    if (!out.close()) {
        throw FatalError(std::string("Error writing ") + parameters_file_name + "\n", 1);
    }
}

} // namespace ipgen::fir::gen
