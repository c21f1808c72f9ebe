// The model classes over the cores' own models (cores/<core>/<core>_model.*)
// and beat codecs (cores/<core>/<core>_beats.*), configured through the
// front-end's options and the cores' checks.
#include "ipgen/models.hpp"

#include "cores/common/rs_code_options.hpp"
#include "cores/fir/fir_beats.hpp"
#include "cores/rs_decoder/rs_decoder_beats.hpp"
#include "cores/rs_encoder/rs_encoder_beats.hpp"
#include "cores/viterbi/viterbi_beats.hpp"
#include "generators/common/fatal_error.hpp"
#include "ipgen/beats.hpp"
#include "ipgen/model_command.hpp"
#include "ipgen/options.hpp"
#include "models/fast_paths.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ipgen::models {

struct Model::State {
    const front::CoreDefinition* core = nullptr;
    front::Config config;
    std::optional<front::RsEncoderModel> encoder;
    std::optional<front::RsDecoderModel> decoder;
    std::optional<FastRsDecoder> fast_decoder;
    int m = 0, n = 0, k = 0, erasures = 0;
    viterbi::CoreConfig viterbi;
    fir::FirConfig fir;
    fir::CoeffSet fir_initial;
};

namespace {

std::string without_newline(std::string text) {
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

[[noreturn]] void fail(const std::string& where, const std::string& why,
                       const std::string& accepted) {
    throw Error("ipgen: " + where + ": " + why + "; accepted: " + accepted);
}

// The command line of the options: flags by their presence (--no-NAME
// clears a negatable one), the rest "--NAME VALUE".
front::Config configure(const std::string& core_name, const Options& options,
                        const front::CoreDefinition** core) {
    std::vector<std::string> args{core_name};
    const front::CoreDefinition* definition = front::find_core(core_name);
    for (const auto& [given, value] : options) {
        std::string name = given;
        std::replace(name.begin(), name.end(), '_', '-');
        const front::Option* option = nullptr;
        if (definition != nullptr) {
            for (const front::Option& o : definition->options) {
                option = o.name == name ? &o : option;
            }
        }
        if (option != nullptr && option->kind == front::OptionKind::flag) {
            if (value != "true" && value != "false") {
                fail("--" + name + " " + value, "a flag is true or false", "true or false");
            }
            if (value == "true") {
                args.push_back("--" + name);
            } else if (option->negatable) {
                args.push_back("--no-" + name);
            }
            continue;
        }
        args.push_back("--" + name);
        args.push_back(value);
    }
    try {
        return front::checked_config(args, core);
    } catch (const FatalError& error) {
        throw Error(without_newline(error.message()));
    }
}

front::Config checked(const std::string& core_name, const front::Config& config,
                      const front::CoreDefinition** core) {
    *core = front::find_core(core_name);
    front::Config copy = config;
    const front::Problems problems = (*core)->check(copy);
    if (!problems.empty()) {
        throw Error(without_newline(front::problem_line(problems.front())));
    }
    return copy;
}

void fill(Model::State& s) {
    const std::string& name = s.core->name;
    if (name == "rs-encoder" || name == "rs-decoder") {
        const rs::CodeValues code = front::rs_code_values(s.config);
        s.m = code.symbol_width;
        s.n = code.n;
        s.k = code.k;
        if (name == "rs-encoder") {
            s.encoder.emplace(front::rs_encoder_model(s.config));
        } else {
            s.erasures = static_cast<int>(s.config.integer("erasures"));
            s.decoder.emplace(front::rs_decoder_model(s.config));
            s.fast_decoder.emplace(rs::build_field(code.symbol_width, code.field_poly),
                                   code.first_root, code.root_spacing, code.n, code.k, s.erasures,
                                   s.config.flag("ccsds"));
        }
    } else if (name == "viterbi") {
        s.viterbi = front::viterbi_model_config(s.config);
    } else if (name == "fir") {
        s.fir = front::fir_model_config(s.config);
        s.fir_initial = front::fir_initial_set(s.config);
    }
}

std::shared_ptr<const Model::State> make_state(front::Config config,
                                               const front::CoreDefinition* core) {
    auto state = std::make_shared<Model::State>();
    state->core = core;
    state->config = std::move(config);
    fill(*state);
    return state;
}

void check_symbols(std::span<const int> symbols, int lo, int hi, const std::string& what) {
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        if (symbols[i] < lo || symbols[i] > hi) {
            fail(what + "[" + std::to_string(i) + "] " + std::to_string(symbols[i]), "out of range",
                 std::to_string(lo) + " to " + std::to_string(hi));
        }
    }
}

void check_whole(std::size_t size, int per, const std::string& what, const std::string& unit) {
    if (size % static_cast<std::size_t>(per) != 0) {
        fail(what, std::to_string(size) + " symbols, not whole " + unit,
             "a multiple of " + std::to_string(per) + " symbols");
    }
}

} // namespace

Model::Model(const std::string& core, const Options& options) {
    const front::CoreDefinition* definition = nullptr;
    front::Config config = configure(core, options, &definition);
    state_ = make_state(std::move(config), definition);
}

Model::Model(const std::string& core, const front::Config& config) {
    const front::CoreDefinition* definition = nullptr;
    front::Config copy = checked(core, config, &definition);
    state_ = make_state(std::move(copy), definition);
}

const std::string& Model::core() const {
    return state_->core->name;
}

const front::Config& Model::config() const {
    return state_->config;
}

std::vector<std::string> Model::beats(const std::vector<std::string>& in) const {
    try {
        return state_->core->model(state_->config, in);
    } catch (const front::BeatError& error) {
        fail(error.line() > 0 ? "beat " + std::to_string(error.line()) : std::string("beats"),
             error.what(), error.accepted());
    }
}

Options Model::options() const {
    Options out;
    for (const front::Option& option : state_->core->options) {
        if (const front::Value* value = state_->config.find(option.name)) {
            out.emplace_back(option.name, option.kind == front::OptionKind::flag
                                              ? (std::get<bool>(*value) ? "true" : "false")
                                              : front::value_text(option, *value));
        }
    }
    return out;
}

// Reed-Solomon encoder

RsEncoder::RsEncoder(const Options& options) : Model("rs-encoder", options) {}
RsEncoder::RsEncoder(const front::Config& config) : Model("rs-encoder", config) {}
int RsEncoder::symbol_width() const {
    return state_->m;
}
int RsEncoder::n() const {
    return state_->n;
}
int RsEncoder::k() const {
    return state_->k;
}

std::vector<int> RsEncoder::encode(std::span<const int> data) const {
    const State& s = *state_;
    check_whole(data.size(), s.k, "RsEncoder.encode: data", "words of k");
    check_symbols(data, 0, (1 << s.m) - 1, "RsEncoder.encode: data");
    std::vector<int> out;
    out.reserve(data.size() / static_cast<std::size_t>(s.k) * static_cast<std::size_t>(s.n));
    std::vector<int> word(static_cast<std::size_t>(s.k));
    for (std::size_t at = 0; at < data.size(); at += word.size()) {
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(at), word.size(), word.begin());
        const std::vector<int> code = s.encoder->encode(word);
        out.insert(out.end(), code.begin(), code.end());
    }
    return out;
}

// Reed-Solomon decoder

RsDecoder::RsDecoder(const Options& options) : Model("rs-decoder", options) {}
RsDecoder::RsDecoder(const front::Config& config) : Model("rs-decoder", config) {}
int RsDecoder::symbol_width() const {
    return state_->m;
}
int RsDecoder::n() const {
    return state_->n;
}
int RsDecoder::k() const {
    return state_->k;
}
int RsDecoder::max_erasures() const {
    return state_->erasures;
}

RsDecoder::Decoded RsDecoder::decode(std::span<const int> words,
                                     std::span<const std::uint8_t> erased) const {
    const State& s = *state_;
    check_whole(words.size(), s.n, "RsDecoder.decode: words", "words of n");
    check_symbols(words, 0, (1 << s.m) - 1, "RsDecoder.decode: words");
    if (!erased.empty() && erased.size() != words.size()) {
        fail("RsDecoder.decode: erasures", std::to_string(erased.size()) + " flags",
             "none or one per symbol (" + std::to_string(words.size()) + ")");
    }
    Decoded out;
    const auto n = static_cast<std::size_t>(s.n);
    out.words.reserve(words.size());
    std::vector<int> word(n);
    std::vector<int> positions;
    for (std::size_t at = 0; at < words.size(); at += n) {
        std::copy_n(words.begin() + static_cast<std::ptrdiff_t>(at), n, word.begin());
        positions.clear();
        for (std::size_t i = 0; i < n && !erased.empty(); ++i) {
            if (erased[at + i] != 0) {
                positions.push_back(static_cast<int>(i));
            }
        }
        const FastRsDecoder::Result result = s.fast_decoder->decode(word, positions);
        out.words.insert(out.words.end(), result.word.begin(), result.word.end());
        out.changed.push_back(result.changed);
        out.failed.push_back(result.failed ? 1 : 0);
    }
    return out;
}

// Viterbi decoder

Viterbi::Viterbi(const Options& options) : Model("viterbi", options) {}
Viterbi::Viterbi(const front::Config& config) : Model("viterbi", config) {}
int Viterbi::constraint_length() const {
    return state_->viterbi.k;
}
int Viterbi::outputs() const {
    return state_->viterbi.n;
}
int Viterbi::soft_width() const {
    return state_->viterbi.soft ? state_->viterbi.soft_width : 0;
}
bool Viterbi::signed_symbols() const {
    return state_->viterbi.soft && !state_->viterbi.sdd_unsigned;
}
bool Viterbi::punctured() const {
    return state_->viterbi.punctured;
}

std::vector<std::uint8_t> Viterbi::encode(std::span<const std::uint8_t> bits,
                                          bool terminate) const {
    const viterbi::CoreConfig& cfg = state_->viterbi;
    std::vector<int> input(bits.begin(), bits.end());
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (input[i] > 1) {
            fail("Viterbi.encode: bits[" + std::to_string(i) + "] " + std::to_string(input[i]),
                 "not a bit", "0 or 1");
        }
    }
    if (terminate) {
        input.resize(input.size() + static_cast<std::size_t>(cfg.k - 1), 0);
    }
    std::vector<viterbi::Symbol> steps;
    // the transmitted code bits: inverted outputs flipped
    for (const int c : viterbi::transmit(cfg, viterbi::encode(cfg, input))) {
        steps.push_back({c, false});
    }
    std::vector<std::uint8_t> out;
    for (const viterbi::Symbol& symbol : viterbi::puncture(cfg, steps)) {
        out.push_back(static_cast<std::uint8_t>(symbol.conf));
    }
    return out;
}

std::vector<int> Viterbi::quantise(std::span<const double> values) const {
    const viterbi::CoreConfig& cfg = state_->viterbi;
    std::vector<int> out;
    out.reserve(values.size());
    const int top = cfg.top();
    const int offset = signed_symbols() ? 1 << (cfg.soft_width - 1) : 0;
    for (const double y : values) {
        if (!cfg.soft) {
            out.push_back(y > 0.0 ? 1 : 0);
            continue;
        }
        const long q =
            std::isnan(y) ? 0 : std::lround(std::clamp((y + 1.0) / 2.0 * top, -1.0, top + 1.0));
        out.push_back(static_cast<int>(std::clamp<long>(q, 0, top)) - offset);
    }
    return out;
}

std::vector<std::uint8_t> Viterbi::decode(std::span<const int> symbols,
                                          std::span<const std::uint8_t> erasures) const {
    const viterbi::CoreConfig& cfg = state_->viterbi;
    const int offset = signed_symbols() ? 1 << (cfg.soft_width - 1) : 0;
    check_symbols(symbols, -offset, cfg.top() - offset, "Viterbi.decode: symbols");
    if (!erasures.empty() && erasures.size() != symbols.size()) {
        throw Error("Viterbi.decode: erasures: " + std::to_string(erasures.size()) + " flags for " +
                    std::to_string(symbols.size()) +
                    " symbols; accepted: none, or one flag per symbol");
    }
    if (!erasures.empty() && !cfg.erasures) {
        throw Error("Viterbi.decode: erasures: the core takes no erasure flags; accepted: "
                    "flags with a core of --erasures");
    }
    if (symbols.empty()) {
        return {};
    }
    std::vector<viterbi::Symbol> sent;
    sent.reserve(symbols.size());
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        sent.push_back({symbols[i] + offset, !erasures.empty() && erasures[i] != 0});
    }
    const int steps = front::viterbi_block_steps(cfg, sent.size());
    if (cfg.best || cfg.stream || cfg.invert != 0) {
        // what the fast path leaves out (tracebacks from the best state, a
        // continuous stream, inverted outputs): the core's model itself
        std::vector<viterbi::Symbol> rebuilt = viterbi::depuncture(cfg, sent, steps);
        for (std::size_t j = 0; j < rebuilt.size(); ++j) {
            rebuilt[j] = viterbi::received(
                cfg, static_cast<int>(j % static_cast<std::size_t>(cfg.n)), rebuilt[j]);
        }
        const viterbi::Decoded decoded =
            cfg.stream ? viterbi::decode_stream(cfg, rebuilt) : viterbi::decode_block(cfg, rebuilt);
        return {decoded.bits.begin(), decoded.bits.end()};
    }
    return fast_viterbi_bits(cfg, viterbi::depuncture(cfg, sent, steps));
}

// FIR filter

Fir::Fir(const Options& options) : Model("fir", options) {}
Fir::Fir(const front::Config& config) : Model("fir", config) {}
bool Fir::is_complex() const {
    return state_->fir.is_complex;
}
int Fir::taps() const {
    return state_->fir.taps;
}
int Fir::full_width() const {
    return state_->fir.full_width();
}
int Fir::coefficient_count() const {
    return state_->fir.num_coeffs();
}
bool Fir::loadable() const {
    return state_->fir.loadable;
}

std::vector<std::int64_t> Fir::filter(std::span<const std::int64_t> samples,
                                      const std::vector<Reload>& reloads) const {
    const fir::FirConfig& c = state_->fir;
    const std::size_t per = c.is_complex ? 2 : 1;
    if (samples.size() % per != 0) {
        fail("Fir.filter: samples", std::to_string(samples.size()) + " numbers",
             "pairs (real, imaginary) for a complex core");
    }
    const auto range = [&](bool is_signed) {
        return is_signed ? std::pair{-(std::int64_t{1} << (c.width - 1)),
                                     (std::int64_t{1} << (c.width - 1)) - 1}
                         : std::pair{std::int64_t{0}, (std::int64_t{1} << c.width) - 1};
    };
    const auto check = [&](std::span<const std::int64_t> values, bool is_signed,
                           const std::string& what) {
        const auto [lo, hi] = range(is_signed);
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (values[i] < lo || values[i] > hi) {
                fail(what + "[" + std::to_string(i) + "] " + std::to_string(values[i]),
                     "out of the " + std::to_string(c.width) + "-bit range",
                     std::to_string(lo) + " to " + std::to_string(hi));
            }
        }
    };
    check(samples, !c.is_unsigned, "Fir.filter: samples");
    if (!reloads.empty() && !c.loadable) {
        fail("Fir.filter: reloads", "coefficient sets for a core with fixed coefficients",
             "none (ipgen fir --loadable takes sets)");
    }
    std::vector<fir::Event> events;
    std::size_t next = 0;
    std::vector<Reload> sorted = reloads;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Reload& a, const Reload& b) { return a.before < b.before; });
    for (const Reload& reload : sorted) {
        const auto want = static_cast<std::size_t>(c.num_coeffs()) * per;
        if (reload.coefficients.size() != want) {
            fail("Fir.filter: reload before sample " + std::to_string(reload.before),
                 std::to_string(reload.coefficients.size()) + " numbers",
                 std::to_string(want) + (c.is_complex ? " (pairs)" : ""));
        }
        check(reload.coefficients, c.signed_coeffs(), "Fir.filter: coefficients");
    }
    const std::size_t count = samples.size() / per;
    if (sorted.empty() && c.channels == 1) {
        if (auto fast = fast_fir(c, state_->fir_initial, samples)) {
            return std::move(*fast);
        }
    }
    events.reserve(count + sorted.size());
    for (std::size_t i = 0; i <= count; ++i) {
        for (; next < sorted.size() && sorted[next].before <= i; ++next) {
            fir::CoeffSet set;
            const std::vector<std::int64_t>& numbers = sorted[next].coefficients;
            for (std::size_t j = 0; j < numbers.size(); j += per) {
                set.push_back({numbers[j], c.is_complex ? numbers[j + 1] : 0});
            }
            events.push_back({true, {}, std::move(set)});
        }
        if (i < count) {
            // interleaved channels in turn, every sample with set 0
            events.push_back({false,
                              {samples[i * per], c.is_complex ? samples[i * per + 1] : 0},
                              {},
                              static_cast<int>(i % static_cast<std::size_t>(c.channels)),
                              0});
        }
    }
    std::vector<std::int64_t> out;
    for (const fir::Value& v : fir::run_model(c, state_->fir_initial, events)) {
        out.push_back(result_word(c, v.re));
        if (c.is_complex) {
            out.push_back(result_word(c, v.im));
        }
    }
    return out;
}

} // namespace ipgen::models
