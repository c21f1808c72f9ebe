// Batch paths of the model library that give the models' results faster
// for the common cases; each falls back (nullopt) to the model itself
// where it does not apply.
#pragma once

#include "cores/fir/fir_model.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ipgen::models {

// A result part as the library gives it: the core's out_width bits read
// as two's complement when its results are signed.
std::int64_t result_word(const fir::FirConfig& c, std::int64_t bits);

// A real filter of single-cycle, multi-cycle or decimation type with a
// fixed set, its sums within 62 bits: the model's results (result_word
// applied) from 64-bit sums over the impulse response.
std::optional<std::vector<std::int64_t>> fast_fir(const fir::FirConfig& c, const fir::CoeffSet& set,
                                                  std::span<const std::int64_t> samples);

} // namespace ipgen::models
