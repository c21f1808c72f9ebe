// The locator degree T of the decoder core: the most errata (errors and
// erasures together) one codeword can need, and so the number of
// error-locator coefficients after sigma0 that the Chien search evaluates
// and, less one, the number of error-evaluator registers after omega0.
#pragma once

#include "generators/corrgen/decoder_params.hpp"

namespace ipgen::rs {

// T = (r + e) / 2 with r = n - k check symbols and e the erasure limit: a
// pattern of v errors and f erasures is correctable when 2v + f <= r and
// f <= e, and needs v + f <= (r + e) / 2 locator coefficients. The sum is
// halved as a whole: halving r and e apart loses one when both are odd, and
// the top coefficient of such a pattern would then be ignored. This is the
// parameter header's TPLUSMAXROBY2, which also sizes SIGMA_WIDTH ((T+1)*m)
// and OMEGA_WIDTH (T*m), so the modules and their buses agree.
inline int locator_degree(const DecoderParams& params) {
    return (params.num_chk() + params.max_erasures) / 2;
}

} // namespace ipgen::rs
