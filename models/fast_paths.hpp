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

#include "generators/rs_common/galois_field.hpp"

namespace ipgen::models {

// RsDecoderModel's decoding (cores/rs_decoder/rs_decoder_model.cpp) step
// for step, its field products from tables (a doubled power table instead
// of reducing each exponent, the locators and their inverses once): the
// same words, counts and failures, several times faster.
class FastRsDecoder {
  public:
    FastRsDecoder(const rs::GaloisField& field, int first_root, int rootspace, int n, int k,
                  int max_erasures, bool ccsds);
    struct Result {
        std::vector<int> word;
        int changed = 0;
        bool failed = false;
    };
    Result decode(const std::vector<int>& received, const std::vector<int>& flags) const;

  private:
    int mul(int a, int b) const {
        return a == 0 || b == 0
                   ? 0
                   : exp2_[static_cast<std::size_t>(log_[static_cast<std::size_t>(a)] +
                                                    log_[static_cast<std::size_t>(b)])];
    }
    int inv(int a) const { return inv_[static_cast<std::size_t>(a)]; }
    void syndromes(const std::vector<int>& word, std::vector<int>& synd) const;

    rs::GaloisField field_;
    int first_root_;
    int n_;
    int r_;
    int max_erasures_;
    bool ccsds_;
    std::vector<int> exp2_;        // alpha^i, i < 2 nlong
    std::vector<int> log_;         // the field's logarithms
    std::vector<int> inv_;         // 1/a (0 for 0)
    std::vector<int> roots_;       // beta^(first_root + s)
    std::vector<int> locator_;     // beta^(n-1-p)
    std::vector<int> locator_inv_; // its inverse
    std::vector<int> to_dual_;
    std::vector<int> from_dual_;
};

} // namespace ipgen::models

#include "cores/viterbi/viterbi_model.hpp"

namespace ipgen::models {

// viterbi::decode_block (cores/viterbi/viterbi_model.cpp) step for step,
// its code words from a table of the register's states and its decisions
// in one flat array: the same bits.
std::vector<std::uint8_t> fast_viterbi_bits(const viterbi::CoreConfig& cfg,
                                            const std::vector<viterbi::Symbol>& steps);

} // namespace ipgen::models
