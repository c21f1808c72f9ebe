// OnUpdate: the derivation of firparam. It normalises the user parameters
// (complex data is always signed, the cycle count follows the filter type,
// the ratios are at least 2, the output width at most the full width) and
// computes the adjusted and calculated values that parameters.v carries.
#pragma once

#include "generators/firparam/user_params.hpp"

#include <cstdint>

namespace ipgen::fir::param {

// The derived values, 64-bit so that no sum of 32-bit inputs overflows;
// all start at 0, and those a filter type does not set stay 0.
struct FirParamDerived {
    std::int64_t m_nTapWidthAdj = 0;    // TAP_WIDTH: one more in unsigned mode
    std::int64_t m_nCoeffWidthAdj = 0;  // COEFF_WIDTH and each fixed coefficient's width
    std::int64_t m_nOutWidthAdj = 0;    // OUTPUT_WIDTH
    std::int64_t m_nNumTapsAdj = 0;     // NUM_TAPS: the multiplier count for interpolation
    std::int64_t m_nNumCoeffs = 0;      // NUM_COEFFS
    std::int64_t m_nNumMults = 0;       // NUM_MULTS
    std::int64_t m_nDsSelWidth = 0;     // DS_SEL_WIDTH
    std::int64_t m_nLogn = 0;           // LOGN
    std::int64_t m_nMultParWidth = 0;   // MULT_WIDTH
    std::int64_t m_nSooDataWidth = 0;   // SOO_DATA_WIDTH
    std::int64_t m_nMboDataWidth = 0;   // MULT_OUT_WIDTH, MBO_DATA_WIDTH
    std::int64_t m_nNumAddStages = 0;   // NUM_ADD_STAGES
    std::int64_t m_nAtoDataWidth = 0;   // ATO_DATA_WIDTH
    std::int64_t m_nOutFullWidth = 0;   // OUTPUT_FULL_WIDTH
    std::int64_t m_nTwCountWidth = 0;   // TW_COUNT_WIDTH
    std::int64_t m_nOrdyCountWidth = 0; // ORDY_COUNT_WIDTH
    std::int64_t m_nAdderInOp = 0;      // ADDER_IN_OP, 0 or 1
};

// ceil(a / b) as firparam computes it: a div b, plus one when the
// single-precision quotient a / b differs from that integer.
std::int64_t ceil_quotient(std::int64_t a, std::int64_t b);

// Steps 1 to 9 of the derivation; `params` is normalised in place. The run
// writes user_params.txt right after (step 10).
FirParamDerived OnUpdate(FirUserParams& params);

} // namespace ipgen::fir::param
