#include "cores/rs_encoder/rs_encoder_beats.hpp"

#include "cores/common/rs_code_options.hpp"
#include "ipgen/beats.hpp"

namespace ipgen::front {

RsEncoderModel rs_encoder_model(const Config& config) {
    const rs::CodeValues code = rs_code_values(config);
    return RsEncoderModel(rs::build_field(code.symbol_width, code.field_poly), code.first_root,
                          code.root_spacing, code.n, code.k, config.flag("ccsds"));
}

std::vector<std::string> rs_encoder_beats(const Config& config,
                                          const std::vector<std::string>& in) {
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
    if (!data.empty()) {
        throw BeatError(0,
                        "the beats end inside a word (" + std::to_string(data.size()) + " of " +
                            std::to_string(code.k) + " data symbols)",
                        framing);
    }
    return out;
}

} // namespace ipgen::front
