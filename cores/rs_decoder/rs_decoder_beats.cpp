#include "cores/rs_decoder/rs_decoder_beats.hpp"

#include "cores/common/rs_code_options.hpp"
#include "ipgen/beats.hpp"

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

std::vector<std::string> rs_decoder_beats(const Config& config,
                                          const std::vector<std::string>& in) {
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
