#include "cores/fir/fir_beats.hpp"

#include "ipgen/beats.hpp"

namespace ipgen::front {

namespace {

// Where the fields of a tb_in.hex beat sit: the data (a coefficient word,
// or P samples, the oldest lowest), then s_axis_tuser {set, channel}, with
// channels the out-of-order mark, then tlast and the coefficient flag.
struct Layout {
    int data_width = 0; // one sample or coefficient word
    int field = 0;      // the data field: P samples
    int chw = 0;
    int setw = 0;
    int flags = 0; // bit of tlast; the coefficient flag above it
};

int index_width(int n) {
    int bits = 0;
    while ((1 << bits) < n) {
        ++bits;
    }
    return bits;
}

Layout layout(const fir::FirConfig& c) {
    Layout l;
    l.data_width = c.is_complex ? 2 * c.width : c.width;
    l.field = c.samples_per_clock * l.data_width;
    l.chw = index_width(c.channels);
    l.setw = index_width(c.coeff_sets);
    l.flags = l.field + l.chw + l.setw + (c.channels > 1 ? 1 : 0);
    return l;
}

} // namespace

std::vector<fir::Event> fir_events(const fir::FirConfig& c, const std::vector<std::string>& in) {
    const int w = c.width;
    const Layout l = layout(c);
    const auto count = static_cast<std::size_t>(c.num_coeffs());
    const std::string set_rule = std::to_string(count) + " coefficient beats, tlast (bit " +
                                 std::to_string(l.flags) + ") on the last";
    std::vector<fir::Event> events;
    fir::CoeffSet set;
    bool half = false; // complex serial: the real part read, the imaginary one next
    fir::Value sample;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Beat beat(in[i], l.flags + 2, i);
        const auto part = [&](int lo, bool is_signed) {
            return is_signed ? beat.signed_field(lo, w)
                             : static_cast<std::int64_t>(beat.field(lo, w));
        };
        const int channel = l.chw > 0 ? static_cast<int>(beat.field(l.field, l.chw)) : 0;
        const int set_index =
            l.setw > 0 ? static_cast<int>(beat.field(l.field + l.chw, l.setw)) : 0;
        if (set_index >= c.coeff_sets) {
            throw BeatError(i + 1, "set index " + std::to_string(set_index),
                            "0 to " + std::to_string(c.coeff_sets - 1));
        }
        if (beat.bit(l.flags + 1)) {
            if (!c.loadable) {
                throw BeatError(i + 1,
                                "a coefficient beat (bit " + std::to_string(l.flags + 1) +
                                    ") to a core with fixed coefficients",
                                "sample beats only (ipgen fir --loadable takes sets)");
            }
            if (half) {
                throw BeatError(i + 1, "a coefficient beat between the parts of a sample",
                                "the imaginary part after the real one");
            }
            const bool is_signed = c.signed_coeffs();
            set.push_back({part(0, is_signed), c.is_complex ? part(w, is_signed) : 0});
            const bool last = beat.bit(l.flags);
            if (last != (set.size() == count)) {
                throw BeatError(i + 1,
                                last ? "tlast on coefficient " + std::to_string(set.size())
                                     : "no tlast on coefficient " + std::to_string(count),
                                set_rule);
            }
            if (last) {
                events.push_back({true, {}, std::move(set), 0, set_index});
                set.clear();
            }
            continue;
        }
        if (!set.empty()) {
            throw BeatError(i + 1, "a sample inside a coefficient set", set_rule);
        }
        const bool is_signed = !c.is_unsigned;
        if (c.is_complex && c.serial) {
            (half ? sample.im : sample.re) = part(0, is_signed);
            half = !half;
            if (half) {
                continue;
            }
            events.push_back({false, sample, {}, channel, set_index});
            continue;
        }
        for (int lane = 0; lane < c.samples_per_clock; ++lane) {
            const int at = lane * l.data_width;
            sample = {part(at, is_signed), c.is_complex ? part(at + w, is_signed) : 0};
            events.push_back({false, sample, {}, channel, set_index});
        }
    }
    if (half || !set.empty()) {
        throw BeatError(0,
                        half ? "the beats end between the parts of a sample"
                             : "the beats end inside a coefficient set",
                        half ? "the imaginary part after the real one" : set_rule);
    }
    return events;
}

std::vector<std::string> fir_result_beats(const fir::FirConfig& c,
                                          const std::vector<fir::Result>& results) {
    const int ow = c.out_width;
    const int chw = layout(c).chw;
    const int per_beat = c.filter_type == fir::decimation ? 1 : c.samples_per_clock;
    std::vector<std::string> out;
    std::vector<std::pair<std::int64_t, int>> gathered; // a beat of P results, the first lowest
    bool beat_clamped = false; // one of the beat's results was clamped (saturate)
    for (const fir::Result& result : results) {
        const fir::Value& r = result.value;
        std::vector<std::pair<std::int64_t, int>> fields;
        beat_clamped = beat_clamped || r.clamped;
        if (c.saturate) {
            fields.push_back({beat_clamped ? 1 : 0, 1}); // the clamp flag, m_axis_tuser's top bit
        }
        if (chw > 0) {
            fields.push_back({result.channel, chw}); // m_axis_tuser on top
        }
        if (c.is_complex && c.serial) {
            fields.push_back({0, 1});
            fields.push_back({r.re, ow});
            out.push_back(hex_word(fields));
            fields.resize(fields.size() - 2);
            fields.push_back({1, 1});
            fields.push_back({r.im, ow});
            out.push_back(hex_word(fields));
            beat_clamped = false;
            continue;
        }
        if (c.is_complex) {
            gathered.insert(gathered.begin(), {{r.im, ow}, {r.re, ow}});
        } else {
            gathered.insert(gathered.begin(), {r.re, ow});
        }
        if (static_cast<int>(gathered.size()) == per_beat * (c.is_complex ? 2 : 1)) {
            fields.insert(fields.end(), gathered.begin(), gathered.end());
            out.push_back(hex_word(fields));
            gathered.clear();
            beat_clamped = false;
        }
    }
    return out;
}

std::vector<std::string> fir_beats(const Config& config, const std::vector<std::string>& in) {
    const fir::FirConfig c = fir_model_config(config);
    return fir_result_beats(c, fir::run_model_sets(c, fir_initial_sets(config), fir_events(c, in)));
}

} // namespace ipgen::front
