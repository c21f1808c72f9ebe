// The decoder core's testbench beats and its model built from ipgen's
// configuration. tb_in.hex: {erasure flag, tlast, symbol} per received
// symbol, tlast with the n-th; tb_out.hex: {symbols changed, failure,
// tlast, symbol} per output symbol, the count (clog2(n-k) + 1 bits) and the
// failure bit the word's tuser, on every symbol of the word.
#pragma once

#include "cores/rs_decoder/rs_decoder_model.hpp"
#include "ipgen/core_description.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

// The model of a checked configuration.
RsDecoderModel rs_decoder_model(const Config& config);

// The width of the changed-symbol count: clog2(n-k) + 1.
int rs_decoder_count_bits(int parity);

// The beats the core gives for the tb_in.hex beats `in`.
std::vector<std::string> rs_decoder_beats(const Config& config, const std::vector<std::string>& in);

} // namespace ipgen::front
