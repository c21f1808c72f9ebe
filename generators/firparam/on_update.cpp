#include "generators/firparam/on_update.hpp"

#include "generators/fir_common/next_log2.hpp"

namespace ipgen::fir::param {

std::int64_t ceil_quotient(std::int64_t a, std::int64_t b) {
    if (b == 0) {
        return 0; // refused by the validation; no fault here
    }
    const std::int64_t q = a / b;
    const float quotient = static_cast<float>(a) / static_cast<float>(b);
    return quotient != static_cast<float>(q) ? q + 1 : q;
}

FirParamDerived OnUpdate(FirUserParams& p) {
    FirParamDerived d;
    // 1. Complex data is always treated as signed.
    if (p.m_nDataType == 1 && p.m_nArithmeticType == 1) {
        p.m_nArithmeticType = 0;
    }
    // 2.-4. Unsigned data and coefficients take one more bit (the sign of
    // the signed multipliers), their product two.
    const bool unsigned_mode = p.m_nArithmeticType == 1;
    d.m_nTapWidthAdj = std::int64_t{p.m_nTapWidth} + (unsigned_mode ? 1 : 0);
    d.m_nCoeffWidthAdj = std::int64_t{p.m_nCoeffWidth} + (unsigned_mode ? 1 : 0);
    d.m_nTwCountWidth = NextLog2(d.m_nTapWidthAdj + 1);
    d.m_nOutWidthAdj = std::int64_t{p.m_nOutWidth} + (unsigned_mode ? 2 : 0);
    // 5. A symmetric set pre-adds tap pairs: one more bit, half the coefficients.
    if (p.m_nSymmetry != 0) {
        d.m_nSooDataWidth = d.m_nTapWidthAdj + 1;
        d.m_nNumCoeffs = ceil_quotient(p.m_nNumTaps, 2);
    } else {
        d.m_nSooDataWidth = d.m_nTapWidthAdj;
        d.m_nNumCoeffs = p.m_nNumTaps;
    }
    // 6. The filter type.
    const std::int64_t ncf = d.m_nNumCoeffs;
    const auto multiplier_widths = [&] {
        d.m_nLogn = NextLog2(p.m_nNumTaps);
        d.m_nMultParWidth = d.m_nCoeffWidthAdj;
        d.m_nMboDataWidth = d.m_nSooDataWidth + d.m_nMultParWidth;
        d.m_nNumAddStages = NextLog2(d.m_nNumMults);
        d.m_nAtoDataWidth = d.m_nMboDataWidth + d.m_nNumAddStages;
    };
    // Decimation and interpolation: a ratio of at least 2, one multiplier
    // per `ratio` coefficients, the scheduler selecting among `ratio` phases.
    const auto by_ratio = [&](int& ratio) {
        if (ratio < 2) {
            ratio = 2;
        }
        d.m_nNumMults = ceil_quotient(ncf, ratio);
        d.m_nDsSelWidth = NextLog2(ratio);
    };
    switch (p.m_nFilterType) {
    case 0:
        d.m_nNumMults = ncf;
        p.m_nNumCycles = 1;
        d.m_nNumTapsAdj = p.m_nNumTaps;
        multiplier_widths();
        d.m_nOutFullWidth = d.m_nAtoDataWidth;
        break;
    case 1:
        if (p.m_nNumCycles < 2) {
            p.m_nNumCycles = 2;
        }
        d.m_nNumTapsAdj = p.m_nNumTaps;
        d.m_nNumMults = ceil_quotient(ncf, p.m_nNumCycles);
        p.m_nNumCycles = static_cast<int>(ceil_quotient(ncf, d.m_nNumMults));
        d.m_nDsSelWidth = NextLog2(p.m_nNumCycles);
        multiplier_widths();
        d.m_nOutFullWidth = d.m_nAtoDataWidth + p.m_nNumCycles - 1;
        break;
    case 2:
        by_ratio(p.m_nDeciRatio);
        d.m_nNumTapsAdj = p.m_nNumTaps;
        multiplier_widths();
        d.m_nOutFullWidth = d.m_nAtoDataWidth + p.m_nDeciRatio - 1;
        break;
    case 3:
        by_ratio(p.m_nInterRatio);
        d.m_nNumTapsAdj = d.m_nNumMults;
        multiplier_widths();
        d.m_nOutFullWidth = d.m_nAtoDataWidth + (p.m_nDataType == 1 ? 1 : 0);
        break;
    default:
        d.m_nNumMults = ncf;
        break;
    }
    // 7.-9. Output widths and the rounding adder.
    d.m_nOrdyCountWidth = NextLog2(d.m_nOutFullWidth + 1);
    if (d.m_nOutWidthAdj > d.m_nOutFullWidth) {
        d.m_nOutWidthAdj = d.m_nOutFullWidth;
        p.m_nOutWidth = static_cast<int>(unsigned_mode ? d.m_nOutWidthAdj - 2 : d.m_nOutWidthAdj);
    }
    d.m_nAdderInOp = d.m_nOutWidthAdj < d.m_nOutFullWidth && p.m_nRoundType == 1 ? 1 : 0;
    if (p.m_nFilterType == 1 || p.m_nFilterType == 2) {
        d.m_nAdderInOp = 1;
    }
    return d;
}

} // namespace ipgen::fir::param
