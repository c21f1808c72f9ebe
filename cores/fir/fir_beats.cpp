#include "cores/fir/fir_beats.hpp"

#include "ipgen/beats.hpp"

#include <algorithm>
#include <bit>

namespace ipgen::front {

namespace {

// Bits of an index of n things (0 for one thing).
int index_bits(int n) {
    return n > 1 ? std::bit_width(static_cast<unsigned>(n - 1)) : 0;
}

// A beat of the fields given most significant first (fields of no width
// left out); a value narrower than its field is sign-extended.
std::string word_of(const std::vector<std::pair<std::int64_t, int>>& fields) {
    std::vector<bool> bits; // least significant first
    for (auto field = fields.rbegin(); field != fields.rend(); ++field) {
        for (int i = 0; i < field->second; ++i) {
            bits.push_back(i < 63 ? ((field->first >> i) & 1) != 0 : field->first < 0);
        }
    }
    std::string text;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        int digit = 0;
        for (std::size_t j = i; j < std::min(i + 4, bits.size()); ++j) {
            digit |= bits[j] ? 1 << (j - i) : 0;
        }
        text.insert(text.begin(), "0123456789abcdef"[digit]);
    }
    return text;
}

} // namespace

std::vector<fir::Event> fir_events(const fir::FirConfig& c, const std::vector<std::string>& in) {
    const int w = c.width;
    const int data_width = c.is_complex ? 2 * w : w;
    // above the data (P samples of a beat, the first lowest; a coefficient
    // word in the low bits): the channel, the set, with channels the
    // out-of-order mark, then tlast and the coefficient-beat flag
    const int lanes = c.samples_per_clock;
    const int dfw = std::max(lanes * data_width, data_width);
    const int chw = index_bits(c.channels);
    const int setw = index_bits(c.coeff_sets);
    const int tlast_at = dfw + chw + setw + (c.channels > 1 ? 1 : 0);
    const auto count = static_cast<std::size_t>(c.num_coeffs());
    const std::string set_rule = std::to_string(count) + " coefficient beats, tlast (bit " +
                                 std::to_string(tlast_at) + ") on the last";
    std::vector<fir::Event> events;
    fir::CoeffSet set;
    bool half = false; // complex serial: the real part read, the imaginary one next
    fir::Value sample;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Beat beat(in[i], tlast_at + 2, i);
        const auto part = [&](int lo, bool is_signed) {
            return is_signed ? beat.signed_field(lo, w)
                             : static_cast<std::int64_t>(beat.field(lo, w));
        };
        const int channel = chw > 0 ? static_cast<int>(beat.field(dfw, chw)) : 0;
        const int set_index = setw > 0 ? static_cast<int>(beat.field(dfw + chw, setw)) : 0;
        if (set_index >= c.coeff_sets) {
            throw BeatError(i + 1, "set " + std::to_string(set_index),
                            "0 to " + std::to_string(c.coeff_sets - 1));
        }
        if (beat.bit(tlast_at + 1)) {
            if (!c.loadable) {
                throw BeatError(i + 1,
                                "a coefficient beat (bit " + std::to_string(tlast_at + 1) +
                                    ") to a core with fixed coefficients",
                                "sample beats only (ipgen fir --loadable takes sets)");
            }
            if (half) {
                throw BeatError(i + 1, "a coefficient beat between the parts of a sample",
                                "the imaginary part after the real one");
            }
            const bool is_signed = c.signed_coeffs();
            set.push_back({part(0, is_signed), c.is_complex ? part(w, is_signed) : 0});
            const bool last = beat.bit(tlast_at);
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
            if (!half) {
                events.push_back({false, sample, {}, channel, set_index});
            }
            continue;
        }
        for (int lane = 0; lane < lanes; ++lane) {
            const int lo = lane * data_width;
            events.push_back({false,
                              {part(lo, is_signed), c.is_complex ? part(lo + w, is_signed) : 0},
                              {},
                              channel,
                              set_index});
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
    const int chw = index_bits(c.channels);
    // results per beat: one per sample of a beat, one per block decimating
    const int per_beat = c.filter_type == fir::decimation ? 1 : c.samples_per_clock;
    std::vector<std::string> out;
    std::vector<std::pair<std::int64_t, int>> gathered; // the beat's results, the first lowest
    bool beat_clamped = false;                          // one of them was clamped
    for (const fir::Result& result : results) {
        const fir::Value& r = result.value;
        // m_axis_tuser on top: {clamped (saturate), channel}
        beat_clamped = beat_clamped || r.clamped;
        const std::pair<std::int64_t, int> flag{beat_clamped ? 1 : 0, c.saturate ? 1 : 0};
        const std::pair<std::int64_t, int> tag{result.channel, chw};
        std::vector<std::pair<std::int64_t, int>> fields{flag, tag};
        if (per_beat > 1) {
            if (c.is_complex) {
                gathered.insert(gathered.begin(), {{r.im, ow}, {r.re, ow}});
            } else {
                gathered.insert(gathered.begin(), {r.re, ow});
            }
            if (static_cast<int>(gathered.size()) == per_beat * (c.is_complex ? 2 : 1)) {
                fields.insert(fields.end(), gathered.begin(), gathered.end());
                out.push_back(word_of(fields));
                gathered.clear();
                beat_clamped = false;
            }
            continue;
        }
        if (c.is_complex && c.serial) {
            // tlast on the imaginary beat
            auto re = fields;
            re.insert(re.end(), {{0, 1}, {r.re, ow}});
            auto im = fields;
            im.insert(im.end(), {{1, 1}, {r.im, ow}});
            out.push_back(word_of(re));
            out.push_back(word_of(im));
        } else if (c.is_complex) {
            fields.insert(fields.end(), {{r.im, ow}, {r.re, ow}});
            out.push_back(word_of(fields));
        } else {
            fields.push_back({r.re, ow});
            out.push_back(word_of(fields));
        }
        beat_clamped = false;
    }
    return out;
}

std::vector<std::string> fir_beats(const Config& config, const std::vector<std::string>& in) {
    const fir::FirConfig c = fir_model_config(config);
    return fir_result_beats(c, fir::run_model_sets(c, fir_initial_sets(config), fir_events(c, in)));
}

} // namespace ipgen::front
