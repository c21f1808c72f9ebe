// ipgen rs-encoder: the Reed-Solomon encoder core. The options map onto
// paritygen's switches and go through its checks; the encoder library
// writes gfile, multiplier.v and rsenc_params.v into memory, byte for byte
// what paritygen writes for the same values; the testbench vectors come
// from RsEncoderModel.
#include "generators/common/fatal_error.hpp"
#include "generators/common/switch_scan.hpp"
#include "generators/common/text_sink.hpp"
#include "ipgen/core_description.hpp"
#include "cores/common/rs_code_options.hpp"
#include "cores/rs_encoder/rs_encoder_interface.hpp"
#include "cores/rs_encoder/rs_encoder_model.hpp"
#include "ipgen/options.hpp"
#include "generators/rs_common/generator_polynomial.hpp"
#include "generators/paritygen/encoder_params.hpp"
#include "generators/paritygen/gfile.hpp"
#include "generators/paritygen/minimal_netlist.hpp"
#include "generators/paritygen/multiplier.hpp"
#include "generators/paritygen/rsenc_params.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>

namespace ipgen::front {

namespace {

// A multiplier netlist style: its name on the command line and the writer
// of the whole multiplier.v (header included).
struct NetlistStyle {
    const char* name;
    const char* help;
    std::string (*write)(const std::string& header, const rs::GaloisField& field,
                         const std::vector<int>& gen_poly_log);
};

std::string shared_netlist(const std::string& header, const rs::GaloisField& field,
                           const std::vector<int>& gen_poly_log) {
    // paritygen's order: the wires in multiplier.v, then what it gathers in
    // mult_temp.v (the assignments), then the end of the module.
    StringSink text;
    StringSink assigns;
    text.write(header);
    rsenc::write_multiplier_shared(text, assigns, field, gen_poly_log);
    text.write(assigns.text());
    rsenc::write_module_end(text);
    return text.take();
}

std::string plain_netlist(const std::string& header, const rs::GaloisField& field,
                          const std::vector<int>& gen_poly_log) {
    StringSink text;
    text.write(header);
    rsenc::write_multiplier_plain(text, field, gen_poly_log);
    return text.take();
}

std::string minimal_netlist(const std::string& header, const rs::GaloisField& field,
                            const std::vector<int>& gen_poly_log) {
    StringSink text;
    text.write(header);
    rsenc::write_minimal_multiplier(text, field, gen_poly_log);
    return text.take();
}

const std::array<NetlistStyle, 3> netlist_styles{{
    {"minimal", "one XOR network for the whole bank, every gate shared by all coefficients",
     minimal_netlist},
    {"shared", "XOR pairs shared within each coefficient's product (paritygen -a 1)",
     shared_netlist},
    {"plain", "every output bit an XOR of input bits (paritygen -a 0)", plain_netlist},
}};

// paritygen's switch letter of each numeric option, for its checks and to
// name the option in their messages.
constexpr std::array<std::pair<char, const char*>, 6> switch_of{{{'w', "symbol-width"},
                                                                 {'n', "n"},
                                                                 {'k', "k"},
                                                                 {'f', "field-poly"},
                                                                 {'g', "first-root"},
                                                                 {'h', "root-spacing"}}};

int decimal(const OptionValues& values, const std::string& name) {
    const std::string& text = values.at(name);
    const size_t digits = text.find_first_not_of("+-") == 1 ? 1 : 0;
    if (text.size() == digits ||
        text.find_first_not_of("0123456789", digits) != std::string::npos) {
        refuse("--" + name + " " + text + ": accepted: a decimal number");
    }
    // Beyond the int range the checks below refuse the text as given.
    return static_cast<int>(
        std::clamp(std::strtoll(text.c_str(), nullptr, 10), -(1LL << 31), (1LL << 31) - 1));
}

bool flag(const OptionValues& values, const std::string& name, bool fallback) {
    const auto found = values.find(name);
    return found == values.end() ? fallback : found->second == "1";
}

// paritygen's checks on the numeric values; its refusal, with the option
// named the way it was given here.
rsenc::EncoderParams checked_params(OptionValues& values, int pipe_mode, int registered,
                                    bool continuous, bool ccsds) {
    std::vector<std::string> args;
    for (const auto& [letter, name] : switch_of) {
        args.push_back(std::string("-") + letter);
        args.push_back(values.at(name));
    }
    for (const auto& [letter, value] :
         {std::pair{'p', pipe_mode}, std::pair{'r', registered}, std::pair{'t', continuous ? 0 : 1},
          std::pair{'c', ccsds ? 1 : 0}}) {
        args.push_back(std::string("-") + letter);
        args.push_back(std::to_string(value));
    }
    const SwitchScan scan = scan_switches(args, rsenc::encoder_switch_letters);
    try {
        rsenc::validate_encoder_switches(scan);
    } catch (const FatalError& error) {
        std::string message = error.message();
        const std::string program = "paritygen: ";
        if (message.starts_with(program)) {
            message.erase(0, program.size());
        }
        for (const auto& [letter, name] : switch_of) {
            if (message.starts_with(std::string("-") + letter + " ")) {
                message.replace(0, 2, std::string("--") + name);
            }
        }
        throw FatalError("ipgen: " + message, error.status());
    }
    return rsenc::derive_encoder_params(scan);
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

CoreBuild build_rs_encoder(const OptionValues& given, const std::string& header) {
    OptionValues values = given;
    const bool ccsds = flag(values, "ccsds", false);
    const int m = decimal(values, "symbol-width");
    const auto fill = [&](const std::string& name, int fallback) {
        values.try_emplace(name, std::to_string(fallback));
    };
    fill_rs_code_defaults(values, m, ccsds);
    for (const auto& [letter, name] : switch_of) {
        decimal(values, name);
    }

    fill("pipeline", 1);
    const int pipeline = decimal(values, "pipeline");
    if (pipeline < 0 || pipeline > 2) {
        refuse("--pipeline " + values.at("pipeline") +
               ": accepted: 0 (none), 1 (PIPE1) or 2 (PIPE2)");
    }
    const bool registered = flag(values, "registered-input", false);
    if (registered && pipeline == 0) {
        refuse("--registered-input: accepted with --pipeline 1 or 2 only");
    }
    const bool continuous = flag(values, "continuous", true);
    values.try_emplace("netlist", "minimal");
    const auto style =
        std::find_if(netlist_styles.begin(), netlist_styles.end(),
                     [&](const NetlistStyle& s) { return values.at("netlist") == s.name; });
    if (style == netlist_styles.end()) {
        std::string accepted;
        for (std::size_t i = 0; i < netlist_styles.size(); ++i) {
            accepted += std::string(i == 0                          ? ""
                                    : i + 1 < netlist_styles.size() ? ", "
                                                                    : " or ") +
                        netlist_styles[i].name;
        }
        refuse("--netlist " + values.at("netlist") + ": accepted: " + accepted);
    }
    // paritygen: -p 1 PIPE1, -p 2 -r 1 REGISTERED_INPUT + PIPE1, -p 2 PIPE2,
    // -p 3 REGISTERED_INPUT + PIPE2.
    const int pipe_mode = pipeline == 0 ? 0 : pipeline + (registered ? 1 : 0);
    const int registered_switch = registered && pipeline == 1 ? 1 : 0;
    const rsenc::EncoderParams params =
        checked_params(values, pipe_mode, registered_switch, continuous, ccsds);
    if (ccsds && (params.symbol_width != 8 || params.field_poly != ccsds_field_poly)) {
        refuse("--ccsds: the CCSDS dual basis is defined over GF(256) with field polynomial "
               "391; accepted with --symbol-width 8 --field-poly 391");
    }

    const rs::GaloisField field = rs::build_field(params.symbol_width, params.field_poly);
    const std::vector<int> gen_poly_log =
        rs::gen_poly_logs(field, rs::generator_polynomial(field, params.first_root,
                                                          params.rootspace, params.num_chk()));
    CoreBuild build;
    const std::string code =
        "RS(" + std::to_string(params.n_total) + "," + std::to_string(params.k_data) + ")";
    build.name =
        "rs_encoder_" + std::to_string(params.n_total) + "_" + std::to_string(params.k_data);
    build.title = std::string(ccsds ? "CCSDS " : "") + "Reed-Solomon encoder " + code +
                  " over GF(2^" + std::to_string(m) + ")";
    build.top = "rs_encoder_axis";
    build.tb_top = "tb_rs_encoder";
    build.library = "rs";
    build.interface = rs_encoder_interface(params.symbol_width);

    StringSink gfile;
    rsenc::write_gfile(gfile, gen_poly_log);
    StringSink rsenc_params;
    rsenc_params.write(header);
    rsenc::write_rsenc_params(rsenc_params, params);
    build.generated = {
        {"gfile", gfile.take(), FileRole::data},
        {rsenc::multiplier_file_name, style->write(header, field, gen_poly_log), FileRole::rtl},
        {"rsenc_params.v", rsenc_params.take(), FileRole::include},
    };

    build.command = {"ipgen", "rs-encoder"};
    for (const char* name :
         {"symbol-width", "n", "k", "field-poly", "first-root", "root-spacing", "pipeline"}) {
        build.command.insert(build.command.end(), {std::string("--") + name, values.at(name)});
    }
    if (registered) {
        build.command.push_back("--registered-input");
    }
    build.command.push_back(continuous ? "--continuous" : "--no-continuous");
    if (ccsds) {
        build.command.push_back("--ccsds");
    }
    build.command.insert(build.command.end(), {"--netlist", style->name});

    const auto yes_no = [](bool b) { return std::string(b ? "yes" : "no"); };
    build.values = {
        {"symbol width m", values.at("symbol-width"), "bits per symbol, field GF(2^m)"},
        {"n", values.at("n"), "symbols per codeword (NUM_TOTAL_SYMBOLS)"},
        {"k", values.at("k"), "data symbols per codeword (NUM_DATA_SYMBOLS)"},
        {"field polynomial", values.at("field-poly"), "bit i is the coefficient of x^i"},
        {"first root", values.at("first-root"),
         "the roots of the generator are alpha^((first root + i) * root spacing)"},
        {"root spacing", values.at("root-spacing"), ""},
        {"pipeline", values.at("pipeline"), "0 none, 1 PIPE1, 2 PIPE2"},
        {"registered input", yes_no(registered), "REGISTERED_INPUT"},
        {"continuous", yes_no(continuous), "CONTINUOUS: codewords back to back"},
        {"CCSDS", yes_no(ccsds), "CCSDS: dual-basis symbols at the ports"},
        {"netlist", style->name, style->help},
    };

    // The vectors: random codewords through the model. tb_in.hex holds
    // {tlast, data} per data symbol (tlast with the k-th), tb_out.hex
    // {tlast, data} per codeword symbol (tlast with the n-th).
    const RsEncoderModel model(field, params.first_root, params.rootspace, params.n_total,
                               params.k_data, ccsds);
    const int codewords = std::clamp(1000 / params.n_total, 3, 16);
    std::mt19937 random(static_cast<unsigned>(params.n_total * 7919 + params.k_data));
    std::uniform_int_distribution<int> symbol(0, field.nlong);
    for (int c = 0; c < codewords; ++c) {
        std::vector<int> data(static_cast<size_t>(params.k_data));
        for (int& d : data) {
            d = symbol(random);
        }
        for (int i = 0; i < params.k_data; ++i) {
            build.tb_in.push_back(
                hex_beat(i == params.k_data - 1, data[static_cast<size_t>(i)], m));
        }
        const std::vector<int> word = model.encode(data);
        for (int i = 0; i < params.n_total; ++i) {
            build.tb_out.push_back(
                hex_beat(i == params.n_total - 1, word[static_cast<size_t>(i)], m));
        }
    }
    build.tb_defines = {{"TB_CODEWORDS", std::to_string(codewords)}};
    build.tb_seed = 1 + params.n_total % 97;
    return build;
}

const CoreRegistration registration{CoreDescription{
    "rs-encoder",
    "rs_encoder",
    "Reed-Solomon encoder (systematic, one symbol per clock, AXI4-Stream top)",
    with_options(
        rs_code_options("1 to 2^M-2", "the generator's"),
        {
            {"pipeline", "P", "pipeline stages of the parity logic: 0 none, 1 (PIPE1), 2 (PIPE2)",
             "1"},
            {"registered-input", "",
             "register the input symbol (REGISTERED_INPUT); with --pipeline "
             "1 or 2",
             "off"},
            {"continuous", "", "codewords back to back, no idle clock between them (CONTINUOUS)",
             "on", true},
            {"ccsds", "",
             "symbols at the ports in the CCSDS dual basis (CCSDS); needs --symbol-width 8 and "
             "--field-poly 391",
             "off"},
            {"netlist", "STYLE", "the multiplier netlist: minimal, shared or plain", "minimal"},
        }),
    "ipgen rs-encoder --symbol-width 8 --n 255 --k 239 --out rs_255_239",
    build_rs_encoder,
}};

} // namespace

} // namespace ipgen::front
