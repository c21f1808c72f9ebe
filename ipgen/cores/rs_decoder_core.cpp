// ipgen rs-decoder: the Reed-Solomon decoder core. The options map onto
// corrgen's ten switches and go through its checks; the decoder library
// writes its files into memory, byte for byte what corrgen writes for the
// same values; the testbench vectors come from RsDecoderModel.
#include "common/fatal_error.hpp"
#include "common/switch_scan.hpp"
#include "common/text_sink.hpp"
#include "ipgen/core_description.hpp"
#include "ipgen/cores/rs_code_options.hpp"
#include "ipgen/cores/rs_decoder_model.hpp"
#include "ipgen/cores/rs_encoder_model.hpp"
#include "ipgen/options.hpp"
#include "rs_common/generator_polynomial.hpp"
#include "rs_decoder/chien_search.hpp"
#include "rs_decoder/corrgen_params.hpp"
#include "rs_decoder/decoder_params.hpp"
#include "rs_decoder/error_magnitude.hpp"
#include "rs_decoder/gfile.hpp"
#include "rs_decoder/gfinvrom.hpp"
#include "rs_decoder/gfromxp.hpp"
#include "rs_decoder/locator_degree.hpp"
#include "rs_decoder/mastrovito.hpp"
#include "rs_decoder/multiplier.hpp"
#include "rs_decoder/syndrome.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>

namespace ipgen::front {

namespace {

// corrgen's switch letter of each numeric option.
constexpr std::array<std::pair<char, const char*>, 7> switch_of{{{'w', "symbol-width"},
                                                                 {'n', "n"},
                                                                 {'k', "k"},
                                                                 {'f', "field-poly"},
                                                                 {'g', "first-root"},
                                                                 {'h', "root-spacing"},
                                                                 {'e', "erasures"}}};

// The option bits of corrgen's -o, one flag each.
constexpr std::array<std::pair<int, const char*>, 6> option_bit_of{{{1, "clock-enable"},
                                                                    {2, "sync-reset"},
                                                                    {4, "data-delayed"},
                                                                    {8, "error-count"},
                                                                    {16, "erasure-count"},
                                                                    {32, "fail-pin"}}};

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

int decimal(const OptionValues& values, const std::string& name) {
    const std::string& text = values.at(name);
    const size_t digits = text.find_first_not_of("+-") == 1 ? 1 : 0;
    if (text.size() == digits ||
        text.find_first_not_of("0123456789", digits) != std::string::npos) {
        refuse("--" + name + " " + text + ": accepted: a decimal number");
    }
    return static_cast<int>(
        std::clamp(std::strtoll(text.c_str(), nullptr, 10), -(1LL << 31), (1LL << 31) - 1));
}

bool flag(const OptionValues& values, const std::string& name) {
    const auto found = values.find(name);
    return found != values.end() && found->second == "1";
}

// corrgen's checks; its refusal, with the switches named as given here.
rs::DecoderParams checked_params(const OptionValues& values, int sync_mode, int option_bits,
                                 bool ccsds) {
    std::vector<std::string> args;
    for (const auto& [letter, name] : switch_of) {
        args.insert(args.end(), {std::string("-") + letter, values.at(name)});
    }
    args.insert(args.end(), {"-y", std::to_string(sync_mode), "-o", std::to_string(option_bits),
                             "-c", ccsds ? "1" : "0"});
    const SwitchScan scan = scan_switches(args, rs::decoder_switch_letters);
    try {
        rs::validate_decoder_switches(scan);
    } catch (const FatalError& error) {
        std::string message = error.message();
        const std::string program = "corrgen: ";
        if (message.starts_with(program)) {
            message.erase(0, program.size());
        }
        // The switches named before the first ": ".
        const size_t head_end = message.find(": ");
        std::string head = message.substr(0, head_end);
        std::string renamed;
        for (size_t at = 0; at < head.size();) {
            const size_t end = std::min(head.find(' ', at), head.size());
            std::string word = head.substr(at, end - at);
            for (const auto& [letter, name] : switch_of) {
                if (word == std::string("-") + letter) {
                    word = std::string("--") + name;
                }
            }
            renamed += (at == 0 ? "" : " ") + word;
            at = end + 1;
        }
        message = renamed + (head_end == std::string::npos ? "" : message.substr(head_end));
        throw FatalError("ipgen: " + message, error.status());
    }
    return rs::derive_decoder_params(scan);
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

void add_vectors(CoreBuild& build, const rs::GaloisField& field, const rs::DecoderParams& p,
                 int words) {
    const bool ccsds = p.ccsds_flag == 1;
    const RsEncoderModel encoder(field, p.first_root, p.rootspace, p.n_total, p.k_data, ccsds);
    const RsDecoderModel decoder(field, p.first_root, p.rootspace, p.n_total, p.k_data,
                                 p.max_erasures, ccsds);
    int count_bits = 1; // CNTJWIDTH: clog2(r) + 1
    while ((1 << (count_bits - 1)) < p.num_chk()) {
        ++count_bits;
    }
    const int m = p.symbol_width;
    std::mt19937 random(static_cast<unsigned>(p.n_total * 7919 + p.k_data * 31 + p.max_erasures));
    std::uniform_int_distribution<int> symbol(0, field.nlong);
    std::uniform_int_distribution<int> nonzero(1, field.nlong);
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
        std::shuffle(positions.begin(), positions.end(), random);
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
        const RsDecoderModel::Result out = decoder.decode(word, erasures);
        const unsigned long long tuser =
            (static_cast<unsigned long long>(out.changed) << 1) | (out.failed ? 1U : 0U);
        for (int i = 0; i < p.n_total; ++i) {
            const auto at = static_cast<size_t>(i);
            const unsigned long long last = i == p.n_total - 1 ? 1 : 0;
            build.tb_in.push_back(hex_of(
                ((erased[at] ? 2ULL : 0ULL) | last) << m | static_cast<unsigned>(word[at]), m + 2));
            build.tb_out.push_back(
                hex_of((tuser << 1 | last) << m | static_cast<unsigned>(out.word[at]),
                       count_bits + 2 + m));
        }
    }
}

CoreBuild build_rs_decoder(const OptionValues& given, const std::string& header) {
    OptionValues values = given;
    const bool ccsds = flag(values, "ccsds");
    const int m = decimal(values, "symbol-width");
    const auto fill = [&](const std::string& name, int fallback) {
        values.try_emplace(name, std::to_string(fallback));
    };
    fill_rs_code_defaults(values, m, ccsds);
    fill("erasures", 0);
    fill("tb-words", 60);
    for (const auto& [letter, name] : switch_of) {
        decimal(values, name);
    }
    values.try_emplace("sync", "start-pulse");
    const std::string& sync = values.at("sync");
    if (sync != "start-pulse" && sync != "symbol-enable") {
        refuse("--sync " + sync + ": accepted: start-pulse or symbol-enable");
    }
    int option_bits = 0;
    for (const auto& [bit, name] : option_bit_of) {
        option_bits |= flag(values, name) ? bit : 0;
    }
    values.try_emplace("solver", "auto");
    const std::string& solver = values.at("solver");
    if (solver != "auto" && solver != "serial" && solver != "parallel") {
        refuse("--solver " + solver + ": accepted: auto, serial or parallel");
    }
    const int words = decimal(values, "tb-words");
    if (words < 1 || words > 100000) {
        refuse("--tb-words " + values.at("tb-words") + ": accepted: 1 to 100000");
    }
    const rs::DecoderParams params =
        checked_params(values, sync == "start-pulse" ? 0 : 1, option_bits, ccsds);
    if (ccsds && (params.symbol_width != 8 || params.field_poly != ccsds_field_poly)) {
        refuse("--ccsds: the CCSDS dual basis is defined over GF(256) with field polynomial "
               "391; accepted with --symbol-width 8 --field-poly 391");
    }

    const rs::GaloisField field = rs::build_field(params.symbol_width, params.field_poly);
    const auto with_header = [&](const auto& body) {
        StringSink text;
        text.write(header);
        body(text);
        return text.take();
    };
    const WordPeriod period = word_period(params, solver);
    CoreBuild build;
    const std::string code =
        "RS(" + std::to_string(params.n_total) + "," + std::to_string(params.k_data) + ")";
    build.name =
        "rs_decoder_" + std::to_string(params.n_total) + "_" + std::to_string(params.k_data);
    build.title =
        std::string(ccsds ? "CCSDS " : "") + "Reed-Solomon decoder " + code + " over GF(2^" +
        std::to_string(m) + ")" +
        (params.max_erasures > 0 ? ", up to " + std::to_string(params.max_erasures) + " erasures"
                                 : "");
    build.top = "rs_decoder_axis";
    build.tb_top = "tb_rs_decoder";
    build.library = "rs";

    StringSink multiplier;
    rs::write_multiplier(multiplier, field, params.first_root, params.rootspace, params.num_chk());
    // corrgen's order.
    build.generated = {
        {"gfinvrom.v", with_header([&](TextSink& out) { rs::write_gfinvrom(out, field); }),
         FileRole::rtl},
        {"gfromxp.v",
         with_header([&](TextSink& out) { rs::write_gfromxp(out, field, params.rootspace); }),
         FileRole::rtl},
        {"gfile", with_header([&](TextSink& out) {
             rs::write_gfile(out, field,
                             rs::generator_polynomial(field, params.first_root, params.rootspace,
                                                      params.num_chk()));
         }),
         FileRole::data},
        {"corrgen_params.v",
         with_header([&](TextSink& out) { rs::write_corrgen_params(out, params); }),
         FileRole::include},
        {"rs_decoder_solver.v",
         with_header([&](TextSink& out) { write_solver_choice(out, period, solver); }),
         FileRole::include},
        {"mastrovito.v", with_header([&](TextSink& out) { rs::write_mastrovito(out, field); }),
         FileRole::rtl},
        {"chiensearch.v",
         with_header([&](TextSink& out) { rs::write_chien_search(out, params, field); }),
         FileRole::rtl},
        {"errmag.v",
         with_header([&](TextSink& out) { rs::write_error_magnitude(out, params, field); }),
         FileRole::rtl},
        {"synd.v", with_header([&](TextSink& out) { rs::write_syndrome(out, params.num_chk()); }),
         FileRole::rtl},
        {"multiplier.v", multiplier.take(), FileRole::rtl},
    };

    build.command = {"ipgen", "rs-decoder"};
    for (const char* name :
         {"symbol-width", "n", "k", "field-poly", "first-root", "root-spacing", "erasures"}) {
        build.command.insert(build.command.end(), {std::string("--") + name, values.at(name)});
    }
    build.command.insert(build.command.end(), {"--sync", sync});
    for (const auto& [bit, name] : option_bit_of) {
        if ((option_bits & bit) != 0) {
            build.command.push_back(std::string("--") + name);
        }
    }
    if (ccsds) {
        build.command.push_back("--ccsds");
    }
    build.command.insert(build.command.end(),
                         {"--solver", solver, "--tb-words", values.at("tb-words")});

    const auto yes_no = [](bool b) { return std::string(b ? "yes" : "no"); };
    build.values = {
        {"symbol width m", values.at("symbol-width"), "bits per symbol, field GF(2^m)"},
        {"n", values.at("n"), "symbols per codeword"},
        {"k", values.at("k"), "data symbols per codeword"},
        {"field polynomial", values.at("field-poly"), "bit i is the coefficient of x^i"},
        {"first root", values.at("first-root"),
         "the code's roots are alpha^((first root + i) * root spacing)"},
        {"root spacing", values.at("root-spacing"), ""},
        {"erasures", values.at("erasures"), "most erasure flags per word (ERASURE); 0: none"},
        {"sync", sync, "start-pulse: SYNC_START_PULSE; symbol-enable: SYNC_DAT_SYMB_EN"},
        {"clock enable", yes_no((option_bits & 1) != 0), "CLK_ENABLED"},
        {"sync reset", yes_no((option_bits & 2) != 0), "SYNC_RST_ENABLED"},
        {"data delayed", yes_no((option_bits & 4) != 0), "DATA_DELAYED"},
        {"error count", yes_no((option_bits & 8) != 0), "ERR_CNT_ENABLED"},
        {"erasure count", yes_no((option_bits & 16) != 0), "ERS_CNT_ENABLED"},
        {"fail pin", yes_no((option_bits & 32) != 0), "FAILPIN"},
        {"CCSDS", yes_no(ccsds), "CCSDS: dual-basis symbols at the ports"},
        {"testbench words", values.at("tb-words"), "received words in tb_in.hex"},
        {"key-equation solver",
         (solver == "auto" ? "auto: " : "") + std::string(period.parallel ? "parallel" : "serial"),
         period.parallel ? "3T + 2 multipliers" : "three multipliers"},
        {"clocks per word", std::to_string(period.clocks),
         period.clocks == params.n_total
             ? "n: words back to back"
             : "words wait " + std::to_string(period.clocks - params.n_total) +
                   " clocks (s_axis_tready low)"},
    };
    add_vectors(build, field, params, words);
    build.tb_defines = {{"TB_N", std::to_string(params.n_total)},
                        {"TB_GAP", std::to_string(period.clocks - params.n_total)}};
    build.tb_seed = 7 + m;
    return build;
}

const CoreRegistration registration{CoreDescription{
    "rs-decoder",
    "rs_decoder",
    "Reed-Solomon decoder (errors and erasures, one symbol per clock, AXI4-Stream top)",
    with_options(
        rs_code_options("1 to 2^M-2, n-k of 2 or more", "the code's"),
        {
            {"erasures", "E",
             "most erasure flags per word (ERASURE); accepted: 0 (none) to n-k, 0 when n-k is "
             "below 3",
             "0"},
            {"sync", "MODE",
             "codeword framing of the native top: start-pulse (SYNC_START_PULSE) or "
             "symbol-enable (SYNC_DAT_SYMB_EN)",
             "start-pulse"},
            {"clock-enable", "", "a clock enable for the whole core (CLK_ENABLED)", "off"},
            {"sync-reset", "", "a synchronous reset input sr (SYNC_RST_ENABLED)", "off"},
            {"data-delayed", "", "the received symbol beside its corrected one (DATA_DELAYED)",
             "off"},
            {"error-count", "", "the count of corrected symbols (ERR_CNT_ENABLED)", "off"},
            {"erasure-count", "", "the count of erasure flags (ERS_CNT_ENABLED)", "off"},
            {"fail-pin", "", "a decoding-failure output (FAILPIN)", "off"},
            {"ccsds", "",
             "symbols at the ports in the CCSDS dual basis (CCSDS); needs --symbol-width 8 and "
             "--field-poly 391",
             "off"},
            {"solver", "KIND",
             "key-equation solver: serial (three multipliers; words wait while it needs more "
             "than n clocks), parallel (a step per one or two clocks, 3T + 2 multipliers, T = "
             "(n-k+E)/2) or "
             "auto (serial, unless CONTINUOUS needs the parallel one to run words back to back)",
             "auto"},
            {"tb-words", "W", "received words in the testbench vectors; accepted: 1 to 100000",
             "60"},
        }),
    "ipgen rs-decoder --symbol-width 8 --n 204 --k 188 --out rs_204_188",
    build_rs_decoder,
}};

} // namespace

} // namespace ipgen::front
