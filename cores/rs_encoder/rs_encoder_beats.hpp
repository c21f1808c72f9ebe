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

// A sequence of symbols (a message or a codeword) appended to `beats` as
// beats of p symbols, {tlast, tkeep, tdata} in hexadecimal: symbol 0 of a
// beat in the low bits, the lanes past the end zero and off in tkeep,
// tlast on the last beat.
void add_wide_beats(std::vector<std::string>& beats, const std::vector<int>& symbols, int p, int m);

// The beats the core gives for the tb_in.hex beats `in`: one symbol per
// beat, or with --symbols-per-clock P above 1 the beats of P symbols above,
// ceil(k/P) per message and ceil(n/P) per codeword.
std::vector<std::string> rs_encoder_beats(const Config& config, const std::vector<std::string>& in);

} // namespace ipgen::front
