// ipgen rs-encoder: the Reed-Solomon encoder core. paritygen's library
// checks the code's values and writes gfile, multiplier.v and
// rsenc_params.v into memory, byte for byte what paritygen writes for the
// same values; the testbench vectors come from RsEncoderModel.
#include "cores/common/rs_code_options.hpp"
#include "cores/common/vector_random.hpp"
#include "cores/rs_encoder/rs_encoder_beats.hpp"
#include "cores/rs_encoder/rs_encoder_interface.hpp"
#include "cores/rs_encoder/rs_encoder_model.hpp"
#include "generators/paritygen/paritygen.hpp"
#include "generators/rs_common/galois_field.hpp"
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

Problems check_rs_encoder(Config& config) {
    Problems problems = check_ccsds_and_fill_code(config);
    if (!problems.empty()) {
        return problems;
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
    build.top = "rs_encoder_axis";
    build.tb_top = "tb_rs_encoder";
    build.library = "rs";
    build.interface = rs_encoder_interface(params.symbol_width);
    for (NamedText& file : rsenc::write_encoder(params, header, netlist_of(config))) {
        const FileRole role = role_of(file.name);
        build.generated.push_back({std::move(file.name), std::move(file.text), role});
    }
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

// Random codewords through the model. tb_in.hex holds {tlast, data} per
// data symbol (tlast with the k-th), tb_out.hex {tlast, data} per codeword
// symbol (tlast with the n-th).
TbVectors rs_encoder_vectors(const Config& config) {
    const rsenc::EncoderParams params = encoder_params(config);
    const int m = params.symbol_width;
    const rs::GaloisField field = rs::build_field(m, params.field_poly);
    TbVectors vectors;
    const int codewords = std::clamp(1000 / params.n_total, 3, 16);
    std::mt19937 random(static_cast<unsigned>(params.n_total * 7919 + params.k_data));
    const front::UniformInt<int> symbol(0, field.nlong);
    for (int c = 0; c < codewords; ++c) {
        std::vector<int> data(static_cast<size_t>(params.k_data));
        for (int& d : data) {
            d = symbol(random);
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
        }),
    .example = "ipgen rs-encoder --symbol-width 8 --n 255 --k 239 --out rs_255_239",
    .check = check_rs_encoder,
    .generate = generate_rs_encoder,
    .vectors = rs_encoder_vectors,
    .model = rs_encoder_beats,
}};

} // namespace

} // namespace ipgen::front
