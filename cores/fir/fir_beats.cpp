#include "cores/fir/fir_beats.hpp"

#include "ipgen/beats.hpp"

namespace ipgen::front {

std::vector<fir::Event> fir_events(const fir::FirConfig& c, const std::vector<std::string>& in) {
    const int w = c.width;
    const int data_width = c.is_complex ? 2 * w : w;
    const auto count = static_cast<std::size_t>(c.num_coeffs());
    const std::string set_rule = std::to_string(count) + " coefficient beats, tlast (bit " +
                                 std::to_string(data_width) + ") on the last";
    std::vector<fir::Event> events;
    fir::CoeffSet set;
    bool half = false; // complex serial: the real part read, the imaginary one next
    fir::Value sample;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Beat beat(in[i], data_width + 2, i);
        const auto part = [&](int lo, bool is_signed) {
            return is_signed ? beat.signed_field(lo, w)
                             : static_cast<std::int64_t>(beat.field(lo, w));
        };
        if (beat.bit(data_width + 1)) {
            if (!c.loadable) {
                throw BeatError(i + 1,
                                "a coefficient beat (bit " + std::to_string(data_width + 1) +
                                    ") to a core with fixed coefficients",
                                "sample beats only (ipgen fir --loadable takes sets)");
            }
            if (half) {
                throw BeatError(i + 1, "a coefficient beat between the parts of a sample",
                                "the imaginary part after the real one");
            }
            const bool is_signed = c.signed_coeffs();
            set.push_back({part(0, is_signed), c.is_complex ? part(w, is_signed) : 0});
            const bool last = beat.bit(data_width);
            if (last != (set.size() == count)) {
                throw BeatError(i + 1,
                                last ? "tlast on coefficient " + std::to_string(set.size())
                                     : "no tlast on coefficient " + std::to_string(count),
                                set_rule);
            }
            if (last) {
                events.push_back({true, {}, std::move(set)});
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
        } else {
            sample = {part(0, is_signed), c.is_complex ? part(w, is_signed) : 0};
        }
        events.push_back({false, sample, {}});
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
                                          const std::vector<fir::Value>& results) {
    const int ow = c.out_width;
    std::vector<std::string> out;
    for (const fir::Value& r : results) {
        if (c.is_complex && c.serial) {
            out.push_back(hex_word({{0, 1}, {r.re, ow}}));
            out.push_back(hex_word({{1, 1}, {r.im, ow}}));
        } else if (c.is_complex) {
            out.push_back(hex_word({{r.im, ow}, {r.re, ow}}));
        } else {
            out.push_back(hex_word({{r.re, ow}}));
        }
    }
    return out;
}

std::vector<std::string> fir_beats(const Config& config, const std::vector<std::string>& in) {
    const fir::FirConfig c = fir_model_config(config);
    return fir_result_beats(c, fir::run_model(c, fir_initial_set(config), fir_events(c, in)));
}

} // namespace ipgen::front
