#include "generators/firparam/on_update.hpp"
#include "generators/firparam/parameters_file.hpp"

#include <gtest/gtest.h>

namespace ipgen::fir::param {
namespace {

struct Updated {
    FirUserParams params;
    FirParamDerived d;
};

Updated update(FirUserParams p) {
    const FirParamDerived d = OnUpdate(p);
    return {p, d};
}

TEST(CeilQuotient, RoundsUpThroughTheSinglePrecisionQuotient) {
    EXPECT_EQ(ceil_quotient(10, 3), 4);
    EXPECT_EQ(ceil_quotient(10, 4), 3);
    EXPECT_EQ(ceil_quotient(12, 4), 3);
    EXPECT_EQ(ceil_quotient(7, 2), 4);
    EXPECT_EQ(ceil_quotient(1, 2), 1);
}

TEST(OnUpdate, WorkedExampleOfTheDefaults) {
    const auto [p, d] = update(default_params());
    EXPECT_EQ(p, default_params()); // nothing to adjust
    EXPECT_EQ(d.m_nTapWidthAdj, 8);
    EXPECT_EQ(d.m_nCoeffWidthAdj, 8);
    EXPECT_EQ(d.m_nTwCountWidth, 4);
    EXPECT_EQ(d.m_nOutWidthAdj, 19);
    EXPECT_EQ(d.m_nSooDataWidth, 8);
    EXPECT_EQ(d.m_nNumCoeffs, 6);
    EXPECT_EQ(d.m_nNumMults, 6);
    EXPECT_EQ(p.m_nNumCycles, 1);
    EXPECT_EQ(d.m_nNumTapsAdj, 6);
    EXPECT_EQ(d.m_nLogn, 3);
    EXPECT_EQ(d.m_nMultParWidth, 8);
    EXPECT_EQ(d.m_nMboDataWidth, 16);
    EXPECT_EQ(d.m_nNumAddStages, 3);
    EXPECT_EQ(d.m_nAtoDataWidth, 19);
    EXPECT_EQ(d.m_nOutFullWidth, 19);
    EXPECT_EQ(d.m_nOrdyCountWidth, 5);
    EXPECT_EQ(d.m_nAdderInOp, 0);
}

TEST(OnUpdate, MultiCycleTenCoefficientsThreeCycles) {
    FirUserParams in = default_params();
    in.m_nFilterType = 1;
    in.m_nNumTaps = 10;
    in.m_nNumCycles = 3;
    const auto [p, d] = update(in);
    EXPECT_EQ(d.m_nNumMults, 4);
    EXPECT_EQ(p.m_nNumCycles, 3);
    EXPECT_EQ(d.m_nDsSelWidth, 2);
    EXPECT_EQ(d.m_nNumAddStages, 2);
    EXPECT_EQ(d.m_nOutFullWidth, d.m_nAtoDataWidth + 2);
    EXPECT_EQ(d.m_nAdderInOp, 1);
    StringSink out;
    write_params(out, p, d, std::vector<std::string>(10, "00"));
    EXPECT_NE(out.text().find("`define MULTICYCLE_FIR\n`define MULTI_CYCLE_PROCESSING\n"
                              "`define NUM_CYCLES_EQ_3\n`define DS_SEL_WIDTH     2\n"
                              "`define NUM_ZERO_PADDING\n"),
              std::string::npos);
}

TEST(OnUpdate, MultiCycleRaisesOneCycleToTwo) {
    FirUserParams in = default_params();
    in.m_nFilterType = 1;
    in.m_nNumCycles = 1;
    const auto [p, d] = update(in);
    EXPECT_EQ(d.m_nNumMults, 3);
    EXPECT_EQ(p.m_nNumCycles, 2);
    in.m_nNumCycles = 4; // 6 coefficients in 4 cycles: 2 multipliers, 3 cycles
    const auto four = update(in);
    EXPECT_EQ(four.d.m_nNumMults, 2);
    EXPECT_EQ(four.params.m_nNumCycles, 3);
}

TEST(OnUpdate, InterpolationSixTapsRatioFour) {
    FirUserParams in = default_params();
    in.m_nFilterType = 3;
    in.m_nInterRatio = 4;
    const auto [p, d] = update(in);
    EXPECT_EQ(d.m_nNumMults, 2);
    EXPECT_EQ(d.m_nNumTapsAdj, 2);
    EXPECT_EQ(d.m_nDsSelWidth, 2);
    EXPECT_EQ(d.m_nOutFullWidth, d.m_nAtoDataWidth);
    StringSink out;
    write_params(out, p, d, std::nullopt);
    EXPECT_NE(out.text().find("`define NUM_TAPS         2\n`define NUM_TAPS_EQ_2\n"),
              std::string::npos);
    EXPECT_NE(out.text().find("`define INTERPOLATION_FIR\n`define SINGLE_CYCLE_PROCESSING\n"
                              "`define DS_SEL_WIDTH     2\n`define NUM_ZERO_PADDING\n"
                              "`define U_RATIO          4\n`define U_RATIO_EQ_4\n"),
              std::string::npos);
    in.m_nDataType = 1;
    const auto complex = update(in);
    EXPECT_EQ(complex.d.m_nOutFullWidth, complex.d.m_nAtoDataWidth + 1);
}

TEST(OnUpdate, RatiosAreRaisedToTwo) {
    FirUserParams in = default_params();
    in.m_nFilterType = 2;
    const auto [p, d] = update(in);
    EXPECT_EQ(p.m_nDeciRatio, 2);
    EXPECT_EQ(d.m_nNumMults, 3);
    EXPECT_EQ(d.m_nOutFullWidth, d.m_nAtoDataWidth + 1);
    EXPECT_EQ(d.m_nAdderInOp, 1); // decimation always
}

TEST(OnUpdate, UnsignedWidths) {
    FirUserParams in = default_params();
    in.m_nArithmeticType = 1;
    in.m_nOutWidth = 17;
    const auto [p, d] = update(in);
    EXPECT_EQ(d.m_nTapWidthAdj, 9);
    EXPECT_EQ(d.m_nCoeffWidthAdj, 9);
    EXPECT_EQ(d.m_nOutWidthAdj, 19);
    EXPECT_EQ(d.m_nTwCountWidth, 4);
    EXPECT_EQ(d.m_nOutFullWidth, 21);
    // Complex data is always signed.
    in.m_nDataType = 1;
    const auto complex = update(in);
    EXPECT_EQ(complex.params.m_nArithmeticType, 0);
    EXPECT_EQ(complex.d.m_nTapWidthAdj, 8);
}

TEST(OnUpdate, OutputWidthAboveTheFullWidthIsLowered) {
    FirUserParams in = default_params();
    in.m_nOutWidth = 30;
    const auto [p, d] = update(in);
    EXPECT_EQ(d.m_nOutWidthAdj, 19);
    EXPECT_EQ(p.m_nOutWidth, 19);
    in.m_nArithmeticType = 1; // full width 21: the user value follows, less 2
    const auto u = update(in);
    EXPECT_EQ(u.d.m_nOutWidthAdj, 21);
    EXPECT_EQ(u.params.m_nOutWidth, 19);
}

TEST(OnUpdate, AdderInOpRules) {
    FirUserParams in = default_params();
    in.m_nRoundType = 1;
    EXPECT_EQ(update(in).d.m_nAdderInOp, 0); // output as wide as the full width
    in.m_nOutWidth = 16;
    EXPECT_EQ(update(in).d.m_nAdderInOp, 1);
    in.m_nRoundType = 0;
    EXPECT_EQ(update(in).d.m_nAdderInOp, 0);
}

TEST(OnUpdate, AFilterTypeOutsideItsTableSetsOnlyTheMultipliers) {
    FirUserParams in = default_params();
    in.m_nFilterType = 7;
    const auto [p, d] = update(in);
    EXPECT_EQ(d.m_nNumMults, 6);
    EXPECT_EQ(d.m_nNumTapsAdj, 0);
    EXPECT_EQ(d.m_nLogn, 0);
    EXPECT_EQ(d.m_nMultParWidth, 0);
    EXPECT_EQ(d.m_nAtoDataWidth, 0);
    EXPECT_EQ(d.m_nOutFullWidth, 0);
    EXPECT_EQ(d.m_nOutWidthAdj, 0);
    EXPECT_EQ(p.m_nOutWidth, 0);
    StringSink out;
    write_params(out, p, d, std::nullopt);
    EXPECT_NE(out.text().find("`define NUM_CYCLES       1\n`define SINGLECYCLE_FIR\n"
                              "`define SCALING_NONE\n\n"),
              std::string::npos);
}

TEST(WriteParams, NumberedDefaultsAndComplexPairs) {
    FirUserParams in = default_params();
    in.m_nNumTaps = 11;
    auto [p, d] = update(in);
    StringSink real;
    write_params(real, p, d, std::nullopt);
    EXPECT_NE(real.text().find("`define COEFF_FIXED_9   8'ha\n`define COEFF_FIXED_10   8'hb\n"),
              std::string::npos);
    in.m_nDataType = 1;
    in.m_nNumTaps = 2;
    std::tie(p, d) = std::tuple(update(in).params, update(in).d);
    StringSink pairs;
    write_params(pairs, p, d, std::vector<std::string>{"01", "ff", "7f", "80"});
    EXPECT_NE(pairs.text().find("// ------------ Fixed coefficients values\n"
                                "`define COEFF_FIXED_0   {8'h01,8'hff}\n"
                                "`define COEFF_FIXED_1   {8'h7f,8'h80}\n"),
              std::string::npos);
    StringSink numbered;
    write_params(numbered, p, d, std::nullopt);
    EXPECT_NE(numbered.text().find("`define COEFF_FIXED_1   {8'h2,8'h2}\n"), std::string::npos);
    in.m_nCoeffLoad = 1;
    std::tie(p, d) = std::tuple(update(in).params, update(in).d);
    StringSink loadable;
    write_params(loadable, p, d, std::nullopt);
    EXPECT_EQ(loadable.text().find("Fixed coefficients"), std::string::npos);
    EXPECT_NE(loadable.text().find("`define COEFF_LOAD\n"), std::string::npos);
}

} // namespace
} // namespace ipgen::fir::param
