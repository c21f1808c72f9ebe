// errmag.v: the error-magnitude unit of the decoder core. It evaluates the
// error-evaluator polynomial omega at the same field points as the Chien
// search, divides by the Chien search's odd sum (Forney's formula, through
// gfinvrom and mastrovito) and outputs the error value where a root was found.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/corrgen/decoder_params.hpp"
#include "generators/rs_common/galois_field.hpp"

#include <cstdint>
#include <optional>
#include <vector>

namespace ipgen::rs {

// The constants of the unit as exponents of alpha, for the coefficient
// registers i = 1 .. T-1 (T the locator degree) stored at [i-1]. Every
// product is formed exactly in 64 bits before the remainder is taken: for
// m = 11 or 12 the products of p_i and x exceed 31 bits. Remainders truncate,
// so negative inputs give negative exponents (constant-zero networks).
struct ErrorMagnitudeExponents {
    // o_i = ((i + first_root) * rootspace) mod nlong.
    std::vector<std::int64_t> update;
    // p_i = (i * (nlong - n) * rootspace) mod nlong; empty when n = nlong.
    std::vector<std::int64_t> premultiplier;
    // x = (first_root * rootspace * (nlong - n)) mod nlong, the scaling of
    // the sum; only for a shortened code with first_root and rootspace != 0.
    std::optional<std::int64_t> output_scaling;
    // y = (first_root * rootspace) mod nlong, the scaling of coefficient 0;
    // only when first_root and rootspace != 0.
    std::optional<std::int64_t> coefficient0_scaling;
};

ErrorMagnitudeExponents error_magnitude_exponents(const DecoderParams& params);

// The module after the copied header.
void write_error_magnitude(TextSink& out, const DecoderParams& params, const GaloisField& field);

} // namespace ipgen::rs
