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

namespace {

// The steps `sent` symbols complete (a stream that ends without tlast: a
// step still missing symbols is not decoded yet).
int complete_steps(const viterbi::CoreConfig& cfg, std::size_t sent) {
    const int steps = viterbi_block_steps(cfg, sent);
    if (steps == 0 || viterbi_block_steps(cfg, sent + 1) > steps) {
        return steps;
    }
    return steps - 1;
}

// The steps of a block or frame as the core rebuilds them: depunctured,
// inverted outputs turned round.
std::vector<viterbi::Symbol> rebuild(const viterbi::CoreConfig& cfg,
                                     const std::vector<viterbi::Symbol>& sent, int steps) {
    std::vector<viterbi::Symbol> rebuilt = viterbi::depuncture(cfg, sent, steps);
    for (std::size_t j = 0; j < rebuilt.size(); ++j) {
        rebuilt[j] = viterbi::received(cfg, static_cast<int>(j % static_cast<std::size_t>(cfg.n)),
                                       rebuilt[j]);
    }
    return rebuilt;
}

} // namespace

std::vector<std::string> viterbi_beats(const Config& config, const std::vector<std::string>& in) {
    const viterbi::CoreConfig base = viterbi_model_config(config);
    // two steps per clock: a beat of two steps, tuser bit 0 on one that
    // carries the older only
    const bool two = base.bits_per_clock == 2;
    const int per_beat = two ? 2 * base.n : base.punctured ? 1 : base.n;
    const int width = base.din_width();
    const int in_width = (per_beat * width + 7) / 8 * 8;
    const int era_bits = base.erasures ? per_beat : 0;
    const int set_bits = base.sets.size() > 1 ? base.set_bits() : 0;
    const int lone_bit = two ? 1 : 0; // tuser bit 0: the beat carries one step
    const int last_bit = in_width + lone_bit + era_bits + set_bits;
    std::vector<std::string> out;
    std::vector<viterbi::Symbol> sent;
    std::vector<viterbi::Symbol> stream; // continuous: every step so far
    std::vector<bool> marks;             // per step: a frame's last
    int set = 0;
    bool first = true;
    int step = 0; // two steps per clock: the block's next step
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Beat beat(in[i], last_bit + 1, i);
        if (first && set_bits > 0) {
            // the pair of the block (frame): an index beyond the pairs picks 0
            set = static_cast<int>(beat.field(in_width + lone_bit + era_bits, set_bits));
            set = set < static_cast<int>(base.sets.size()) ? set : 0;
        }
        first = false;
        const viterbi::CoreConfig cfg = base.with_set(set);
        // a continuous stream has no lone step: its beats carry two
        const int symbols = two && !base.stream && beat.bit(in_width) ? base.n : per_beat;
        const int period = cfg.punctured ? static_cast<int>(cfg.pp0.size()) : 1;
        for (int j = 0; j < symbols; ++j) {
            // two steps a beat: every slot, the ones the pattern leaves out ignored
            if (two && !cfg.sent((step + j / base.n) % period, j % base.n)) {
                continue;
            }
            const int code = static_cast<int>(beat.field(j * width, width));
            const bool erased = j < era_bits && beat.bit(in_width + lone_bit + j);
            sent.push_back({viterbi::input_code(cfg, code), erased});
        }
        step += symbols / base.n;
        if (!beat.bit(last_bit)) {
            continue;
        }
        const int steps = two ? step : viterbi_block_steps(cfg, sent.size());
        step = 0;
        const std::vector<viterbi::Symbol> rebuilt = rebuild(cfg, sent, steps);
        sent.clear();
        first = true;
        if (base.stream) {
            stream.insert(stream.end(), rebuilt.begin(), rebuilt.end());
            marks.resize(stream.size() / static_cast<std::size_t>(base.n), false);
            marks.back() = true;
            continue;
        }
        const viterbi::Decoded decoded = viterbi::decode_block(cfg, rebuilt);
        // two steps per clock: {tlast, bit 0 only, bit 1, bit 0} per beat
        for (std::size_t b = 0; two && b < decoded.bits.size(); b += 2) {
            const bool one = b + 1 == decoded.bits.size();
            out.push_back(hex_word({{b + 2 >= decoded.bits.size() ? 1 : 0, 1},
                                    {one ? 1 : 0, 1},
                                    {one ? 0 : decoded.bits[b + 1], 1},
                                    {decoded.bits[b], 1}}));
        }
        for (std::size_t b = 0; !two && b < decoded.bits.size(); ++b) {
            out.push_back(
                hex_word({{b + 1 == decoded.bits.size() ? 1 : 0, 1}, {decoded.bits[b], 1}}));
        }
    }
    if (base.stream) {
        // the stream may end inside a frame: its complete steps count
        const viterbi::CoreConfig cfg = base.with_set(set);
        const std::vector<viterbi::Symbol> rebuilt =
            rebuild(cfg, sent, two ? step : complete_steps(cfg, sent.size()));
        stream.insert(stream.end(), rebuilt.begin(), rebuilt.end());
        marks.resize(stream.size() / static_cast<std::size_t>(base.n), false);
        const viterbi::Decoded decoded = viterbi::decode_stream(base, stream);
        // two steps per clock: {tlast, 0, bit 1, bit 0}, tlast the newer bit's mark
        for (std::size_t b = 0; two && b + 1 < decoded.bits.size(); b += 2) {
            out.push_back(hex_word({{marks[b + 1] ? 1 : 0, 1},
                                    {0, 1},
                                    {decoded.bits[b + 1], 1},
                                    {decoded.bits[b], 1}}));
        }
        for (std::size_t b = 0; !two && b < decoded.bits.size(); ++b) {
            out.push_back(hex_word({{marks[b] ? 1 : 0, 1}, {decoded.bits[b], 1}}));
        }
        return out;
    }
    if (!sent.empty()) {
        throw BeatError(0,
                        "the beats end inside a block (" + std::to_string(sent.size()) +
                            " symbols after the last tlast)",
                        "tlast (bit " + std::to_string(last_bit) +
                            ") on the last beat of each block");
    }
    return out;
}

} // namespace ipgen::front
