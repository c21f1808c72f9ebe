// ipgen's bit-true models, for a system simulation: each class is what one
// core computes, word for word, built from the same options ipgen takes
// (the same names, defaults and refusals), with batch calls on plain
// arrays. The testbench vectors of every folder ipgen writes come from the
// same code, and the cores' simulations check every word of them.
//
//   ipgen::models::RsDecoder decoder({{"symbol-width", "8"}, {"n", "255"},
//                                     {"k", "239"}, {"erasures", "4"}});
//   auto result = decoder.decode(received, erasure_flags);
//
// Link with ipgen_models (pkg: ipgen/models.hpp, libipgen_models).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace ipgen::front {
class Config; // the front-end's typed configuration (ipgen/core_description.hpp)
}

namespace ipgen::models {

// A refused configuration or input. what() is ipgen's own line without the
// newline, e.g. "ipgen: --k 300: ...; accepted: ...".
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Option values by their long names ("symbol-width", or "symbol_width"),
// each spelled as on the command line ("8", "171,133", "decimation"); a
// flag takes "true" or "false". Options left out take ipgen's defaults.
using Options = std::vector<std::pair<std::string, std::string>>;

// What every model shares: the core, its checked configuration and the
// beats of its testbench (`ipgen model`).
class Model {
  public:
    const std::string& core() const;
    const front::Config& config() const;
    // tb_in.hex lines in, the tb_out.hex lines the core gives out.
    std::vector<std::string> beats(const std::vector<std::string>& in) const;
    // The long options and values of the configuration, defaults included,
    // as ipgen writes them back (the folder's re-run command).
    Options options() const;

    struct State;

  protected:
    Model(const std::string& core, const Options& options);
    Model(const std::string& core, const front::Config& config);
    std::shared_ptr<const State> state_;
};

// ipgen rs-encoder: the systematic encoder, k data symbols in, the n
// symbols of the codeword out (data first, highest power of x first).
class RsEncoder : public Model {
  public:
    explicit RsEncoder(const Options& options);
    explicit RsEncoder(const front::Config& config);
    int symbol_width() const;
    int n() const;
    int k() const;
    // Whole words of k symbols in, n symbols per word out.
    std::vector<int> encode(std::span<const int> data) const;
};

// ipgen rs-decoder: errors and erasures; a word the core cannot correct
// (a failure) passes unchanged.
class RsDecoder : public Model {
  public:
    explicit RsDecoder(const Options& options);
    explicit RsDecoder(const front::Config& config);
    int symbol_width() const;
    int n() const;
    int k() const;
    int max_erasures() const;

    struct Decoded {
        std::vector<int> words;           // n symbols per word
        std::vector<int> changed;         // per word: symbols the correction changed
        std::vector<std::uint8_t> failed; // per word: 1 for a failure
    };
    // Whole words of n symbols, the first received first; `erased` empty or
    // one flag per symbol (non-zero: the symbol's erasure flag is set).
    Decoded decode(std::span<const int> words, std::span<const std::uint8_t> erased = {}) const;
};

// ipgen viterbi: terminated blocks (the encoder starts and ends in state
// 0: K-1 zero tail bits). Symbols are the core's input words: hard 0 or 1;
// soft unsigned 0 (a sure 0) .. 2^D-1 (a sure 1); soft signed -2^(D-1)
// (a sure 0) .. 2^(D-1)-1 (a sure 1).
class Viterbi : public Model {
  public:
    explicit Viterbi(const Options& options);
    explicit Viterbi(const front::Config& config);
    int constraint_length() const;
    int outputs() const;    // code bits per information bit before puncturing (n)
    int soft_width() const; // 0: hard decisions
    bool signed_symbols() const;
    bool punctured() const;

    // The code bits sent for `bits` (the K-1 tail bits appended when
    // `terminate`), inverted outputs flipped, punctured by the (first)
    // patterns from the block's start.
    std::vector<std::uint8_t> encode(std::span<const std::uint8_t> bits,
                                     bool terminate = true) const;
    // BPSK values (a 1 sent as +1) to the core's symbols: soft
    // round((y + 1) / 2 * (2^D - 1)) within range, as a signed or unsigned
    // word; hard y > 0.
    std::vector<int> quantise(std::span<const double> values) const;
    // One terminated block of transmitted symbols (punctured positions
    // left out) to its decoded bits, the K-1 tail bits included, as the
    // core delivers them (a core with --stream continuous: the stream from
    // reset, the bits it has delivered once all symbols are in).
    // `erasures`: none, or one flag per transmitted symbol (non-zero: the
    // symbol is erased, as the core's s_axis_tuser flag marks it: it adds
    // nothing to any branch metric, as a punctured one).
    std::vector<std::uint8_t> decode(std::span<const int> symbols,
                                     std::span<const std::uint8_t> erasures = {}) const;
};

// ipgen fir: samples in, results out. Complex cores take and give
// interleaved pairs (real, imaginary). Results are the core's output words
// read as two's complement numbers when the core's results are signed.
class Fir : public Model {
  public:
    explicit Fir(const Options& options);
    explicit Fir(const front::Config& config);
    bool is_complex() const;
    int taps() const;
    // Bits of a full-precision result part; the core keeps the top
    // output-width of them (truncated or rounded to nearest) when fewer.
    int full_width() const;
    int coefficient_count() const; // per set (pairs when complex)
    bool loadable() const;

    // A coefficient set loaded into a loadable core, taking effect from
    // sample `before` on (decimation: from the block that starts there or
    // next), `coefficients` as --coeffs lists them.
    struct Reload {
        std::size_t before = 0;
        std::vector<std::int64_t> coefficients;
    };
    std::vector<std::int64_t> filter(std::span<const std::int64_t> samples,
                                     const std::vector<Reload>& reloads = {}) const;
};

} // namespace ipgen::models
