// Integer model of the FIR filter core: what every output word must be for
// a configuration, the coefficient sets and the samples, written as plain
// sums over the impulse response (no pipelines, no polyphase tricks). It is
// checked against numpy's integer convolution (fir_model_check.py) and
// gives the expected vectors of the core's testbench.
#pragma once

#include <cstdint>
#include <vector>

namespace ipgen::fir {

enum FilterType { single_cycle = 0, multi_cycle = 1, decimation = 2, interpolation = 3 };
enum Symmetry { nonsymmetric = 0, symmetric = 1, antisymmetric = 2 };

// The fourteen values of user_params.txt, as firgen reads them.
struct FirConfig {
    int width = 8; // data and coefficient bits (per part)
    int taps = 6;
    int out_width = 19; // output bits (per part)
    int filter_type = single_cycle;
    bool loadable = false;
    int symmetry = nonsymmetric;
    bool nearest = false; // round to nearest instead of truncating
    bool is_unsigned = false;
    bool is_complex = false;
    int cycles = 1;
    int deci = 1;
    int inter = 1;
    bool serial = false;   // complex parts one after the other on the ports
    bool saturate = false; // a result beyond out_width is clamped (else it wraps)
    // Beyond user_params.txt: interleaved channels, each with its own
    // history; coefficient sets chosen per sample (decimation: per block).
    int channels = 1;
    int coeff_sets = 1;
    int samples_per_clock = 1; // samples (and results) per beat: the same sums

    int num_coeffs() const;
    int multipliers() const;
    int cycles_adjusted() const;
    // Full-precision width of one result part, before scaling.
    int full_width() const;
    // Results are two's complement (else unsigned).
    bool signed_results() const;
    bool signed_coeffs() const { return is_complex || !is_unsigned; }
};

struct Value {
    std::int64_t re = 0;
    std::int64_t im = 0;  // 0 for real data
    bool clamped = false; // a result part was clamped (saturate)
    bool operator==(const Value&) const = default;
};

using CoeffSet = std::vector<Value>; // num_coeffs() words, first tap first

// One input event: a sample, or a coefficient set (loadable cores) that
// takes effect from the next sample on (decimation: the next block).
// `channel` is the sample's channel index: one that breaks the order 0, 1,
// .., channels-1, 0, .. is dropped. `set_index` is the set a sample (the
// first of a decimation block) is filtered with, or the set a load replaces.
struct Event {
    bool is_set = false;
    Value sample;
    CoeffSet set;
    int channel = 0;
    int set_index = 0;
};

// A result and the channel of the sample it belongs to.
struct Result {
    Value value;
    int channel = 0;
};

// The output words (each part the low out_width bits, as unsigned numbers;
// out_width at most 64, where the bits are those of the int64) in order.
// Parts of up to 32 bits: the sums are exact. `initial` is the set in force from the start: the
// fixed one, or all zeros for a loadable core.
std::vector<Value> run_model(const FirConfig& config, const CoeffSet& initial,
                             const std::vector<Event>& events);

// The same with coeff_sets sets in force from the start (`initial`, set 0
// first) and the channel of every result.
std::vector<Result> run_model_sets(const FirConfig& config, const std::vector<CoeffSet>& initial,
                                   const std::vector<Event>& events);

// The impulse response (taps() values) a coefficient set stands for.
std::vector<Value> impulse_response(const FirConfig& config, const CoeffSet& set);

// One real full-precision sum as the core gives it: rounded to out_width
// bits, clamped with saturate (`clamped` set then), the low out_width bits.
std::int64_t scale_sum(const FirConfig& config, std::int64_t sum, bool& clamped);

} // namespace ipgen::fir
