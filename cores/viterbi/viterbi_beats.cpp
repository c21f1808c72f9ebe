#include "cores/viterbi/viterbi_beats.hpp"

#include "ipgen/beats.hpp"

namespace ipgen::front {

int viterbi_block_steps(const viterbi::CoreConfig& cfg, std::size_t sent) {
    if (!cfg.punctured) {
        return static_cast<int>((sent + static_cast<std::size_t>(cfg.n) - 1) /
                                static_cast<std::size_t>(cfg.n));
    }
    const int period = static_cast<int>(cfg.pp0.size());
    std::size_t counted = 0;
    int steps = 0;
    while (counted < sent) {
        for (int i = 0; i < cfg.n; ++i) {
            counted += cfg.sent(steps % period, i) ? 1 : 0;
        }
        ++steps;
    }
    return steps;
}

std::vector<std::string> viterbi_beats(const Config& config, const std::vector<std::string>& in) {
    const viterbi::CoreConfig cfg = viterbi_model_config(config);
    const int per_beat = cfg.punctured ? 1 : cfg.n;
    const int width = cfg.din_width();
    const int in_width = (per_beat * width + 7) / 8 * 8;
    std::vector<std::string> out;
    std::vector<viterbi::Symbol> sent;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Beat beat(in[i], in_width + 1, i);
        for (int j = 0; j < per_beat; ++j) {
            const int code = static_cast<int>(beat.field(j * width, width));
            sent.push_back({viterbi::input_code(cfg, code), false});
        }
        if (!beat.bit(in_width)) {
            continue;
        }
        const int steps = viterbi_block_steps(cfg, sent.size());
        const viterbi::Decoded decoded =
            viterbi::decode_block(cfg, viterbi::depuncture(cfg, sent, steps));
        for (std::size_t b = 0; b < decoded.bits.size(); ++b) {
            out.push_back(
                hex_word({{b + 1 == decoded.bits.size() ? 1 : 0, 1}, {decoded.bits[b], 1}}));
        }
        sent.clear();
    }
    if (!sent.empty()) {
        throw BeatError(0,
                        "the beats end inside a block (" + std::to_string(sent.size()) +
                            " symbols after the last tlast)",
                        "tlast (bit " + std::to_string(in_width) +
                            ") on the last beat of each block");
    }
    return out;
}

} // namespace ipgen::front
