#include "cores/rs_encoder/rs_encoder_beats.hpp"

#include "cores/common/rs_code_options.hpp"
#include "ipgen/beats.hpp"

#include <algorithm>

namespace ipgen::front {

RsEncoderModel rs_encoder_model(const Config& config) {
    const rs::CodeValues code = rs_code_values(config);
    return RsEncoderModel(rs::build_field(code.symbol_width, code.field_poly), code.first_root,
                          code.root_spacing, code.n, code.k, config.flag("ccsds"));
}

void add_wide_beats(std::vector<std::string>& beats, const std::vector<int>& symbols, int p, int m,
                    std::optional<bool> user) {
    const int bits = 1 + p + p * m + (user ? 1 : 0);
    const std::size_t count = symbols.size();
    for (std::size_t first = 0; first < count; first += static_cast<std::size_t>(p)) {
        std::vector<bool> beat(static_cast<std::size_t>(bits), false);
        for (int lane = 0; lane < p; ++lane) {
            const std::size_t at = first + static_cast<std::size_t>(lane);
            if (at >= count) {
                continue;
            }
            beat[static_cast<std::size_t>(p * m + lane)] = true;
            for (int b = 0; b < m; ++b) {
                beat[static_cast<std::size_t>(lane * m + b)] = ((symbols[at] >> b) & 1) != 0;
            }
        }
        const bool last = first + static_cast<std::size_t>(p) >= count;
        beat[static_cast<std::size_t>(p + p * m)] = last;
        if (user) {
            beat.back() = last && *user;
        }
        std::string text;
        for (int d = (bits + 3) / 4 - 1; d >= 0; --d) {
            unsigned digit = 0;
            for (int b = 0; b < 4; ++b) {
                const int at = 4 * d + b;
                digit |= at < bits && beat[static_cast<std::size_t>(at)] ? 1U << b : 0U;
            }
            text += "0123456789abcdef"[digit];
        }
        beats.push_back(text);
    }
}

namespace {

// The beats may not stop inside a message of k data symbols.
void check_word_ended(const std::vector<int>& data, int k, const std::string& framing) {
    if (!data.empty()) {
        throw BeatError(0,
                        "the beats end inside a word (" + std::to_string(data.size()) + " of " +
                            std::to_string(k) + " data symbols)",
                        framing);
    }
}

// P symbols per beat: each message ceil(k/P) beats, tkeep all ones but on
// its last beat (the low k - (ceil(k/P) - 1) P lanes), tlast there; the
// lanes off in tkeep are not read.
std::vector<std::string> wide_beats(const Config& config, const std::vector<std::string>& in,
                                    int p) {
    const rs::CodeValues code = rs_code_values(config);
    const int m = code.symbol_width;
    const RsEncoderModel model = rs_encoder_model(config);
    const int beats_per_word = (code.k + p - 1) / p;
    const int last_lanes = code.k - (beats_per_word - 1) * p;
    const std::string framing = "{tlast, tkeep, tdata} beats of " + std::to_string(p) +
                                " symbols, " + std::to_string(beats_per_word) +
                                " per message, tkeep all ones but " + std::to_string(last_lanes) +
                                " low lanes on the last, tlast there only";
    std::vector<std::string> out;
    std::vector<int> data;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Beat beat(in[i], 1 + p + p * m, i);
        const bool last = static_cast<int>(data.size()) + p >= code.k;
        const std::uint64_t keep = beat.field(p * m, p);
        const std::uint64_t expected_keep = (std::uint64_t{1} << (last ? last_lanes : p)) - 1;
        if (beat.bit(p + p * m) != last || keep != expected_keep) {
            throw BeatError(i + 1,
                            "tlast or tkeep do not frame a message of " + std::to_string(code.k) +
                                " symbols",
                            framing);
        }
        for (int lane = 0; lane < (last ? last_lanes : p); ++lane) {
            data.push_back(static_cast<int>(beat.field(lane * m, m)));
        }
        if (last) {
            add_wide_beats(out, model.encode(data), p, m);
            data.clear();
        }
    }
    check_word_ended(data, code.k, framing);
    return out;
}

// A code length per word: a word ends at its tlast beat, whose symbols are
// lanes 0 up to the highest with tkeep (lane 0 when none is set), or at
// its k-th symbol (the lanes past it dropped, the codeword's last beat
// with tuser); tkeep of the other beats is not looked at.
std::vector<std::string> variable_beats(const Config& config, const std::vector<std::string>& in,
                                        int p) {
    const rs::CodeValues code = rs_code_values(config);
    const int m = code.symbol_width;
    const RsEncoderModel model = rs_encoder_model(config);
    const int beats_per_word = (code.k + p - 1) / p;
    const int last_lanes = code.k - (beats_per_word - 1) * p;
    std::vector<std::string> out;
    std::vector<int> data;
    int beat_of_word = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Beat beat(in[i], 1 + p + p * m, i);
        const bool tlast = beat.bit(p + p * m);
        int lanes = p;
        if (tlast) {
            lanes = 1;
            for (int lane = 0; lane < p; ++lane) {
                lanes = beat.bit(p * m + lane) ? lane + 1 : lanes;
            }
        }
        const bool at_limit = beat_of_word == beats_per_word - 1;
        const bool over = at_limit && (!tlast || lanes > last_lanes);
        if (at_limit) {
            lanes = std::min(lanes, last_lanes);
        }
        for (int lane = 0; lane < lanes; ++lane) {
            data.push_back(static_cast<int>(beat.field(lane * m, m)));
        }
        ++beat_of_word;
        if (tlast || at_limit) {
            add_wide_beats(out, model.encode(data), p, m, over);
            data.clear();
            beat_of_word = 0;
        }
    }
    if (!data.empty()) {
        throw BeatError(0,
                        "the beats end inside a word (" + std::to_string(data.size()) +
                            " data symbols without tlast)",
                        "{tlast, tkeep, tdata} beats of " + std::to_string(p) +
                            " symbols, a word's last beat with tlast");
    }
    return out;
}

} // namespace

std::vector<std::string> rs_encoder_beats(const Config& config,
                                          const std::vector<std::string>& in) {
    const int p =
        config.has("symbols-per-clock") ? static_cast<int>(config.integer("symbols-per-clock")) : 1;
    if (config.has("variable-length") && config.flag("variable-length")) {
        return variable_beats(config, in, p);
    }
    if (p > 1) {
        return wide_beats(config, in, p);
    }
    const rs::CodeValues code = rs_code_values(config);
    const int m = code.symbol_width;
    const RsEncoderModel model = rs_encoder_model(config);
    const std::string framing = "tlast (bit " + std::to_string(m) + ") on every " +
                                std::to_string(code.k) + "th data symbol, and only there";
    std::vector<std::string> out;
    std::vector<int> data;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Beat beat(in[i], m + 1, i);
        data.push_back(static_cast<int>(beat.field(0, m)));
        const bool last = beat.bit(m);
        if (last != (static_cast<int>(data.size()) == code.k)) {
            throw BeatError(i + 1,
                            last ? "tlast on data symbol " + std::to_string(data.size()) +
                                       " of the word"
                                 : "no tlast on data symbol " + std::to_string(code.k),
                            framing);
        }
        if (!last) {
            continue;
        }
        const std::vector<int> word = model.encode(data);
        for (int s = 0; s < code.n; ++s) {
            out.push_back(
                hex_word({{s == code.n - 1 ? 1 : 0, 1}, {word[static_cast<std::size_t>(s)], m}}));
        }
        data.clear();
    }
    check_word_ended(data, code.k, framing);
    return out;
}

} // namespace ipgen::front
