// ipgen rs-encoder: the Reed-Solomon encoder core. paritygen's library
// checks the code's values and writes gfile, multiplier.v and
// rsenc_params.v into memory, byte for byte what paritygen writes for the
// same values; the testbench vectors come from RsEncoderModel.
#include "cores/common/rs_code_options.hpp"
#include "cores/common/vector_random.hpp"
#include "cores/rs_encoder/rs_encoder_beats.hpp"
#include "cores/rs_encoder/rs_encoder_interface.hpp"
#include "cores/rs_encoder/rs_encoder_model.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/paritygen/minimal_netlist.hpp"
#include "generators/paritygen/paritygen.hpp"
#include "generators/rs_common/galois_field.hpp"
#include "generators/rs_common/generator_polynomial.hpp"
#include "ipgen/core_description.hpp"

#include <algorithm>
#include <array>
#include <random>

namespace ipgen::front {

namespace {

// A multiplier netlist style: its name on the command line and meaning.
struct NetlistStyle {
    const char* name;
    rsenc::Netlist netlist;
};

constexpr std::array<NetlistStyle, 3> netlist_styles{{
    {"minimal", rsenc::Netlist::minimal},
    {"shared", rsenc::Netlist::shared},
    {"plain", rsenc::Netlist::plain},
}};

rsenc::Netlist netlist_of(const Config& config) {
    const std::string& name = config.choice("netlist");
    return std::find_if(netlist_styles.begin(), netlist_styles.end(),
                        [&](const NetlistStyle& s) { return name == s.name; })
        ->netlist;
}

// paritygen's values: -p 1 PIPE1, -p 2 -r 1 REGISTERED_INPUT + PIPE1,
// -p 2 PIPE2, -p 3 REGISTERED_INPUT + PIPE2.
rsenc::EncoderParams encoder_params(const Config& config) {
    const rs::CodeValues code = rs_code_values(config);
    const int pipeline = static_cast<int>(config.integer("pipeline"));
    const bool registered = config.flag("registered-input");
    rsenc::EncoderParams p;
    p.n_total = code.n;
    p.k_data = code.k;
    p.symbol_width = code.symbol_width;
    p.field_poly = code.field_poly;
    p.first_root = code.first_root;
    p.rootspace = code.root_spacing;
    p.pipe_mode = pipeline == 0 ? 0 : pipeline + (registered ? 1 : 0);
    p.registered_input = registered && pipeline == 1 ? 1 : 0;
    p.noncontinuous = config.flag("continuous") ? 0 : 1;
    p.ccsds_flag = config.flag("ccsds") ? 1 : 0;
    return p;
}

// The search for the P-symbol step's XOR network: kp4 at P = 32 (300
// remainder bits by 320 symbol bits) takes about half a minute.
constexpr std::int64_t max_step_matrix = 96000;

int symbols_per_clock(const Config& config) {
    return static_cast<int>(config.integer("symbols-per-clock"));
}

bool variable_length(const Config& config) {
    return config.has("variable-length") && config.flag("variable-length");
}

// The P-symbol datapath has the stream top only, its output register (or
// none: --pipeline 0 at a fixed length) and queue, framing by count, and the step network of the
// minimal search. With --variable-length the same datapath at any P (its stream top
// rs_encoder_vl_axis); the problems then name that option.
Problems check_wide(const Config& config) {
    const std::string p = std::to_string(symbols_per_clock(config));
    const bool wide = symbols_per_clock(config) > 1;
    const std::string what = wide ? "--symbols-per-clock " + p : std::string("--variable-length");
    const std::string accepted =
        wide ? " with --symbols-per-clock 1" : " without --variable-length";
    const std::int64_t m = config.integer("symbol-width");
    const std::int64_t bits = (config.integer("n") - config.integer("k")) * m;
    if (bits * symbols_per_clock(config) * m > max_step_matrix) {
        return {{"symbols-per-clock", p,
                 "the step's matrix, " + std::to_string(bits) + " remainder bits by " + p + " x " +
                     std::to_string(m) +
                     " symbol bits, is beyond what the XOR network "
                     "search takes in reasonable time",
                 "(n-k) x M x P x M at most " + std::to_string(max_step_matrix)}};
    }
    // At P > 1 with a fixed length: the core's output register or none (the
    // stream queue registers the beat).
    const std::int64_t pipeline = config.integer("pipeline");
    if (wide && !variable_length(config)) {
        if (pipeline > 1) {
            return {{"pipeline", std::to_string(pipeline),
                     what + " has its output register (1) or none (0)", "0 or 1, or 2" + accepted}};
        }
    } else if (config.given("pipeline") && pipeline != 1) {
        return {{"pipeline", std::to_string(pipeline),
                 what + " has one output register (latency 1, 2 with the stream queue)",
                 "1, or 0 and 2" + accepted}};
    }
    if (config.flag("registered-input")) {
        return {{"registered-input", std::nullopt,
                 what + " takes the data beat straight into the step",
                 "--registered-input" + accepted}};
    }
    if (!config.flag("continuous")) {
        return {{"no-continuous", std::nullopt,
                 what + (wide && !variable_length(config)
                             ? " has the stream top only, framed by count"
                             : " has the stream top only, framed by tlast"),
                 "--no-continuous" + accepted}};
    }
    if (config.choice("netlist") != "minimal") {
        return {{"netlist", config.choice("netlist"),
                 what + " builds one XOR network for the P-symbol step",
                 "minimal, or shared and plain" + accepted}};
    }
    return {};
}

Problems check_rs_encoder(Config& config) {
    Problems problems = check_ccsds_and_fill_code(config);
    if (!problems.empty()) {
        return problems;
    }
    if (symbols_per_clock(config) > 1 || variable_length(config)) {
        if (Problems wide = check_wide(config); !wide.empty()) {
            return wide;
        }
    }
    if (config.flag("registered-input") && config.integer("pipeline") == 0) {
        return {{"registered-input", std::nullopt,
                 "needs --pipeline 1 or 2 (the input register is a pipeline stage)",
                 "--registered-input with --pipeline 1 or 2"}};
    }
    for (const rs::CodeProblem& problem : rsenc::check_encoder(encoder_params(config))) {
        problems.push_back(rs_problem(problem, config));
    }
    return problems;
}

// The manifest's files of each datapath.
const std::vector<std::string> wide_sources = {"rs_enc_wide_core.v", "rs_encoder_wide_axis.v",
                                               "tb_rs_encoder_wide.v"};
const std::vector<std::string> one_symbol_sources = {
    "rs_enc_control.v",  "rs_enc_feedback.v", "rs_enc_remainder.v", "rs_enc_out_stages.v",
    "rs_encoder_core.v", "rs_encoder.v",      "rs_encoder_axis.v",  "tb_rs_encoder.v"};
const std::vector<std::string> variable_sources = {"rs_encoder_vl_axis.v", "tb_rs_encoder_vl.v"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

FileRole role_of(const std::string& name) {
    return name == "gfile"            ? FileRole::data
           : name == "rsenc_params.v" ? FileRole::include
                                      : FileRole::rtl;
}

CoreBuild generate_rs_encoder(const Config& config, const std::string& header) {
    const rsenc::EncoderParams params = encoder_params(config);
    CoreBuild build;
    const std::string code =
        "RS(" + std::to_string(params.n_total) + "," + std::to_string(params.k_data) + ")";
    build.name =
        "rs_encoder_" + std::to_string(params.n_total) + "_" + std::to_string(params.k_data);
    build.title = std::string(params.ccsds_flag == 1 ? "CCSDS " : "") + "Reed-Solomon encoder " +
                  code + " over GF(2^" + std::to_string(params.symbol_width) + ")";
    if (const RsStandard* standard = rs_standard_of(config)) {
        build.title += std::string(", standard ") + standard->name;
    }
    build.library = "rs";
    const int p = symbols_per_clock(config);
    const bool variable = variable_length(config);
    if (p == 1 && !variable) {
        build.top = "rs_encoder_axis";
        build.tb_top = "tb_rs_encoder";
        build.interface = rs_encoder_interface(params.symbol_width);
        build.omitted_sources = wide_sources + variable_sources;
        for (NamedText& file : rsenc::write_encoder(params, header, netlist_of(config))) {
            const FileRole role = role_of(file.name);
            build.generated.push_back({std::move(file.name), std::move(file.text), role});
        }
        return build;
    }
    if (p > 1) {
        build.title += ", " + std::to_string(p) + " symbols per clock";
    }
    if (variable) {
        build.title += ", a code length per word";
        build.top = "rs_encoder_vl_axis";
        build.tb_top = "tb_rs_encoder_vl";
        build.interface = rs_encoder_vl_interface(params.symbol_width, p);
        build.omitted_sources = one_symbol_sources + wide_sources;
    } else {
        build.top = "rs_encoder_wide_axis";
        build.tb_top = "tb_rs_encoder_wide";
        build.interface = rs_encoder_wide_interface(params.symbol_width, p);
        build.omitted_sources = one_symbol_sources + variable_sources;
    }
    // paritygen's gfile and rsenc_params.v; its one-symbol multiplier serves
    // the last beat of a word with a length of its own.
    for (NamedText& file : rsenc::write_encoder(params, header, rsenc::Netlist::minimal)) {
        if (file.name == "gfile" || file.name == "rsenc_params.v" ||
            (variable && file.name == "multiplier.v")) {
            const FileRole role = role_of(file.name);
            build.generated.push_back({std::move(file.name), std::move(file.text), role});
        }
    }
    build.generated.push_back({"rsenc_wide_params.v",
                               header + "// Symbols per beat of " + build.top +
                                   " (ipgen "
                                   "--symbols-per-clock).\n`define SYMBOLS_PER_CLOCK " +
                                   std::to_string(p) + "\n",
                               FileRole::include});
    const rs::GaloisField field = rs::build_field(params.symbol_width, params.field_poly);
    StringSink step;
    rsenc::write_remainder_step(
        step, field,
        rs::gen_poly_logs(field, rs::generator_polynomial(field, params.first_root,
                                                          params.rootspace, params.num_chk())),
        p);
    build.generated.push_back({"rs_enc_step.v", header + step.take(), FileRole::rtl});
    return build;
}

std::string hex_beat(int last, int symbol, int m) {
    const int digits = (m + 1 + 3) / 4;
    std::string text(static_cast<size_t>(digits), '0');
    const unsigned value = (static_cast<unsigned>(last) << m) | static_cast<unsigned>(symbol);
    for (int d = 0; d < digits; ++d) {
        text[static_cast<size_t>(digits - 1 - d)] = "0123456789abcdef"[(value >> (4 * d)) & 15U];
    }
    return text;
}

// Random codewords through the model. At one symbol per clock tb_in.hex
// holds {tlast, data} per data symbol (tlast with the k-th), tb_out.hex
// {tlast, data} per codeword symbol (tlast with the n-th); above, beats of
// P symbols (rs_encoder_beats.hpp).
TbVectors rs_encoder_vectors(const Config& config) {
    const rsenc::EncoderParams params = encoder_params(config);
    const int m = params.symbol_width;
    const rs::GaloisField field = rs::build_field(m, params.field_poly);
    TbVectors vectors;
    const int p = symbols_per_clock(config);
    const int codewords = std::clamp(1000 / params.n_total, 3, 16);
    std::mt19937 random(static_cast<unsigned>(params.n_total * 7919 + params.k_data));
    const front::UniformInt<int> symbol(0, field.nlong);
    if (variable_length(config)) {
        // Words of random length 1 to k back to back, a word of k, one of
        // one symbol and two longer than k (closed at k, the rest the next
        // word): k + 1 and k + 1 to k + 2P + 1.
        const int k = params.k_data;
        const front::UniformInt<int> length(1, k);
        const front::UniformInt<int> beyond(1, 2 * p + 1);
        const int words = std::clamp(3000 / params.n_total, 8, 32);
        for (int w = 0; w < words; ++w) {
            const int size = w == 0   ? k
                             : w == 2 ? 1
                             : w == 3 ? k + 1
                             : w == 5 ? k + beyond(random)
                                      : length(random);
            std::vector<int> data(static_cast<size_t>(size));
            for (int& d : data) {
                d = symbol(random);
            }
            add_wide_beats(vectors.in, data, p, m);
        }
        vectors.out = rs_encoder_beats(config, vectors.in);
        vectors.seed = 1 + params.n_total % 97;
        return vectors;
    }
    for (int c = 0; c < codewords; ++c) {
        std::vector<int> data(static_cast<size_t>(params.k_data));
        for (int& d : data) {
            d = symbol(random);
        }
        if (p > 1) {
            add_wide_beats(vectors.in, data, p, m);
            continue;
        }
        for (int i = 0; i < params.k_data; ++i) {
            vectors.in.push_back(hex_beat(i == params.k_data - 1, data[static_cast<size_t>(i)], m));
        }
    }
    vectors.out = rs_encoder_beats(config, vectors.in);
    vectors.defines = {{"TB_CODEWORDS", std::to_string(codewords)}};
    vectors.seed = 1 + params.n_total % 97;
    return vectors;
}

const CoreRegistration registration{CoreDefinition{
    .name = "rs-encoder",
    .source_dir = "rs_encoder",
    .summary = "Reed-Solomon encoder (systematic, one symbol per clock, AXI4-Stream top)",
    .options = with_options(
        rs_code_options("1 to 2^M-2", "the generator's"),
        {
            {.name = "pipeline",
             .kind = OptionKind::integer,
             .value_name = "P",
             .help = "pipeline stages of the parity logic: 0 none, 1 (PIPE1), 2 (PIPE2)",
             .min = 0,
             .max = 2,
             .default_value = std::int64_t{1}},
            {.name = "registered-input",
             .kind = OptionKind::flag,
             .help = "register the input symbol (REGISTERED_INPUT); with --pipeline 1 or 2",
             .default_value = false},
            {.name = "continuous",
             .kind = OptionKind::flag,
             .help = "codewords back to back, no idle clock between them (CONTINUOUS)",
             .default_value = true,
             .negatable = true},
            {.name = "ccsds",
             .kind = OptionKind::flag,
             .help = "symbols at the ports in the CCSDS dual basis (CCSDS); needs "
                     "--symbol-width 8 and takes the field polynomial 391",
             .default_value = false},
            {.name = "netlist",
             .kind = OptionKind::choice,
             .value_name = "STYLE",
             .help = "the multiplier netlist: minimal (one XOR network for the whole bank, every "
                     "gate shared by all coefficients), shared (XOR pairs shared within each "
                     "coefficient's product, paritygen -a 1) or plain (every output bit an XOR "
                     "of input bits, paritygen -a 0)",
             .choices = {"minimal", "shared", "plain"},
             .default_value = std::string("minimal")},
            {.name = "symbols-per-clock",
             .kind = OptionKind::integer,
             .value_name = "P",
             .help = "symbols per beat and per clock; above 1 the stream top "
                     "rs_encoder_wide_axis (tkeep, the codeword packed P per beat) with the "
                     "remainder after P symbols as one XOR network",
             .min = 1,
             .max = 32,
             .default_value = std::int64_t{1}},
            {.name = "variable-length",
             .kind = OptionKind::flag,
             .help = "a code length per word: a word of k' <= k data symbols ends at its "
                     "s_axis_tlast and gives k' + n-k symbols (the code shortened to them); the "
                     "stream top rs_encoder_vl_axis at any --symbols-per-clock, m_axis_tuser "
                     "marking a word longer than k, closed at k",
             .default_value = false},
        }),
    .example = "ipgen rs-encoder --symbol-width 8 --n 255 --k 239 --out rs_255_239",
    .check = check_rs_encoder,
    .generate = generate_rs_encoder,
    .vectors = rs_encoder_vectors,
    .model = rs_encoder_beats,
}};

} // namespace

} // namespace ipgen::front
