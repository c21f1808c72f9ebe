#include "generators/firgen/derived_values.hpp"

#include "generators/fir_common/next_log2.hpp"

namespace ipgen::fir::gen {

int nextlog2(std::int64_t n) {
    return n <= 2 ? 1 : NextLog2(n);
}

namespace {

// Integer division truncating toward zero; a zero divisor (refused by the
// validation) gives 0 instead of a fault.
std::int64_t div(std::int64_t a, std::int64_t b) {
    return b == 0 ? 0 : a / b;
}

void derive_stages(FirGenDerived& d, bool real) {
    const int s = d.num_stages;
    if (s <= 0) {
        return;
    }
    const std::int64_t mdw = d.multiplier_data_width;
    d.stages.assign(static_cast<std::size_t>(s) + 1, AdderStage{});
    for (int i = s; i >= 1; --i) {
        AdderStage& st = d.stages[static_cast<std::size_t>(i)];
        const std::int64_t inputs = i == s ? d.num_multipliers
                                           : d.stages[static_cast<std::size_t>(i) + 1].adders +
                                                 d.stages[static_cast<std::size_t>(i) + 1].direct;
        st.adders = inputs / 2;
        st.direct = inputs % 2;
        st.in_data_width = real ? 2 * mdw + (s - i) : 2 * (mdw + 1 + s - i);
        st.out_data_width = real ? 2 * mdw + (s - i) + 1 : 2 * (mdw + 1 + s - i + 1);
        st.in_bus_width = (2 * st.adders + st.direct) * st.in_data_width;
    }
    for (int i = s; i >= 1; --i) {
        AdderStage& st = d.stages[static_cast<std::size_t>(i)];
        st.out_bus_width =
            i >= 2 ? d.stages[static_cast<std::size_t>(i) - 1].in_bus_width : st.out_data_width;
    }
    for (int i = s; i >= 1; --i) {
        AdderStage& st = d.stages[static_cast<std::size_t>(i)];
        st.exp_in_addr = 2 * st.in_data_width * st.adders;
        st.exp_out_addr = st.out_data_width * st.adders;
    }
}

} // namespace

FirGenDerived derive(const FirGenParams& p, const FirGenKeywords& k) {
    const std::int64_t w = p.data_width;
    const std::int64_t t = p.num_taps;
    const std::int64_t ow = p.output_width;
    const bool parallel_in = k.complex_in == "COMPLEX_PARA_IN";
    const bool real = k.data_type == "REAL_DATA_TYPE";
    const bool complex = k.data_type == "COMPLEX_DATA_TYPE";
    const bool symmetric = k.symmetry != "NONSYMMETRIC_COEFF";
    const bool single = k.filter == "SINGLECYCLE_FIR";
    const bool multi = k.filter == "MULTICYCLE_FIR";
    const bool deci = k.filter == "DECIMATION_FIR";
    const bool inter = k.filter == "INTERPOLATION_FIR";

    FirGenDerived d;
    d.input_port_width = parallel_in ? 2 * w : w;
    d.output_port_width = parallel_in ? 2 * ow : ow;
    d.internal_data_width = complex ? 2 * w : w;
    const std::int64_t idw = d.internal_data_width;
    d.num_tap_regs = inter ? div(t - 1, p.inter_ratio) + 1 : t;
    d.num_coeffs = symmetric ? t / 2 + t % 2 : t;
    const std::int64_t ncf = d.num_coeffs;
    d.odd_taps = t % 2 == 1;
    if (single) {
        d.num_multipliers = ncf;
    } else if (multi) {
        d.num_multipliers = div(ncf - 1, p.num_cycles) + 1;
    } else if (deci) {
        d.num_multipliers = div(t - 1, p.deci_ratio) + 1;
    } else if (inter) {
        d.num_multipliers = div(t - 1, p.inter_ratio) + 1;
    }
    const std::int64_t m = d.num_multipliers;
    d.multiplier_data_width = !symmetric ? idw : real ? idw + 1 : idw + 2;
    const std::int64_t mdw = d.multiplier_data_width;
    d.tao_width = d.num_tap_regs * idw;
    d.cao_width = ncf * idw;
    d.dso_width = m * (mdw + idw);
    d.mbo_width = real ? 2 * m * mdw : 2 * m * (mdw + 1);
    if (m == 1) {
        d.ato_width = real ? 2 * mdw : 2 * (mdw + 1);
    } else {
        const std::int64_t l = nextlog2(m);
        d.ato_width = real ? 2 * mdw + l : 2 * (mdw + 1) + 2 * l;
    }
    d.num_cycles_adj = div(ncf - 1, m) + 1;
    const std::int64_t nca = d.num_cycles_adj;
    if (multi) {
        d.scheduler_select_width = nextlog2(nca);
        d.num_zero_padding = nca * m - ncf;
    } else if (deci) {
        d.scheduler_select_width = nextlog2(p.deci_ratio);
        d.num_zero_padding = p.deci_ratio * m - ncf;
        d.d_ratio_adj = div(t - 1, m) + 1;
        d.num_zero_padding_adj = d.d_ratio_adj * m - ncf;
    } else if (inter) {
        d.scheduler_select_width = nextlog2(p.inter_ratio);
        d.num_zero_padding = p.inter_ratio * m - ncf;
    }
    d.temp_bus_width = mdw * ncf;
    d.num_stages = m == 1 ? 0 : nextlog2(m);
    derive_stages(d, real);

    d.single_cycle = single || inter;
    d.multi_cycle = deci || multi;
    const std::int64_t ato = d.ato_width;
    if (d.single_cycle) {
        d.output_full_width = ato;
    } else {
        const std::int64_t extra = multi ? nca - 1 : p.deci_ratio - 1;
        d.output_full_width = real ? ato + extra : ato + 2 * extra;
    }
    const std::int64_t ofw = d.output_full_width;
    d.output_width = real ? ow : 2 * ow;
    const std::int64_t owd = d.output_width;
    d.ato_equals_ofw_minus_one = (real && ato == ofw - 1) || (complex && ato == ofw - 2);
    d.scaling_none = owd == ofw;
    d.scaling_one_bit = (real && owd == ofw - 1) || (complex && owd == ofw - 2);
    d.adder_in_op = (k.rounding == "ROUND_NEAREST" && !d.scaling_none) || d.multi_cycle;
    return d;
}

} // namespace ipgen::fir::gen
