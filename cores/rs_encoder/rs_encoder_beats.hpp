// The encoder core's testbench beats and its model built from ipgen's
// configuration. tb_in.hex: {tlast, data} per data symbol, tlast with the
// k-th; tb_out.hex: {tlast, data} per codeword symbol, tlast with the n-th.
#pragma once

#include "cores/rs_encoder/rs_encoder_model.hpp"
#include "ipgen/core_description.hpp"

#include <optional>
#include <string>
#include <vector>

namespace ipgen::front {

// The model of a checked configuration.
RsEncoderModel rs_encoder_model(const Config& config);

// A sequence of symbols (a message or a codeword) appended to `beats` as
// beats of p symbols, {tlast, tkeep, tdata} in hexadecimal: symbol 0 of a
// beat in the low bits, the lanes past the end zero and off in tkeep,
// tlast on the last beat. With `user` a tuser bit above tlast, `*user` on
// the last beat and 0 on the others (the codewords of --variable-length).
void add_wide_beats(std::vector<std::string>& beats, const std::vector<int>& symbols, int p, int m,
                    std::optional<bool> user = std::nullopt);

// The beats the core gives for the tb_in.hex beats `in`: one symbol per
// beat, or with --symbols-per-clock P above 1 the beats of P symbols above,
// ceil(k/P) per message and ceil(n/P) per codeword. With --variable-length
// (any P) the beats of P symbols, a word ending at its tlast beat (or at its
// k-th symbol), each codeword's beats with a tuser bit above tlast.
std::vector<std::string> rs_encoder_beats(const Config& config, const std::vector<std::string>& in);

} // namespace ipgen::front
