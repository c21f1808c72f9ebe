#include "cores/fir/fir_model.hpp"

#include <algorithm>

namespace ipgen::fir {
namespace {

int nextlog2(int n) {
    int bits = 1;
    while (bits < 8 && (1 << bits) < n) {
        ++bits;
    }
    return n > 256 ? -1 : bits;
}

// Products of two 32-bit parts and their sums over the taps pass 64 bits:
// the sums are exact in 128 bits (taps times 2^64 at most).
__extension__ using Wide = __int128;

struct WideValue {
    Wide re = 0;
    Wide im = 0;
};

WideValue mul(const Value& a, const Value& b) {
    return {Wide{a.re} * b.re - Wide{a.im} * b.im, Wide{a.re} * b.im + Wide{a.im} * b.re};
}

WideValue add(const WideValue& a, const WideValue& b) {
    return {a.re + b.re, a.im + b.im};
}

Wide floor_shift(Wide v, int s) {
    return v >= 0 ? v >> s : -((-v + (Wide{1} << s) - 1) >> s);
}

std::int64_t scale(const FirConfig& c, Wide y, bool& clamped) {
    const int full = c.full_width();
    if (c.out_width < full) {
        const int drop = full - c.out_width;
        // The declared full width can exceed the sum's true range by far
        // (it grows by one bit per accumulated firing); sums stay below
        // 2^100, so dropping 126 bits or more leaves only the sign (or, to
        // nearest, zero).
        if (drop >= 126) {
            y = c.nearest || y >= 0 ? 0 : -1;
        } else {
            y = floor_shift(y + (c.nearest ? Wide{1} << (drop - 1) : 0), drop);
        }
    }
    // With saturate, a value beyond out_width bits is clamped to the
    // largest or smallest one.
    if (c.saturate && c.out_width < 120) {
        const bool is_signed = c.signed_results();
        const Wide top =
            is_signed ? (Wide{1} << (c.out_width - 1)) - 1 : (Wide{1} << c.out_width) - 1;
        const Wide bottom = is_signed ? -(Wide{1} << (c.out_width - 1)) : 0;
        if (y > top || y < bottom) {
            y = y > top ? top : bottom;
            clamped = true;
        }
    }
    // The low out_width bits (at most 64), two's complement.
    const std::uint64_t mask =
        c.out_width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << c.out_width) - 1;
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(y) & mask);
}

Value scale(const FirConfig& c, const WideValue& y) {
    Value v;
    v.re = scale(c, y.re, v.clamped);
    v.im = c.is_complex ? scale(c, y.im, v.clamped) : 0;
    return v;
}

} // namespace

std::int64_t scale_sum(const FirConfig& config, std::int64_t sum, bool& clamped) {
    return scale(config, Wide{sum}, clamped);
}

int FirConfig::num_coeffs() const {
    return symmetry != nonsymmetric ? taps / 2 + taps % 2 : taps;
}

int FirConfig::multipliers() const {
    switch (filter_type) {
    case multi_cycle:
        return (num_coeffs() - 1) / cycles + 1;
    case decimation:
        return (taps - 1) / deci + 1;
    case interpolation:
        return (taps - 1) / inter + 1;
    default:
        return num_coeffs();
    }
}

int FirConfig::cycles_adjusted() const {
    return (num_coeffs() - 1) / multipliers() + 1;
}

int FirConfig::full_width() const {
    const int idw = is_complex ? 2 * width : width;
    const bool sym = symmetry != nonsymmetric;
    const int mdw = !sym ? idw : (is_complex ? idw + 2 : idw + 1);
    const int m = multipliers();
    const int l = nextlog2(m);
    int ato = is_complex ? 2 * (mdw + 1) : 2 * mdw;
    if (m > 1) {
        ato += is_complex ? 2 * l : l;
    }
    int extra = 0;
    if (filter_type == multi_cycle) {
        extra = cycles_adjusted() - 1;
    } else if (filter_type == decimation) {
        extra = deci - 1;
    }
    const int ofw = ato + (is_complex ? 2 * extra : extra);
    return is_complex ? ofw / 2 : ofw;
}

bool FirConfig::signed_results() const {
    return !is_unsigned || is_complex || symmetry == antisymmetric;
}

std::vector<Value> impulse_response(const FirConfig& config, const CoeffSet& set) {
    std::vector<Value> h(config.taps);
    const int ncf = config.num_coeffs();
    for (int k = 0; k < config.taps; ++k) {
        if (k < ncf) {
            h[k] = set[k];
        } else {
            const Value& mirror = set[config.taps - 1 - k];
            h[k] = config.symmetry == antisymmetric ? Value{-mirror.re, -mirror.im} : mirror;
        }
    }
    return h;
}

std::vector<Value> run_model(const FirConfig& config, const CoeffSet& initial,
                             const std::vector<Event>& events) {
    std::vector<Value> out;
    for (const Result& r : run_model_sets(config, {initial}, events)) {
        out.push_back(r.value);
    }
    return out;
}

std::vector<Result> run_model_sets(const FirConfig& config, const std::vector<CoeffSet>& initial,
                                   const std::vector<Event>& events) {
    std::vector<std::vector<Value>> sets;
    for (const CoeffSet& set : initial) {
        sets.push_back(impulse_response(config, set));
    }
    const int channels = std::max(config.channels, 1);
    std::vector<std::vector<Value>> history(channels); // every sample so far, per channel
    std::vector<int> in_force(channels, 0);            // set of each channel's current block
    std::vector<Result> out;
    const Event* pending = nullptr;
    int expected = 0; // channel of the next sample
    const int taps = config.taps;

    for (const Event& event : events) {
        if (event.is_set) {
            // With several sets the core takes a packet only after the one
            // pending has replaced its set (at once when that set is not in
            // use): in a stream the core does not stall on, it comes first.
            if (pending != nullptr && config.coeff_sets > 1) {
                sets[pending->set_index] = impulse_response(config, pending->set);
            }
            pending = &event;
            continue;
        }
        if (event.channel != expected) {
            continue; // out of order: dropped
        }
        const int ch = expected;
        expected = (expected + 1) % channels;
        std::vector<Value>& x = history[ch];
        auto past = [&](long n) { return n >= 0 ? x[n] : Value{}; };
        const long n = static_cast<long>(x.size());
        const bool block_start = config.filter_type != decimation || n % config.deci == 0;
        if (block_start) {
            // decimating channels: a set changes only where every channel's
            // block starts (channel 0's first sample of a block)
            if (pending != nullptr && (config.filter_type != decimation || ch == 0)) {
                sets[pending->set_index] = impulse_response(config, pending->set);
                pending = nullptr;
            }
            in_force[ch] = event.set_index;
        }
        const std::vector<Value>& h = sets[in_force[ch]];
        x.push_back(event.sample);
        if (config.filter_type == interpolation) {
            // upsampled by inserting U-1 zeros after every sample
            const int u = config.inter;
            for (int p = 0; p < u; ++p) {
                WideValue y;
                for (int k = p; k < taps; k += u) {
                    y = add(y, mul(h[k], past(n - k / u)));
                }
                out.push_back({scale(config, y), ch});
            }
            continue;
        }
        WideValue y;
        for (int k = 0; k < taps; ++k) {
            y = add(y, mul(h[k], past(n - k)));
        }
        // decimation keeps the full-rate output at the last sample of each block
        if (config.filter_type == decimation && n % config.deci != config.deci - 1) {
            continue;
        }
        out.push_back({scale(config, y), ch});
    }
    return out;
}

} // namespace ipgen::fir
