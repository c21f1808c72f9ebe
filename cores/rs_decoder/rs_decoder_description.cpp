// ipgen rs-decoder: the Reed-Solomon decoder core. corrgen's library checks
// the code's values and writes its nine files into memory, byte for byte
// what corrgen writes for the same values; the core adds its solver choice;
// the testbench vectors come from RsDecoderModel.
#include "cores/common/rs_code_options.hpp"
#include "cores/common/vector_random.hpp"
#include "cores/rs_decoder/rs_decoder_beats.hpp"
#include "cores/rs_decoder/rs_decoder_interface.hpp"
#include "cores/rs_decoder/rs_decoder_model.hpp"
#include "cores/rs_encoder/rs_encoder_model.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/corrgen/corrgen.hpp"
#include "generators/corrgen/decoder_params.hpp"
#include "generators/corrgen/locator_degree.hpp"
#include "generators/rs_common/galois_field.hpp"
#include "ipgen/core_description.hpp"

#include <algorithm>
#include <array>
#include <random>

namespace ipgen::front {

namespace {

// The option bits of corrgen's -o, one flag each.
constexpr std::array<std::pair<int, const char*>, 6> option_bit_of{{{1, "clock-enable"},
                                                                    {2, "sync-reset"},
                                                                    {4, "data-delayed"},
                                                                    {8, "error-count"},
                                                                    {16, "erasure-count"},
                                                                    {32, "fail-pin"}}};

// The testbench holds its vectors in memory, and ipgen builds them there
// first, about 90 bytes per received symbol (4095 x 1024 symbols took
// 340 MB and 4.6 s; 100000 words at n = 4095 ran out of memory). At the
// bound, 4095 x 256 symbols: ipgen 92 MB and 5.6 s, make sim PASS in vvp
// at 95 MB, 19 minutes on a loaded machine.
constexpr std::int64_t max_tb_symbols = 1 << 20;

// The clocks a word takes in the core when input and output never wait:
// n, or the key-equation solver's time from the capture of the syndromes
// to the next capture when that is longer. --solver auto: the serial
// solver, unless under CONTINUOUS the words are shorter than its time.
struct WordPeriod {
    bool parallel = false;
    bool two_clocks = false; // parallel: two clocks per step, the discrepancy registered
    int clocks = 0;
};

WordPeriod word_period(const rs::DecoderParams& params, const std::string& solver) {
    const int r = params.num_chk();
    const int t = rs::locator_degree(params);
    const int n = params.n_total;
    const int serial = 6 + r * (t + 2) + (t + 2) / 3 * (t + 4);
    if (solver == "parallel" || (solver == "auto" && params.continuous() && serial > n)) {
        // two clocks per step where the word leaves room for them, else one
        const bool two = 2 * r + t + 3 <= n;
        return {true, two, two ? n : std::max(n, r + t + 3)};
    }
    return {false, false, std::max(n, serial)};
}

// The core's own define file: the solver chosen and, for the parallel one,
// whether a step takes two clocks.
void write_solver_choice(TextSink& out, const WordPeriod& period, const std::string& solver) {
    out.print("// Key-equation solver of rs_decoder_core (ipgen --solver %s): %s.\n",
              solver.c_str(),
              period.parallel ? "parallel, 3T + 2 multipliers" : "serial, three multipliers");
    out.write(period.parallel ? "`define RS_DECODER_PARALLEL_SOLVER\n"
                              : "`define RS_DECODER_SERIAL_SOLVER\n");
    if (period.two_clocks) {
        out.write("`define RS_DECODER_TWO_CLOCK_STEPS\n");
    }
}

rs::DecoderValues decoder_values(const Config& config) {
    const rs::CodeValues code = rs_code_values(config);
    rs::DecoderValues v;
    v.symbol_width = code.symbol_width;
    v.n_total = code.n;
    v.k_data = code.k;
    v.field_poly = code.field_poly;
    v.first_root = code.first_root;
    v.rootspace = code.root_spacing;
    v.max_erasures = static_cast<int>(config.integer("erasures"));
    v.sync_mode = config.choice("sync") == "start-pulse" ? 0 : 1;
    for (const auto& [bit, name] : option_bit_of) {
        v.option_bits |= config.flag(name) ? bit : 0;
    }
    v.ccsds_flag = config.flag("ccsds") ? 1 : 0;
    return v;
}

Problems check_rs_decoder(Config& config) {
    Problems problems = check_ccsds_and_fill_code(config);
    if (!problems.empty()) {
        return problems;
    }
    for (const rs::CodeProblem& problem : rs::check_decoder(decoder_values(config))) {
        problems.push_back(rs_problem(problem, config));
    }
    const std::int64_t n = config.integer("n");
    const std::int64_t words = config.integer("tb-words");
    if (problems.empty() && n * words > max_tb_symbols) {
        problems.push_back({"tb-words", std::to_string(words),
                            "n x W = " + std::to_string(n * words) +
                                " received symbols are more than the testbench holds",
                            "1 to " + std::to_string(max_tb_symbols / n) + " (" +
                                std::to_string(max_tb_symbols) +
                                " symbols / n) at n = " + std::to_string(n)});
    }
    return problems;
}

FileRole role_of(const std::string& name) {
    return name == "gfile"                                               ? FileRole::data
           : name == "corrgen_params.v" || name == "rs_decoder_solver.v" ? FileRole::include
                                                                         : FileRole::rtl;
}

CoreBuild generate_rs_decoder(const Config& config, const std::string& header) {
    const rs::DecoderParams params = rs::derive_decoder_params(decoder_values(config));
    const std::string& solver = config.choice("solver");
    const WordPeriod period = word_period(params, solver);
    CoreBuild build;
    const std::string code =
        "RS(" + std::to_string(params.n_total) + "," + std::to_string(params.k_data) + ")";
    build.name =
        "rs_decoder_" + std::to_string(params.n_total) + "_" + std::to_string(params.k_data);
    build.title =
        std::string(params.ccsds_flag == 1 ? "CCSDS " : "") + "Reed-Solomon decoder " + code +
        " over GF(2^" + std::to_string(params.symbol_width) + ")" +
        (params.max_erasures > 0 ? ", up to " + std::to_string(params.max_erasures) + " erasures"
                                 : "");
    build.top = "rs_decoder_axis";
    build.tb_top = "tb_rs_decoder";
    build.library = "rs";
    build.interface =
        rs_decoder_interface(params.symbol_width, params.num_chk(), params.max_erasures,
                             params.sync_mode == 0, params.option_bits);

    for (NamedText& file : rs::write_decoder(decoder_values(config), header)) {
        const FileRole role = role_of(file.name);
        const bool params_file = file.name == "corrgen_params.v";
        build.generated.push_back({std::move(file.name), std::move(file.text), role});
        // The core's own define file follows corrgen's parameters.
        if (params_file) {
            StringSink choice;
            choice.write(header);
            write_solver_choice(choice, period, solver);
            build.generated.push_back({"rs_decoder_solver.v", choice.take(), FileRole::include});
        }
    }
    build.values = {
        {"key-equation solver",
         (solver == "auto" ? "auto: " : "") + std::string(period.parallel ? "parallel" : "serial"),
         period.parallel ? "3T + 2 multipliers" : "three multipliers"},
        {"clocks per word", std::to_string(period.clocks),
         period.clocks == params.n_total
             ? "n: words back to back"
             : "words wait " + std::to_string(period.clocks - params.n_total) +
                   " clocks (s_axis_tready low)"},
    };
    return build;
}

std::string hex_of(unsigned long long value, int bits) {
    const int digits = (bits + 3) / 4;
    std::string text(static_cast<size_t>(digits), '0');
    for (int d = 0; d < digits; ++d) {
        text[static_cast<size_t>(digits - 1 - d)] = "0123456789abcdef"[(value >> (4 * d)) & 15U];
    }
    return text;
}

// A received word of each kind in turn: clean, flags on a clean word,
// within, exactly at and beyond the capability, more flags than the core
// takes. Returns the number of errors and of erasure flags.
std::pair<int, int> word_kind(int w, int r, int max_erasures, std::mt19937& random) {
    int rho = max_erasures > 0 ? static_cast<int>(random() % (max_erasures + 1)) : 0;
    int errors = 0;
    switch (w % 10) {
    case 0:
        rho = 0;
        break;
    case 1:
        rho = std::max(rho, 1);
        break;
    case 2:
    case 8:
        errors = static_cast<int>(random() % ((r - rho) / 2 + 1));
        break;
    case 3:
        errors = (r - rho) / 2;
        break;
    case 4:
        rho = max_erasures;
        errors = (r - rho) / 2;
        break;
    case 5:
        errors = (r - rho) / 2 + 1;
        break;
    case 6:
        errors = (r - rho) / 2 + 1 + static_cast<int>(random() % (r + 1));
        break;
    case 7:
        rho = max_erasures + 1;
        errors = static_cast<int>(random() % 2);
        break;
    default:
        rho = 0;
        errors = r / 2;
        break;
    }
    return {errors, rho};
}

void add_vectors(TbVectors& vectors, const rs::GaloisField& field, const rs::DecoderParams& p,
                 int words) {
    const bool ccsds = p.ccsds_flag == 1;
    const RsEncoderModel encoder(field, p.first_root, p.rootspace, p.n_total, p.k_data, ccsds);
    const int m = p.symbol_width;
    std::mt19937 random(static_cast<unsigned>(p.n_total * 7919 + p.k_data * 31 + p.max_erasures));
    const front::UniformInt<int> symbol(0, field.nlong);
    const front::UniformInt<int> nonzero(1, field.nlong);
    std::vector<int> positions(static_cast<size_t>(p.n_total));
    for (int w = 0; w < words; ++w) {
        std::vector<int> data(static_cast<size_t>(p.k_data));
        for (int& d : data) {
            d = symbol(random);
        }
        std::vector<int> word = encoder.encode(data);
        auto [errors, rho] = word_kind(w, p.num_chk(), p.max_erasures, random);
        errors = std::min(errors, p.n_total);
        rho = std::min(rho, p.n_total - errors);
        for (int i = 0; i < p.n_total; ++i) {
            positions[static_cast<size_t>(i)] = i;
        }
        front::shuffle(positions.begin(), positions.end(), random);
        std::vector<bool> erased(static_cast<size_t>(p.n_total), false);
        for (int i = 0; i < errors + rho; ++i) {
            const auto at = static_cast<size_t>(positions[static_cast<size_t>(i)]);
            // Some erasure flags sit on a correct symbol.
            if (i < errors || random() % 4 != 0) {
                word[at] ^= nonzero(random);
            }
            erased[at] = i >= errors;
        }
        std::vector<int> erasures;
        for (int i = 0; i < p.n_total; ++i) {
            if (erased[static_cast<size_t>(i)]) {
                erasures.push_back(i);
            }
        }
        for (int i = 0; i < p.n_total; ++i) {
            const auto at = static_cast<size_t>(i);
            const unsigned long long last = i == p.n_total - 1 ? 1 : 0;
            vectors.in.push_back(hex_of(
                ((erased[at] ? 2ULL : 0ULL) | last) << m | static_cast<unsigned>(word[at]), m + 2));
        }
    }
}

TbVectors rs_decoder_vectors(const Config& config) {
    const rs::DecoderParams params = rs::derive_decoder_params(decoder_values(config));
    const rs::GaloisField field = rs::build_field(params.symbol_width, params.field_poly);
    const WordPeriod period = word_period(params, config.choice("solver"));
    TbVectors vectors;
    add_vectors(vectors, field, params, static_cast<int>(config.integer("tb-words")));
    vectors.out = rs_decoder_beats(config, vectors.in);
    vectors.defines = {{"TB_N", std::to_string(params.n_total)},
                       {"TB_GAP", std::to_string(period.clocks - params.n_total)}};
    vectors.seed = 7 + params.symbol_width;
    return vectors;
}

Option flag_option(const char* name, const char* help) {
    return {.name = name, .kind = OptionKind::flag, .help = help, .default_value = false};
}

const CoreRegistration registration{CoreDefinition{
    .name = "rs-decoder",
    .source_dir = "rs_decoder",
    .summary = "Reed-Solomon decoder (errors and erasures, one symbol per clock, AXI4-Stream top)",
    .options = with_options(
        rs_code_options("1 to 2^M-2, n-k of 2 or more", "the code's"),
        {
            {.name = "erasures",
             .kind = OptionKind::integer,
             .value_name = "E",
             .help = "most erasure flags per word (ERASURE); 0: none",
             .min = 0,
             .max = 4094,
             .default_value = std::int64_t{0},
             .accepted = "0 to n-k; 0 when n-k is below 3"},
            {.name = "sync",
             .kind = OptionKind::choice,
             .value_name = "MODE",
             .help = "codeword framing of the native top: start-pulse (SYNC_START_PULSE) or "
                     "symbol-enable (SYNC_DAT_SYMB_EN)",
             .choices = {"start-pulse", "symbol-enable"},
             .default_value = std::string("start-pulse")},
            flag_option("clock-enable", "a clock enable for the whole core (CLK_ENABLED)"),
            flag_option("sync-reset", "a synchronous reset input sr (SYNC_RST_ENABLED)"),
            flag_option("data-delayed",
                        "the received symbol beside its corrected one (DATA_DELAYED)"),
            flag_option("error-count", "the count of corrected symbols (ERR_CNT_ENABLED)"),
            flag_option("erasure-count", "the count of erasure flags (ERS_CNT_ENABLED)"),
            flag_option("fail-pin", "a decoding-failure output (FAILPIN)"),
            flag_option("ccsds", "symbols at the ports in the CCSDS dual basis (CCSDS); needs "
                                 "--symbol-width 8 and takes the field polynomial 391"),
            {.name = "solver",
             .kind = OptionKind::choice,
             .value_name = "KIND",
             .help = "key-equation solver: serial (three multipliers; words wait while it needs "
                     "more than n clocks), parallel (a step per one or two clocks, 3T + 2 "
                     "multipliers, T = (n-k+E)/2) or auto (serial, unless CONTINUOUS needs the "
                     "parallel one to run words back to back)",
             .choices = {"auto", "serial", "parallel"},
             .default_value = std::string("auto")},
            {.name = "tb-words",
             .kind = OptionKind::integer,
             .value_name = "W",
             .help = "received words in the testbench vectors",
             .min = 1,
             .max = 100000,
             .default_value = std::int64_t{60},
             .accepted = "n x W at most 1048576 symbols (the vectors the testbench holds)"},
        }),
    .example = "ipgen rs-decoder --symbol-width 8 --n 204 --k 188 --out rs_204_188",
    .check = check_rs_decoder,
    .generate = generate_rs_decoder,
    .vectors = rs_decoder_vectors,
    .model = rs_decoder_beats,
}};

} // namespace

} // namespace ipgen::front
