#include "cores/rs_decoder/rs_decoder_beats.hpp"

#include "cores/common/rs_code_options.hpp"
#include "ipgen/beats.hpp"

#include <cstdint>
#include <map>

namespace ipgen::front {

RsDecoderModel rs_decoder_model(const Config& config) {
    const rs::CodeValues code = rs_code_values(config);
    return RsDecoderModel(rs::build_field(code.symbol_width, code.field_poly), code.first_root,
                          code.root_spacing, code.n, code.k,
                          static_cast<int>(config.integer("erasures")), config.flag("ccsds"));
}

int rs_decoder_count_bits(int parity) {
    int bits = 1;
    while ((1 << (bits - 1)) < parity) {
        ++bits;
    }
    return bits;
}

namespace {

// The P-symbol core (--symbols-per-clock above 1, --variable-length,
// --statistics or --detect-only): tb_in.hex {erasure flags, tkeep, tlast,
// P symbols}, a word ending with tlast, its symbols those tkeep marks;
// tb_out.hex {count, failure, tlast, tkeep, P symbols}, the lanes after a
// word's end zero. A word shorter than n - k + 1 symbols passes unchanged,
// failure flagged; --detect-only: the received word, flag and count as
// decoded.
std::vector<std::string> rs_decoder_lanes_beats(const Config& config,
                                                const std::vector<std::string>& in) {
    const rs::CodeValues code = rs_code_values(config);
    const int m = code.symbol_width;
    const int p = static_cast<int>(config.integer("symbols-per-clock"));
    const bool variable = config.flag("variable-length");
    const bool detect = config.flag("detect-only");
    const int r = code.n - code.k;
    const int count_bits = rs_decoder_count_bits(r);
    const rs::GaloisField field = rs::build_field(code.symbol_width, code.field_poly);
    std::map<int, RsDecoderModel> models;
    const std::string framing =
        variable
            ? "a word of 1 to " + std::to_string(code.n) + " symbols ending with tlast (bit " +
                  std::to_string(p * m) + ")"
            : "tlast (bit " + std::to_string(p * m) + ") on the last beat of every word of " +
                  std::to_string(code.n) + " symbols (tkeep, bits " + std::to_string(p * m + p) +
                  ".." + std::to_string(p * m + 1) + ", marking them), and only there";
    std::vector<std::string> out;
    std::vector<int> word;
    std::vector<int> erasures;
    std::vector<std::uint64_t> keeps;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Beat beat(in[i], 2 * p + 1 + p * m, i);
        const std::uint64_t keep = beat.field(p * m + 1, p);
        const std::uint64_t flags = beat.field(p * m + 1 + p, p);
        const bool last = beat.bit(p * m);
        for (int l = 0; l < p; ++l) {
            if ((keep >> l & 1U) != 0) {
                if ((flags >> l & 1U) != 0) {
                    erasures.push_back(static_cast<int>(word.size()));
                }
                word.push_back(static_cast<int>(beat.field(l * m, m)));
            }
        }
        keeps.push_back(keep);
        const int length = static_cast<int>(word.size());
        if (length > code.n || (!last && !variable && length == code.n) ||
            (last && !variable && length != code.n)) {
            throw BeatError(i + 1, "a word of " + std::to_string(length) + " symbols", framing);
        }
        if (!last) {
            continue;
        }
        RsDecoderModel::Result result{word, 0, true};
        if (length >= r + 1) {
            auto model = models.find(length);
            if (model == models.end()) {
                model = models
                            .emplace(length,
                                     RsDecoderModel(field, code.first_root, code.root_spacing,
                                                    length, length - r,
                                                    static_cast<int>(config.integer("erasures")),
                                                    config.flag("ccsds")))
                            .first;
            }
            result = model->second.decode(word, erasures);
            if (detect) {
                result.word = word;
            }
        }
        std::size_t at = 0;
        for (std::size_t b = 0; b < keeps.size(); ++b) {
            std::string bits;
            const auto push = [&bits](std::uint64_t value, int width) {
                for (int k = width - 1; k >= 0; --k) {
                    bits.push_back((value >> k & 1U) != 0 ? '1' : '0');
                }
            };
            push(static_cast<std::uint64_t>(result.changed), count_bits);
            push(result.failed ? 1 : 0, 1);
            push(b + 1 == keeps.size() ? 1 : 0, 1);
            push(keeps[b], p);
            std::vector<int> lanes(static_cast<std::size_t>(p), 0);
            for (int l = 0; l < p; ++l) {
                if ((keeps[b] >> l & 1U) != 0) {
                    lanes[static_cast<std::size_t>(l)] = result.word[at++];
                }
            }
            for (int l = p - 1; l >= 0; --l) {
                push(static_cast<std::uint64_t>(lanes[static_cast<std::size_t>(l)]), m);
            }
            std::string hex;
            bits.insert(0, (4 - bits.size() % 4) % 4, '0');
            for (std::size_t k = 0; k < bits.size(); k += 4) {
                hex.push_back("0123456789abcdef"[(bits[k] - '0') * 8 + (bits[k + 1] - '0') * 4 +
                                                 (bits[k + 2] - '0') * 2 + (bits[k + 3] - '0')]);
            }
            out.push_back(hex);
        }
        word.clear();
        erasures.clear();
        keeps.clear();
    }
    if (!word.empty() || !keeps.empty()) {
        throw BeatError(0, "the beats end inside a word", framing);
    }
    return out;
}

} // namespace

std::vector<std::string> rs_decoder_beats(const Config& config,
                                          const std::vector<std::string>& in) {
    if (config.integer("symbols-per-clock") > 1 || config.flag("variable-length") ||
        config.flag("statistics") || config.flag("detect-only")) {
        return rs_decoder_lanes_beats(config, in);
    }
    const rs::CodeValues code = rs_code_values(config);
    const int m = code.symbol_width;
    const int count_bits = rs_decoder_count_bits(code.n - code.k);
    const RsDecoderModel model = rs_decoder_model(config);
    const std::string framing = "tlast (bit " + std::to_string(m) + ") on every " +
                                std::to_string(code.n) + "th received symbol, and only there";
    std::vector<std::string> out;
    std::vector<int> word;
    std::vector<int> erasures;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Beat beat(in[i], m + 2, i);
        if (beat.bit(m + 1)) {
            erasures.push_back(static_cast<int>(word.size()));
        }
        word.push_back(static_cast<int>(beat.field(0, m)));
        const bool last = beat.bit(m);
        if (last != (static_cast<int>(word.size()) == code.n)) {
            throw BeatError(i + 1,
                            last ? "tlast on symbol " + std::to_string(word.size()) + " of the word"
                                 : "no tlast on symbol " + std::to_string(code.n),
                            framing);
        }
        if (!last) {
            continue;
        }
        const RsDecoderModel::Result result = model.decode(word, erasures);
        for (int s = 0; s < code.n; ++s) {
            out.push_back(hex_word({{result.changed, count_bits},
                                    {result.failed ? 1 : 0, 1},
                                    {s == code.n - 1 ? 1 : 0, 1},
                                    {result.word[static_cast<std::size_t>(s)], m}}));
        }
        word.clear();
        erasures.clear();
    }
    if (!word.empty()) {
        throw BeatError(0,
                        "the beats end inside a word (" + std::to_string(word.size()) + " of " +
                            std::to_string(code.n) + " symbols)",
                        framing);
    }
    return out;
}

} // namespace ipgen::front
