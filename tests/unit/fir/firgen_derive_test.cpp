#include "generators/common/fatal_error.hpp"
#include "generators/firgen/derived_values.hpp"
#include "generators/firgen/firgen_params.hpp"

#include <gtest/gtest.h>

namespace ipgen::fir::gen {
namespace {

FirGenParams example_one() {
    FirGenParams p;
    p.data_width = 8;
    p.output_width = 19;
    p.num_taps = 6;
    p.num_cycles = p.deci_ratio = p.inter_ratio = 1;
    return p;
}

FirGenParams example_two() {
    FirGenParams p;
    p.data_width = 8;
    p.output_width = 20;
    p.num_taps = 11;
    p.filter_index = 1;   // MULTICYCLE_FIR
    p.symmetry_index = 1; // SYMMETRIC_COEFF
    p.data_type_index = 1;
    p.complex_in_index = 0; // COMPLEX_PARA_IN
    p.rounding_index = 1;   // ROUND_NEAREST
    p.num_cycles = 2;
    p.deci_ratio = p.inter_ratio = 1;
    return p;
}

FirGenDerived derive_for(const FirGenParams& p) {
    return derive(p, look_up_keywords(p));
}

struct StageRow {
    std::int64_t adders, direct, in_data, out_data, in_bus, out_bus, exp_in, exp_out;
};

void expect_stage(const FirGenDerived& d, int i, const StageRow& row) {
    SCOPED_TRACE("stage " + std::to_string(i));
    const AdderStage& s = d.stages.at(static_cast<std::size_t>(i));
    EXPECT_EQ(s.adders, row.adders);
    EXPECT_EQ(s.direct, row.direct);
    EXPECT_EQ(s.in_data_width, row.in_data);
    EXPECT_EQ(s.out_data_width, row.out_data);
    EXPECT_EQ(s.in_bus_width, row.in_bus);
    EXPECT_EQ(s.out_bus_width, row.out_bus);
    EXPECT_EQ(s.exp_in_addr, row.exp_in);
    EXPECT_EQ(s.exp_out_addr, row.exp_out);
}

TEST(FirGenDerive, KeywordsOfTheIndices) {
    const FirGenKeywords one = look_up_keywords(example_one());
    EXPECT_EQ(one.filter, "SINGLECYCLE_FIR");
    EXPECT_EQ(one.coeff, "COEFF_DEFAULT");
    EXPECT_EQ(one.complex_in, "NULL"); // real data: no complex-input keyword
    const FirGenKeywords two = look_up_keywords(example_two());
    EXPECT_EQ(two.filter, "MULTICYCLE_FIR");
    EXPECT_EQ(two.symmetry, "SYMMETRIC_COEFF");
    EXPECT_EQ(two.data_type, "COMPLEX_DATA_TYPE");
    EXPECT_EQ(two.complex_in, "COMPLEX_PARA_IN");
    EXPECT_EQ(two.rounding, "ROUND_NEAREST");
}

TEST(FirGenDerive, FirstWorkedExample) {
    const FirGenDerived d = derive_for(example_one());
    EXPECT_EQ(d.input_port_width, 8);
    EXPECT_EQ(d.output_port_width, 19);
    EXPECT_EQ(d.internal_data_width, 8);
    EXPECT_EQ(d.num_tap_regs, 6);
    EXPECT_EQ(d.num_coeffs, 6);
    EXPECT_FALSE(d.odd_taps);
    EXPECT_EQ(d.num_multipliers, 6);
    EXPECT_EQ(d.multiplier_data_width, 8);
    EXPECT_EQ(d.tao_width, 48);
    EXPECT_EQ(d.cao_width, 48);
    EXPECT_EQ(d.dso_width, 96);
    EXPECT_EQ(d.mbo_width, 96);
    EXPECT_EQ(d.ato_width, 19);
    EXPECT_EQ(d.num_cycles_adj, 1);
    EXPECT_EQ(d.num_zero_padding, 0);
    EXPECT_EQ(d.d_ratio_adj, 0);
    EXPECT_EQ(d.num_zero_padding_adj, 0);
    EXPECT_EQ(d.temp_bus_width, 48);
    ASSERT_EQ(d.num_stages, 3);
    expect_stage(d, 3, {3, 0, 16, 17, 96, 51, 96, 51});
    expect_stage(d, 2, {1, 1, 17, 18, 51, 36, 34, 18});
    expect_stage(d, 1, {1, 0, 18, 19, 36, 19, 36, 19});
    EXPECT_TRUE(d.single_cycle);
    EXPECT_FALSE(d.multi_cycle);
    EXPECT_EQ(d.output_full_width, 19);
    EXPECT_EQ(d.output_width, 19);
    EXPECT_TRUE(d.scaling_none);
    EXPECT_FALSE(d.ato_equals_ofw_minus_one);
    EXPECT_FALSE(d.scaling_one_bit);
    EXPECT_FALSE(d.adder_in_op);
}

TEST(FirGenDerive, SecondWorkedExample) {
    const FirGenDerived d = derive_for(example_two());
    EXPECT_EQ(d.input_port_width, 16);
    EXPECT_EQ(d.output_port_width, 40);
    EXPECT_EQ(d.internal_data_width, 16);
    EXPECT_EQ(d.num_tap_regs, 11);
    EXPECT_EQ(d.num_coeffs, 6);
    EXPECT_TRUE(d.odd_taps);
    EXPECT_EQ(d.num_multipliers, 3);
    EXPECT_EQ(d.multiplier_data_width, 18);
    EXPECT_EQ(d.tao_width, 176);
    EXPECT_EQ(d.cao_width, 96);
    EXPECT_EQ(d.dso_width, 102);
    EXPECT_EQ(d.mbo_width, 114);
    EXPECT_EQ(d.ato_width, 42);
    EXPECT_EQ(d.num_cycles_adj, 2);
    EXPECT_EQ(d.scheduler_select_width, 1);
    EXPECT_EQ(d.num_zero_padding, 0);
    EXPECT_EQ(d.temp_bus_width, 108);
    ASSERT_EQ(d.num_stages, 2);
    expect_stage(d, 2, {1, 1, 38, 40, 114, 80, 76, 40});
    expect_stage(d, 1, {1, 0, 40, 42, 80, 42, 80, 42});
    EXPECT_EQ(d.output_full_width, 44);
    EXPECT_EQ(d.output_width, 40);
    EXPECT_TRUE(d.ato_equals_ofw_minus_one);
    EXPECT_FALSE(d.scaling_none);
    EXPECT_FALSE(d.scaling_one_bit);
    EXPECT_TRUE(d.adder_in_op);
    EXPECT_EQ(d.ato_width / 2, 21);
    EXPECT_EQ(d.output_full_width / 2, 22);
    EXPECT_EQ(d.output_width / 2, 20);
}

TEST(FirGenDerive, DecimationTenTapsRatioFour) {
    FirGenParams p = example_one();
    p.num_taps = 10;
    p.filter_index = 2;
    p.deci_ratio = 4;
    const FirGenDerived d = derive_for(p);
    EXPECT_EQ(d.num_multipliers, 3);
    EXPECT_EQ(d.num_coeffs, 10);
    EXPECT_EQ(d.num_zero_padding, 2);
    EXPECT_EQ(d.d_ratio_adj, 4);
    EXPECT_EQ(d.num_zero_padding_adj, 2);
    EXPECT_EQ(d.num_cycles_adj, 4);
    EXPECT_EQ(d.scheduler_select_width, 2);
    EXPECT_EQ(d.output_full_width, d.ato_width + 3);
    EXPECT_TRUE(d.multi_cycle);
    EXPECT_TRUE(d.adder_in_op); // always with multi-cycle processing
}

TEST(FirGenDerive, SerialComplexInputKeepsThePortsNarrow) {
    FirGenParams p = example_two();
    p.complex_in_index = 1;
    const FirGenDerived d = derive_for(p);
    EXPECT_EQ(d.input_port_width, 8);
    EXPECT_EQ(d.output_port_width, 20);
    EXPECT_EQ(d.internal_data_width, 16);
    EXPECT_EQ(d.output_width, 40);
}

TEST(FirGenDerive, SymmetricOddAndEvenTapCounts) {
    FirGenParams p = example_one();
    p.symmetry_index = 2;
    p.num_taps = 7;
    EXPECT_EQ(derive_for(p).num_coeffs, 4);
    EXPECT_TRUE(derive_for(p).odd_taps);
    EXPECT_EQ(derive_for(p).multiplier_data_width, 9);
    p.num_taps = 8;
    EXPECT_EQ(derive_for(p).num_coeffs, 4);
    EXPECT_FALSE(derive_for(p).odd_taps);
}

TEST(FirGenDerive, OneMultiplierHasNoAdderStages) {
    FirGenParams p = example_one();
    p.num_taps = 1;
    FirGenDerived d = derive_for(p);
    EXPECT_EQ(d.num_multipliers, 1);
    EXPECT_EQ(d.num_stages, 0);
    EXPECT_TRUE(d.stages.empty());
    EXPECT_EQ(d.ato_width, 16); // 2 * MDW
    p.num_taps = 6;
    p.filter_index = 1;
    p.num_cycles = 6; // NC >= NCF
    d = derive_for(p);
    EXPECT_EQ(d.num_multipliers, 1);
    EXPECT_EQ(d.num_stages, 0);
    EXPECT_EQ(d.num_cycles_adj, 6);
    EXPECT_EQ(d.scheduler_select_width, 3);
}

TEST(FirGenDerive, TwoMultipliersHaveOneStage) {
    FirGenParams p = example_one();
    p.num_taps = 2;
    const FirGenDerived d = derive_for(p);
    ASSERT_EQ(d.num_stages, 1);
    expect_stage(d, 1, {1, 0, 16, 17, 32, 17, 32, 17});
    EXPECT_EQ(d.ato_width, 17); // 2 * MDW + nextlog2(2)
}

TEST(FirGenDerive, InterpolationTakesTheRatioForTapRegisters) {
    FirGenParams p = example_one();
    p.filter_index = 3;
    p.inter_ratio = 4;
    p.num_taps = 6;
    const FirGenDerived d = derive_for(p);
    EXPECT_EQ(d.num_tap_regs, 2);
    EXPECT_EQ(d.num_multipliers, 2);
    EXPECT_EQ(d.num_zero_padding, 2);
    EXPECT_EQ(d.scheduler_select_width, 2);
    EXPECT_TRUE(d.single_cycle);
    EXPECT_FALSE(d.adder_in_op);
}

TEST(FirGenDerive, RoundNearestSetsAdderInOpOnlyWhenScaling) {
    FirGenParams p = example_one();
    p.rounding_index = 1;
    EXPECT_FALSE(derive_for(p).adder_in_op); // OWD = OFW
    p.output_width = 17;
    EXPECT_TRUE(derive_for(p).adder_in_op);
    p.output_width = 18;
    EXPECT_TRUE(derive_for(p).scaling_one_bit);
}

// The validation of a file with these values; "" when it is accepted.
std::string refusal(const FirGenParams& p) {
    UserParamLines lines;
    const int values[] = {p.data_width,       p.data_width,      p.num_taps,       p.output_width,
                          p.filter_index,     p.coeff_index,     p.symmetry_index, p.rounding_index,
                          p.arithmetic_index, p.data_type_index, p.num_cycles,     p.deci_ratio,
                          p.inter_ratio,      p.complex_in_index};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i].value = values[i];
    }
    try {
        validate_firgen(lines, p);
    } catch (const FatalError& error) {
        EXPECT_EQ(error.status(), 2);
        return error.message();
    }
    return "";
}

TEST(FirGenValidate, AcceptsTheWorkedExamples) {
    EXPECT_EQ(refusal(example_one()), "");
    EXPECT_EQ(refusal(example_two()), "");
}

TEST(FirGenValidate, IndicesOutsideTheirTables) {
    FirGenParams p = example_one();
    p.filter_index = 4;
    EXPECT_EQ(refusal(p), "firgen: user_params.txt line 5 (Filter type): 4; accepted: 0 to 3 "
                          "(0 SINGLECYCLE_FIR, 1 MULTICYCLE_FIR, 2 DECIMATION_FIR, 3 "
                          "INTERPOLATION_FIR)\n");
    p = example_one();
    p.symmetry_index = -1;
    EXPECT_NE(refusal(p).find("line 7 (Symmetricity): -1; accepted: 0 to 2"), std::string::npos);
    p = example_one();
    p.complex_in_index = 5; // not looked at for real data
    EXPECT_EQ(refusal(p), "");
    p.data_type_index = 1;
    EXPECT_NE(refusal(p).find("line 14 (Complex input mode): 5; accepted: 0 to 1"),
              std::string::npos);
}

TEST(FirGenValidate, DivisorsAndCounts) {
    FirGenParams p = example_one();
    p.num_taps = 0;
    EXPECT_EQ(refusal(p),
              "firgen: user_params.txt line 3 (Number of taps): 0; accepted: 1 or more (taps)\n");
    p = example_one();
    p.num_cycles = 0; // single-cycle: NC divides nothing
    p.deci_ratio = 0;
    p.inter_ratio = -3;
    EXPECT_EQ(refusal(p), "");
    p.filter_index = 1;
    EXPECT_NE(refusal(p).find("line 11 (Number of cycles (MULTICYCLE)): 0; accepted: 1 or more"),
              std::string::npos);
    p.filter_index = 2;
    EXPECT_NE(refusal(p).find("line 12 (D_RATIO (DECIMATION)): 0"), std::string::npos);
    p.filter_index = 3;
    EXPECT_NE(refusal(p).find("line 13 (I_RATIO (INTERPOLATION)): -3"), std::string::npos);
}

TEST(FirGenValidate, MultipliersCoefficientsAndWidth) {
    FirGenParams p = example_one();
    p.coeff_index = 1; // loadable: no coefficient limit
    p.num_taps = 65;
    EXPECT_EQ(refusal(p), "firgen: user_params.txt: 65 multipliers (NUM_MULTIPLIERS); accepted: "
                          "at most 64, the adder tree of the core has six stages\n");
    p.num_taps = 64;
    EXPECT_EQ(refusal(p), "");
    p.filter_index = 1;
    p.num_cycles = 2;
    p.num_taps = 100;
    EXPECT_EQ(refusal(p), "");
    p.coeff_index = 0;
    EXPECT_EQ(refusal(p), "firgen: user_params.txt: 100 fixed coefficients (NUM_COEFFS); "
                          "accepted: at most 64\n");
    p = example_one();
    p.data_width = 33;
    EXPECT_EQ(refusal(p), "firgen: user_params.txt line 2 (Coeff width): 33; accepted: 1 to 32 "
                          "bits for fixed coefficients\n");
    p.data_width = 32;
    EXPECT_EQ(refusal(p), "");
}

} // namespace
} // namespace ipgen::fir::gen
