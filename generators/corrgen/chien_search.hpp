// chiensearch.v: the Chien search of the decoder core. It evaluates the
// error-locator polynomial sigma at one field point per enabled clock, each
// coefficient register stepped by its own constant multiplier, and flags the
// roots (foundzero low); the odd part of the sum goes on to errmag.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/corrgen/decoder_params.hpp"
#include "generators/rs_common/galois_field.hpp"

#include <cstdint>
#include <vector>

namespace ipgen::rs {

// The constants of the coefficient registers i = 1 .. T (T the locator
// degree), stored at [i-1], as exponents of alpha. Remainders truncate, so a
// negative exponent (from a negative root spacing or n > nlong) stays
// negative and its network is written as constant zero.
struct ChienExponents {
    // e_i = (i * rootspace) mod nlong: coefficient i advances by beta^i.
    std::vector<std::int64_t> update;
    // s_i = (i * (nlong - n) * rootspace) mod nlong, built as s_1 added up:
    // a shortened code starts its search nlong - n positions in. Empty when
    // n = nlong.
    std::vector<std::int64_t> premultiplier;
};

ChienExponents chien_exponents(const DecoderParams& params);

// The module after the copied header.
void write_chien_search(TextSink& out, const DecoderParams& params, const GaloisField& field);

} // namespace ipgen::rs
