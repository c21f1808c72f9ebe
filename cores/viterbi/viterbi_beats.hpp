// The Viterbi core's testbench beats and its model's configuration from
// ipgen's. tb_in.hex: {tlast, tuser, tdata} per beat, tdata the n code
// symbols of a step (one symbol per beat when punctured), symbol j in bits
// j*D .. j*D+D-1 (D the symbol width), the byte padding above them ignored;
// tuser (with erasures or a choice of pattern pairs) the erasure flag of
// each symbol, then the pair index, read on a block's first beat; tlast on
// the last beat of a terminated block (continuous: of a frame).
// tb_out.hex: {tlast, bit} per decoded bit, the K-1 tail bits included,
// tlast on the block's last; in a continuous stream the bits the core has
// delivered once all beats are in, tlast with the bit of a frame's last
// step. Two steps per clock: tdata holds two steps (the older's symbols
// first), tuser bit 0 marks a beat with the older step only; tb_out.hex
// {tlast, bit 0 only, bit 1, bit 0} per beat.
#pragma once

#include "cores/viterbi/viterbi_model.hpp"
#include "ipgen/core_description.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

// The model's configuration of a checked configuration (defined with the
// core's description).
viterbi::CoreConfig viterbi_model_config(const Config& config);

// The trellis steps of a block of `sent` transmitted symbols: the step
// that holds the last one ends it.
int viterbi_block_steps(const viterbi::CoreConfig& cfg, std::size_t sent);

// The beats the core gives for the tb_in.hex beats `in`.
std::vector<std::string> viterbi_beats(const Config& config, const std::vector<std::string>& in);

} // namespace ipgen::front
