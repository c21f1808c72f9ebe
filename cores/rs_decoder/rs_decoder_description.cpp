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
#include <map>
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
    bool two_clocks = false;   // parallel: two clocks per step, the discrepancy registered
    bool three_clocks = false; // P symbols per clock: one bank of T + 1 multipliers
    int clocks = 0;
};

WordPeriod word_period(const rs::DecoderParams& params, const std::string& solver, int beats = 0) {
    const int r = params.num_chk();
    const int t = rs::locator_degree(params);
    // clocks a word takes at the input: n symbols, or its beats at P per clock
    const int n = beats > 0 ? beats : params.n_total;
    const bool lanes = beats > 0;
    const int serial = 6 + r * (t + 2) + (t + 2) / 3 * (t + 4);
    // at P symbols per clock, auto takes a step per three clocks on one bank
    // of multipliers where the word's beats leave room for them
    if (solver == "auto" && lanes && serial > n && 3 * r + t + 4 <= n) {
        return {true, false, true, n};
    }
    if (solver == "parallel" ||
        (solver == "auto" && (params.continuous() || lanes) && serial > n)) {
        // two clocks per step where the word leaves room for them, else one
        const bool two = 2 * r + t + 3 <= n;
        return {true, two, false, two ? n : std::max(n, r + t + 3)};
    }
    return {false, false, false, std::max(n, serial)};
}

const char* solver_text(const WordPeriod& period) {
    return period.three_clocks ? "parallel, T + 1 multipliers, three clocks a step"
           : period.parallel   ? "parallel, 3T + 2 multipliers"
                               : "serial, three multipliers";
}

// The core's own define file: the solver chosen and, for the parallel one,
// whether a step takes two clocks.
void write_solver_choice(TextSink& out, const WordPeriod& period, const std::string& solver) {
    out.print("// Key-equation solver of rs_decoder_core (ipgen --solver %s): %s.\n",
              solver.c_str(), solver_text(period));
    out.write(period.parallel ? "`define RS_DECODER_PARALLEL_SOLVER\n"
                              : "`define RS_DECODER_SERIAL_SOLVER\n");
    if (period.two_clocks) {
        out.write("`define RS_DECODER_TWO_CLOCK_STEPS\n");
    }
    if (period.three_clocks) {
        out.write("`define RS_DECODER_THREE_CLOCK_STEPS\n");
    }
}

// What the decoder at P symbols per clock reads beyond corrgen's defines.
void write_lanes_defines(TextSink& out, const rs::DecoderParams& params, const Config& config) {
    const int p = static_cast<int>(config.integer("symbols-per-clock"));
    out.print("// Decoder at P symbols per clock (rs_decoder_lanes_axis): P, the field, the "
              "code's roots.\n");
    out.print("`define RS_DECODER_SYMBOLS_PER_CLOCK %d\n", p);
    out.print("`define RS_DECODER_FIELD_POLY %d\n", params.field_poly);
    out.print("`define RS_DECODER_FIRST_ROOT %d\n", params.first_root);
    out.print("`define RS_DECODER_ROOT_SPACING %d\n", params.rootspace);
    if (config.flag("variable-length")) {
        out.write("`define RS_DECODER_VARIABLE_LENGTH\n");
    }
    if (config.flag("statistics")) {
        out.write("`define RS_DECODER_STATISTICS\n");
        out.print("`define RS_DECODER_SER_WINDOW %lld\n",
                  static_cast<long long>(config.integer("ser-window")));
        out.print("`define RS_DECODER_SER_THRESHOLD %lld\n",
                  static_cast<long long>(config.integer("ser-threshold")));
    }
    if (config.flag("detect-only")) {
        out.write("`define RS_DECODER_DETECT_ONLY\n");
    }
}

// The decoder at P symbols per clock: P > 1, a length per word, the link
// statistics or detection alone.
bool lanes_of(const Config& config) {
    return config.integer("symbols-per-clock") > 1 || config.flag("variable-length") ||
           config.flag("statistics") || config.flag("detect-only");
}

int beats_of(int n, int p) {
    return (n + p - 1) / p;
}

// The files of the manifest that only the one-symbol core uses, and those
// only the P-symbol core uses.
const std::vector<std::string> one_symbol_sources{
    "rs_decoder_input.v", "rs_decoder_search.v", "rs_decoder_output.v", "rs_decoder_core.v",
    "rs_decoder.v",       "rs_decoder_axis.v",   "tb_rs_decoder.v"};
const std::vector<std::string> lanes_sources{
    "rs_decoder_cdot.v",         "rs_decoder_cmul.v",        "rs_decoder_lanes_input.v",
    "rs_decoder_lanes_keyeq.v",  "rs_decoder_lanes_align.v", "rs_decoder_lanes_search.v",
    "rs_decoder_lanes_output.v", "rs_decoder_lanes_stats.v", "rs_decoder_lanes_core.v",
    "rs_decoder_lanes_axis.v",   "tb_rs_decoder_lanes.v"};

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
    if (problems.empty() && lanes_of(config)) {
        // the P-symbol core has the AXI4-Stream top alone
        for (const auto& [bit, name] : option_bit_of) {
            if (config.flag(name)) {
                problems.push_back(
                    {name, std::nullopt,
                     "a port of the native top, which the decoder with --symbols-per-clock "
                     "above 1, --variable-length, --statistics or --detect-only "
                     "does not have",
                     "leave it out"});
            }
        }
    }
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
    const bool lanes = lanes_of(config);
    const int p = static_cast<int>(config.integer("symbols-per-clock"));
    const bool variable_length = config.flag("variable-length");
    const int beats = beats_of(params.n_total, p);
    const WordPeriod period =
        lanes ? word_period(params, solver, beats) : word_period(params, solver);
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
            if (lanes) {
                write_lanes_defines(choice, params, config);
            }
            build.generated.push_back({"rs_decoder_solver.v", choice.take(), FileRole::include});
        }
    }
    if (lanes) {
        build.title += ", " + std::to_string(p) + " symbols per clock" +
                       (variable_length ? ", a length per word" : "") +
                       (config.flag("statistics") ? ", statistics" : "") +
                       (config.flag("detect-only") ? ", detection only" : "");
        build.top = "rs_decoder_lanes_axis";
        build.tb_top = "tb_rs_decoder_lanes";
        build.interface = rs_decoder_lanes_interface(
            params.symbol_width, p, params.n_total, params.num_chk(), params.max_erasures,
            variable_length, config.flag("statistics"), config.flag("detect-only"));
        build.omitted_sources = one_symbol_sources;
        build.values = {
            {"key-equation solver",
             (solver == "auto" ? "auto: " : "") +
                 std::string(period.parallel ? "parallel" : "serial"),
             period.three_clocks ? "T + 1 multipliers, three clocks a step"
             : period.parallel   ? "3T + 2 multipliers"
                                 : "three multipliers"},
            {"beats per word", std::to_string(beats),
             "ceil(n / P)" + std::string(variable_length ? " for a word of n symbols" : "")},
            {"clocks per word", std::to_string(period.clocks),
             period.clocks == beats ? "its beats: words back to back"
                                    : "words wait " + std::to_string(period.clocks - beats) +
                                          " clocks (s_axis_tready low) for the solver"},
        };
        return build;
    }
    build.omitted_sources = lanes_sources;
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

// A beat of several fields as one hex line, the first field pushed in the
// highest bits.
class WideBeat {
  public:
    WideBeat& push(unsigned long long value, int bits) {
        for (int b = bits - 1; b >= 0; --b) {
            bits_.push_back((value >> b & 1U) != 0 ? '1' : '0');
        }
        return *this;
    }
    std::string hex() const {
        std::string padded(static_cast<size_t>((4 - bits_.size() % 4) % 4), '0');
        padded += bits_;
        std::string text;
        for (size_t at = 0; at < padded.size(); at += 4) {
            const int digit = (padded[at] - '0') * 8 + (padded[at + 1] - '0') * 4 +
                              (padded[at + 2] - '0') * 2 + (padded[at + 3] - '0');
            text.push_back("0123456789abcdef"[digit]);
        }
        return text;
    }

  private:
    std::string bits_;
};

// The P-symbol core's received beats: words of n symbols, or with a
// variable length of random lengths from r + 1 to n (the shortened word of
// that length, its check symbols the same) and now and then a word shorter
// than r + 1 (passed unchanged, failure flagged). Lanes after a word's end
// in its last beat carry random symbols and erasure flags the core must
// ignore. The expected beats come from rs_decoder_beats. Returns the beats
// of the first six words (the full-rate part of the run) and the fewest
// beats of a word among them.
std::pair<int, int> add_lanes_vectors(TbVectors& vectors, const rs::GaloisField& field,
                                      const rs::DecoderParams& p, int lanes, bool variable,
                                      int words) {
    const bool ccsds = p.ccsds_flag == 1;
    const int r = p.num_chk();
    const int m = p.symbol_width;
    std::mt19937 random(
        static_cast<unsigned>(p.n_total * 7919 + p.k_data * 31 + p.max_erasures + lanes * 101));
    const front::UniformInt<int> symbol(0, field.nlong);
    const front::UniformInt<int> nonzero(1, field.nlong);
    std::map<int, RsEncoderModel> encoders;
    int full_rate_beats = 0;
    int fewest = beats_of(p.n_total, lanes);
    for (int w = 0; w < words; ++w) {
        int n = p.n_total;
        if (variable) {
            n = w % 13 == 12  ? 1 + static_cast<int>(random() % r)
                : w % 13 == 5 ? r + 1
                              : r + 1 + static_cast<int>(random() % (p.n_total - r));
        }
        std::vector<int> word(static_cast<size_t>(n));
        std::vector<bool> erased(static_cast<size_t>(n), false);
        if (n < r + 1) {
            for (int& x : word) {
                x = symbol(random);
            }
            for (size_t i = 0; i < erased.size(); ++i) {
                erased[i] = random() % 3 == 0;
            }
        } else {
            auto encoder = encoders.find(n);
            if (encoder == encoders.end()) {
                encoder = encoders
                              .emplace(n, RsEncoderModel(field, p.first_root, p.rootspace, n, n - r,
                                                         ccsds))
                              .first;
            }
            std::vector<int> data(static_cast<size_t>(n - r));
            for (int& d : data) {
                d = symbol(random);
            }
            word = encoder->second.encode(data);
            auto [errors, rho] = word_kind(w, r, p.max_erasures, random);
            errors = std::min(errors, n);
            rho = std::min(rho, n - errors);
            std::vector<int> positions(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i) {
                positions[static_cast<size_t>(i)] = i;
            }
            front::shuffle(positions.begin(), positions.end(), random);
            for (int i = 0; i < errors + rho; ++i) {
                const auto at = static_cast<size_t>(positions[static_cast<size_t>(i)]);
                if (i < errors || random() % 4 != 0) {
                    word[at] ^= nonzero(random);
                }
                erased[at] = i >= errors;
            }
        }
        const int beats = beats_of(n, lanes);
        if (w < 6) {
            full_rate_beats += beats;
            fewest = std::min(fewest, beats);
        }
        for (int b = 0; b < beats; ++b) {
            unsigned long long flags = 0;
            unsigned long long keep = 0;
            std::vector<int> in_lane(static_cast<size_t>(lanes));
            for (int l = 0; l < lanes; ++l) {
                const int at = b * lanes + l;
                if (at < n) {
                    keep |= 1ULL << l;
                    flags |= erased[static_cast<size_t>(at)] ? 1ULL << l : 0;
                    in_lane[static_cast<size_t>(l)] = word[static_cast<size_t>(at)];
                } else {
                    // after the word's end: anything, and the core must not look
                    flags |= random() % 2 != 0 ? 1ULL << l : 0;
                    in_lane[static_cast<size_t>(l)] = symbol(random);
                }
            }
            WideBeat in;
            in.push(flags, lanes).push(keep, lanes).push(b == beats - 1 ? 1 : 0, 1);
            for (int l = lanes - 1; l >= 0; --l) {
                in.push(static_cast<unsigned>(in_lane[static_cast<size_t>(l)]), m);
            }
            vectors.in.push_back(in.hex());
        }
    }
    return {full_rate_beats, fewest};
}

TbVectors rs_decoder_vectors(const Config& config) {
    const rs::DecoderParams params = rs::derive_decoder_params(decoder_values(config));
    const rs::GaloisField field = rs::build_field(params.symbol_width, params.field_poly);
    if (lanes_of(config)) {
        const int p = static_cast<int>(config.integer("symbols-per-clock"));
        const bool variable = config.flag("variable-length");
        const int beats = beats_of(params.n_total, p);
        const WordPeriod period = word_period(params, config.choice("solver"), beats);
        const int words = static_cast<int>(config.integer("tb-words"));
        TbVectors vectors;
        const auto [full_rate, fewest] =
            add_lanes_vectors(vectors, field, params, p, variable, words);
        vectors.out = rs_decoder_beats(config, vectors.in);
        // the solver's clocks beyond the shortest full-rate word; a variable
        // length: the syndromes' correction (up to P - 1 clocks) and the
        // erasure list's (a clock an entry)
        const int scaling = variable ? p + params.max_erasures : 0;
        vectors.defines = {
            {"TB_N", std::to_string(params.n_total)},
            {"TB_GAP", std::to_string(std::max(0, period.clocks - fewest) + scaling)},
            {"TB_FULL_RATE_BEATS", std::to_string(full_rate)},
            {"TB_TIMEOUT", std::to_string(4LL * (period.clocks + scaling + 8) * words + 1000)}};
        vectors.seed = 7 + params.symbol_width;
        return vectors;
    }
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
                     "multipliers, T = (n-k+E)/2) or auto (serial, unless CONTINUOUS, or at "
                     "P symbols per clock the ceil(n/P) clocks of a word, need the parallel one "
                     "to run words back to back; at P symbols per clock that is one of T + 1 "
                     "multipliers, three clocks a step, where 3r + T + 4 <= ceil(n/P))",
             .choices = {"auto", "serial", "parallel"},
             .default_value = std::string("auto")},
            {.name = "symbols-per-clock",
             .kind = OptionKind::integer,
             .value_name = "P",
             .help = "received and decoded symbols per beat of the AXI4-Stream ports (symbol 0 "
                     "in the low bits, tkeep on a word's last beat, one erasure flag per symbol "
                     "in s_axis_tuser); above 1 the core has no native top",
             .min = 1,
             .max = 32,
             .default_value = std::int64_t{1}},
            flag_option("variable-length",
                        "a length per word: a word ends with s_axis_tlast (tkeep its last "
                        "symbols), n' from n-k+1 to n symbols decoded as the code shortened to "
                        "n'; a shorter word passes unchanged, failure flagged; no native top"),
            flag_option("statistics",
                        "link statistics on stat_* ports of the AXI4-Stream top: corrected "
                        "symbols, corrected words, uncorrectable words (32 bits, held at all "
                        "ones), and stat_ser_high, the symbol errors of each window of "
                        "--ser-window words above --ser-threshold; no native top"),
            {.name = "ser-window",
             .kind = OptionKind::integer,
             .value_name = "W",
             .help = "words per window of stat_ser_high (--statistics)",
             .min = 1,
             .max = 1 << 24,
             .default_value = std::int64_t{8192}},
            {.name = "ser-threshold",
             .kind = OptionKind::integer,
             .value_name = "K",
             .help = "stat_ser_high rises after a window with more than K symbol errors "
                     "(--statistics)",
             .min = 0,
             .max = (std::int64_t{1} << 31) - 1,
             .default_value = std::int64_t{417}},
            flag_option("detect-only",
                        "flag and count the errors of each word, do not correct them (the "
                        "received symbols pass); no native top"),
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
