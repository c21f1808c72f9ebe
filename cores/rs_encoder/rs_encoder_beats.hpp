// The encoder core's testbench beats and its model built from ipgen's
// configuration. tb_in.hex: {tlast, data} per data symbol, tlast with the
// k-th; tb_out.hex: {tlast, data} per codeword symbol, tlast with the n-th.
#pragma once

#include "cores/rs_encoder/rs_encoder_model.hpp"
#include "ipgen/core_description.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

// The model of a checked configuration.
RsEncoderModel rs_encoder_model(const Config& config);

// The beats the core gives for the tb_in.hex beats `in`.
std::vector<std::string> rs_encoder_beats(const Config& config, const std::vector<std::string>& in);

} // namespace ipgen::front
