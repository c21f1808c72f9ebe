// ipgen viterbi: the Viterbi decoder core. The options become the lines of
// viterbi_params.v, which trellgen's library reads and checks as trellgen
// does (its refusals, with the option named); parameters.v is then what
// trellgen writes for the same file and device class. The testbench vectors
// come from our model of the core (viterbi_model.hpp).
#include "generators/common/fatal_error.hpp"
#include "generators/common/text_sink.hpp"
#include "ipgen/core_description.hpp"
#include "cores/viterbi/viterbi_interface.hpp"
#include "cores/viterbi/viterbi_model.hpp"
#include "ipgen/options.hpp"
#include "generators/trellgen/derived_values.hpp"
#include "generators/trellgen/parameters_file.hpp"
#include "generators/trellgen/params_validation.hpp"
#include "generators/trellgen/user_params.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>

namespace ipgen::front {

namespace {

using viterbi::CoreConfig;
using viterbi::Symbol;

// The option that gives each item of viterbi_params.v trellgen may refuse.
constexpr std::array<std::pair<const char*, const char*>, 10> option_of_item{{
    {viterbi::item::cons_length, "constraint-length"},
    {viterbi::item::code_rate, "polynomials"},
    {viterbi::item::polynomial, "polynomials"},
    {viterbi::item::soft_width, "soft-width"},
    {viterbi::item::pb_size, "puncture-block-size"},
    {viterbi::item::pp0, "puncture-patterns"},
    {viterbi::item::pp1, "puncture-patterns"},
    {viterbi::item::tb_length, "traceback-length"},
    {viterbi::item::hybrid_index, "hybrid-index"},
    {viterbi::item::ber_period, "ber-period"},
}};

// trellgen's refusal "trellgen: viterbi_params.v: <item> <value>: accepted:
// ..." as "ipgen: --<option> (<item>) <value>: accepted: ...".
[[noreturn]] void refuse_as_option(const FatalError& error) {
    std::string rest = error.message();
    const std::string head = std::string("trellgen: ") + viterbi::user_params_file_name + ": ";
    if (rest.starts_with(head)) {
        rest.erase(0, head.size());
    }
    for (const auto& [item, option] : option_of_item) {
        if (rest.starts_with(item)) {
            const size_t item_end = rest.find(' ', std::string_view(item).size());
            rest = "--" + std::string(option) + " (" + rest.substr(0, item_end) + ")" +
                   rest.substr(item_end);
            break;
        }
    }
    throw FatalError("ipgen: " + rest, refused_status);
}

bool is_decimal(const std::string& text) {
    const size_t digits = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return text.size() > digits &&
           text.find_first_not_of("0123456789", digits) == std::string::npos;
}

// The comma-separated words of an option value.
std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> list;
    size_t start = 0;
    for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1) {
        list.push_back(text.substr(start, comma - start));
    }
    list.push_back(text.substr(start));
    return list;
}

std::string joined(const std::vector<std::string>& list, const char* separator) {
    std::string text;
    for (const std::string& word : list) {
        text += (text.empty() ? "" : separator) + word;
    }
    return text;
}

bool flag(const OptionValues& values, const std::string& name, bool fallback) {
    const auto found = values.find(name);
    return found == values.end() ? fallback : found->second == "1";
}

// The option texts, checked to be single words of the kind their line holds
// (a blank would move every later item of the file).
struct ParamTexts {
    std::string k;
    std::vector<std::string> gp;
    bool soft = true;
    std::string soft_width;
    bool sdd_unsigned = false;
    std::vector<std::string> patterns; // empty: not punctured
    std::string pb_size;
    std::string tb;
    std::string hybrid_index; // empty: fully parallel
    std::string ber_period;   // empty: no BER monitor
    int device = 2;
};

ParamTexts option_texts(const OptionValues& given) {
    OptionValues values = given;
    const auto number = [&](const std::string& name, const std::string& fallback) {
        values.try_emplace(name, fallback);
        const std::string& text = values.at(name);
        if (!is_decimal(text)) {
            refuse("--" + name + " " + text + ": accepted: a decimal number");
        }
        return text;
    };
    ParamTexts t;
    t.k = number("constraint-length", "7");
    values.try_emplace("polynomials", "171,133");
    t.gp = words(values.at("polynomials"));
    for (const std::string& gp : t.gp) {
        if (gp.empty() || gp.find_first_not_of("0123456789") != std::string::npos) {
            refuse("--polynomials " + values.at("polynomials") +
                   ": accepted: octal polynomials separated by commas, e.g. 171,133");
        }
    }
    t.soft = flag(values, "soft-decision", true);
    t.sdd_unsigned = flag(values, "unsigned", false);
    if (!t.soft && (values.contains("soft-width") || t.sdd_unsigned)) {
        refuse(std::string(values.contains("soft-width") ? "--soft-width" : "--unsigned") +
               ": accepted with soft decision only (not with --no-soft-decision)");
    }
    t.soft_width = number("soft-width", "3");
    if (values.contains("puncture-patterns")) {
        t.patterns = words(values.at("puncture-patterns"));
        const bool one_word_each = std::all_of(t.patterns.begin(), t.patterns.end(), [](auto& p) {
            return !p.empty() && p.find_first_of(" \t\r\n\v\f") == std::string::npos;
        });
        if (t.patterns.size() != 2 || !one_word_each) {
            refuse("--puncture-patterns " + values.at("puncture-patterns") +
                   ": accepted: two patterns of 0 and 1 separated by a comma, e.g. 110,101");
        }
        t.pb_size = number("puncture-block-size", std::to_string(t.patterns[0].size()));
    } else if (values.contains("puncture-block-size")) {
        refuse("--puncture-block-size: accepted with --puncture-patterns only");
    }
    t.tb = number("traceback-length", "64");
    if (values.contains("hybrid-index")) {
        t.hybrid_index = number("hybrid-index", "");
    }
    if (values.contains("ber-period")) {
        t.ber_period = number("ber-period", "");
    }
    const std::string device = number("device", "2");
    if (device != "0" && device != "1" && device != "2") {
        refuse("--device " + device +
               ": accepted: 0 (another vendor), 1 (Quarry), 2 (Quarry KESTREL 4)");
    }
    t.device = device[0] - '0';
    return t;
}

// viterbi_params.v: one item per line, the value first, then its comment
// (the comment keeps the line end of items 1 to 8 from being skipped).
std::string user_params_text(const ParamTexts& t) {
    std::string text;
    const auto line = [&](const std::string& value, const std::string& comment) {
        text += value + "  // " + comment + "\n";
    };
    line(t.k, "constraint length K");
    line(std::to_string(t.gp.size()), "number of generator polynomials n (code rate 1/n)");
    for (size_t i = 0; i < t.gp.size(); ++i) {
        line(t.gp[i], "generator polynomial " + std::to_string(i) + ", octal");
    }
    line(t.soft ? "1" : "0", "soft decision (1) or hard decision (0)");
    if (t.soft) {
        line(t.soft_width, "soft width: bits per soft symbol");
        line(t.sdd_unsigned ? "1" : "0", "soft symbols unsigned (1) or signed (0)");
    }
    line(t.patterns.empty() ? "0" : "1", "punctured (1) or not (0)");
    if (!t.patterns.empty()) {
        line(t.pb_size, "puncture block size");
        line(t.patterns[0], "puncture pattern of symbol 0");
        line(t.patterns[1], "puncture pattern of symbol 1");
    }
    line(t.tb, "traceback length");
    line(t.hybrid_index.empty() ? "0" : "1", "hybrid (1) or fully parallel (0)");
    if (!t.hybrid_index.empty()) {
        line(t.hybrid_index, "hybrid index");
    }
    line(t.ber_period.empty() ? "0" : "1", "BER monitor present (1) or not (0)");
    if (!t.ber_period.empty()) {
        line(t.ber_period, "BER period exponent");
    }
    return text;
}

// What the core adds to trellgen's ranges: rate 1/2 or 1/3, a traceback
// the testbench can run through, a hybrid unit for at least two states,
// and puncture patterns that send a symbol at every step.
void check_core_limits(const viterbi::ViterbiUserParams& p) {
    if (p.code_rate < 2) {
        refuse("--polynomials " + std::to_string(p.gp[0]) +
               ": accepted by the core: 2 or 3 polynomials (rate 1/2 or 1/3)");
    }
    if (p.tb_length < 2 || p.tb_length > 1024) {
        refuse("--traceback-length " + std::to_string(p.tb_length) +
               ": accepted by the core: 2 to 1024");
    }
    // Index 0 (one state per unit, one clock per step) is the fully
    // parallel core.
    if (p.hybrid == 1 && (p.hybrid_index < 1 || p.hybrid_index > p.cons_length - 2)) {
        refuse("--hybrid-index " + std::to_string(p.hybrid_index) +
               ": accepted by the core: 1 to " + std::to_string(p.cons_length - 2) +
               " (K-2); without --hybrid-index the core is fully parallel");
    }
    if (p.punctured == 1 && p.code_rate == 2) {
        for (size_t i = 0; i < p.pp0.size(); ++i) {
            if (p.pp0[i] == '0' && p.pp1[i] == '0') {
                refuse("--puncture-patterns " + p.pp0 + "," + p.pp1 +
                       ": accepted by the core: at least one 1 in every column");
            }
        }
    }
}

CoreConfig core_config(const viterbi::ViterbiUserParams& p) {
    CoreConfig cfg;
    cfg.k = p.cons_length;
    cfg.n = p.code_rate;
    for (int i = 0; i < p.code_rate; ++i) {
        // octal digits read as a decimal number
        int value = 0;
        for (const char digit : std::to_string(p.gp[static_cast<size_t>(i)])) {
            value = value * 8 + (digit - '0');
        }
        cfg.gp[static_cast<size_t>(i)] = value;
    }
    cfg.soft = p.soft_decision == 1;
    cfg.soft_width = p.soft_width;
    cfg.sdd_unsigned = p.sdd_unsigned == 1;
    cfg.punctured = p.punctured == 1;
    cfg.pp0 = p.pp0;
    cfg.pp1 = p.pp1;
    cfg.tb = p.tb_length;
    cfg.hybrid = p.hybrid == 1;
    cfg.hybrid_index = p.hybrid_index;
    cfg.ber = p.ber_present == 1;
    cfg.ber_period = p.ber_period;
    cfg.device = p.device;
    return cfg;
}

std::string hex_of(std::uint64_t value, int bits) {
    const int digits = std::max(1, (bits + 3) / 4);
    std::string text(static_cast<size_t>(digits), '0');
    for (int d = 0; d < digits; ++d) {
        text[static_cast<size_t>(digits - 1 - d)] = "0123456789abcdef"[(value >> (4 * d)) & 15U];
    }
    return text;
}

// The testbench vectors: terminated blocks of random bits, the first sent
// without noise (it must come back exactly), the others through a noisy
// channel; lengths around the traceback chunk so that every flush length
// occurs. tb_in.hex: {tlast, tdata} per beat, the byte padding of tdata
// filled with noise the core must ignore; tb_out.hex: {tlast, bit} per
// decoded bit; tb_ber.hex: the BER monitor's window counts.
void make_vectors(const CoreConfig& cfg, unsigned seed, CoreBuild& build) {
    std::mt19937 rng(seed);
    const int chunk = 2 * ((cfg.tb + 1) / 2);
    // the last block long for small trellises, where simulation is cheap
    const int lengths[] = {3 * chunk + 5, 2, std::max(2, chunk - cfg.k + 1), 2 * chunk + 1,
                           std::max(chunk, 8192 >> (cfg.k - 1))};
    const int per_beat = cfg.punctured ? 1 : cfg.n;
    const int used = per_beat * cfg.din_width();
    const int in_width = (used + 7) / 8 * 8;
    viterbi::Channel noisy(cfg, cfg.punctured ? 3.0 : 1.0, viterbi::code_rate(cfg), seed);
    std::vector<int> all_errors;
    bool clean = true;
    for (const int length : lengths) {
        std::vector<int> bits(static_cast<size_t>(length + cfg.k - 1), 0);
        for (int i = 0; i < length; ++i) {
            bits[static_cast<size_t>(i)] = static_cast<int>(rng() & 1);
        }
        std::vector<Symbol> steps;
        for (const int c : viterbi::encode(cfg, bits)) {
            steps.push_back(clean ? Symbol{c != 0 ? cfg.top() : 0, false} : noisy.send(c));
        }
        clean = false;
        const std::vector<Symbol> sent = viterbi::puncture(cfg, steps);
        const viterbi::Decoded decoded = viterbi::decode_block(
            cfg, viterbi::depuncture(cfg, sent, static_cast<int>(bits.size())));
        for (size_t i = 0; i < sent.size(); i += static_cast<size_t>(per_beat)) {
            std::uint64_t data =
                in_width > used ? (rng() & ((std::uint64_t{1} << (in_width - used)) - 1)) << used
                                : 0;
            for (int j = 0; j < per_beat; ++j) {
                data |= static_cast<std::uint64_t>(
                            viterbi::input_code(cfg, sent[i + static_cast<size_t>(j)].conf))
                        << (j * cfg.din_width());
            }
            const bool last = i + static_cast<size_t>(per_beat) == sent.size();
            build.tb_in.push_back(
                hex_of((static_cast<std::uint64_t>(last) << in_width) | data, in_width + 1));
        }
        for (size_t i = 0; i < decoded.bits.size(); ++i) {
            const bool last = i + 1 == decoded.bits.size();
            build.tb_out.push_back(hex_of((static_cast<std::uint64_t>(last) << 1) |
                                              static_cast<unsigned>(decoded.bits[i]),
                                          2));
        }
        all_errors.insert(all_errors.end(), decoded.errors.begin(), decoded.errors.end());
    }
    if (cfg.ber) {
        std::string ber;
        int windows = 0;
        for (const int count : viterbi::ber_windows(cfg, all_errors)) {
            ber += hex_of(static_cast<std::uint64_t>(count), cfg.ber_period + 2) + "\n";
            ++windows;
        }
        // $readmemh needs a line even when no window completes
        build.generated.push_back({"tb_ber.hex", ber.empty() ? "0\n" : ber, FileRole::vectors});
        build.tb_defines.push_back({"TB_BER_WINDOWS", std::to_string(windows)});
    }
}

CoreBuild build_viterbi(const OptionValues& given, const std::string& /*header*/) {
    // Neither viterbi_params.v (its first line is the first item) nor
    // trellgen's parameters.v carries a header.
    const ParamTexts texts = option_texts(given);
    const std::string user_params = user_params_text(texts);
    viterbi::UserParamsReading reading = viterbi::parse_user_params(user_params);
    viterbi::ViterbiUserParams& p = reading.params;
    p.device = texts.device;
    try {
        viterbi::validate_user_params(reading);
    } catch (const FatalError& error) {
        refuse_as_option(error);
    }
    check_core_limits(p);
    StringSink parameters;
    viterbi::write_parameters(parameters, p, viterbi::derive_values(p).values);

    const CoreConfig cfg = core_config(p);
    CoreBuild build;
    build.name = "viterbi_k" + texts.k + "_" + joined(texts.gp, "_");
    const std::string symbols = cfg.soft ? texts.soft_width + "-bit " +
                                               (cfg.sdd_unsigned ? "unsigned" : "signed") +
                                               " soft decision"
                                         : std::string("hard decision");
    build.title =
        "Viterbi decoder K = " + texts.k + ", rate 1/" + std::to_string(cfg.n) + " (" +
        joined(texts.gp, ", ") + ")" +
        (cfg.punctured ? ", punctured " + cfg.pp0 + "/" + cfg.pp1 : "") + ", " + symbols +
        ", traceback " + texts.tb +
        (cfg.hybrid ? ", hybrid (index " + texts.hybrid_index + ")" : ", fully parallel") +
        (cfg.ber ? ", BER monitor" : "");
    build.top = "viterbi_axis";
    build.tb_top = "tb_viterbi";
    build.library = "viterbi";
    build.interface = viterbi_interface(cfg.punctured ? 1 : cfg.n, cfg.soft ? cfg.soft_width : 1,
                                        cfg.ber ? cfg.ber_period : 0);
    build.generated = {
        {viterbi::user_params_file_name, user_params, FileRole::data},
        {viterbi::parameters_file_name, parameters.take(), FileRole::include},
    };

    build.command = {"ipgen", "viterbi",       "--constraint-length",
                     texts.k, "--polynomials", joined(texts.gp, ",")};
    if (cfg.soft) {
        build.command.insert(
            build.command.end(),
            {"--soft-width", texts.soft_width, cfg.sdd_unsigned ? "--unsigned" : "--no-unsigned"});
    } else {
        build.command.push_back("--no-soft-decision");
    }
    if (cfg.punctured) {
        build.command.insert(build.command.end(), {"--puncture-patterns", cfg.pp0 + "," + cfg.pp1,
                                                   "--puncture-block-size", texts.pb_size});
    }
    build.command.insert(build.command.end(), {"--traceback-length", texts.tb});
    if (cfg.hybrid) {
        build.command.insert(build.command.end(), {"--hybrid-index", texts.hybrid_index});
    }
    if (cfg.ber) {
        build.command.insert(build.command.end(), {"--ber-period", texts.ber_period});
    }
    build.command.insert(build.command.end(), {"--device", std::to_string(cfg.device)});

    const std::array<const char*, 3> device_names{"another vendor (NONQUARRY_DEVICE)",
                                                  "Quarry (QUARRY_DEVICE)",
                                                  "Quarry KESTREL 4 (KESTREL4_DEVICE)"};
    build.values = {
        {"constraint length K", texts.k, "CONS_LENGTH"},
        {"polynomials", joined(texts.gp, ", "), "octal, GP0 .. (rate 1/n: CODE_RATE)"},
        {"symbols", symbols, cfg.soft ? "SOFT_DECISION, SOFT_WIDTH" : "HARD_DECISION"},
        {"punctured", cfg.punctured ? "PP0 " + cfg.pp0 + ", PP1 " + cfg.pp1 : "no",
         "PUNCTURED, PB_SIZE, PP0, PP1"},
        {"traceback length", texts.tb, "TB_LENGTH"},
        {"architecture", cfg.hybrid ? "hybrid, index " + texts.hybrid_index : "fully parallel",
         cfg.hybrid ? "IMP_HYBRID: one step per 2^HYBRID_INDEX clocks"
                    : "IMP_PARALLEL: one step per clock"},
        {"BER monitor", cfg.ber ? "2^" + texts.ber_period + " - 1 bits per window" : "no",
         "BER_PRESENT, BER_PERIOD"},
        {"device class", std::to_string(cfg.device),
         device_names[static_cast<size_t>(cfg.device)] + std::string(": memory style only")},
    };

    const auto seed = static_cast<unsigned>(11 + cfg.k * 7 + cfg.tb);
    make_vectors(cfg, seed, build);
    build.tb_seed = static_cast<int>(seed);
    return build;
}

const CoreRegistration registration{CoreDescription{
    "viterbi",
    "viterbi",
    "Viterbi decoder (rate 1/2 or 1/3, K = 3 to 9, hard or soft, AXI4-Stream top)",
    {
        {"constraint-length", "K", "constraint length; accepted: 3 to 9", "7"},
        {"polynomials", "P0,P1[,P2]",
         "the generator polynomials in octal, separated by commas (2 or 3: rate 1/2 or 1/3); "
         "each below 2^K",
         "171,133"},
        {"soft-decision", "",
         "soft-decision input symbols of --soft-width bits; --no-soft-decision: hard (1 bit)", "on",
         true},
        {"soft-width", "SW", "bits per soft symbol; accepted: 1 to 16", "3"},
        {"unsigned", "",
         "unsigned soft symbols (0 a sure 0, 2^SW-1 a sure 1); --no-unsigned: signed "
         "(-2^(SW-1) a sure 0, 2^(SW-1)-1 a sure 1)",
         "off (signed)", true},
        {"puncture-patterns", "PP0,PP1",
         "puncture the code: which steps of a block send symbol 0 and symbol 1 (1 = sent, "
         "leftmost first), e.g. 11,10 (rate 2/3) or 110,101 (rate 3/4)",
         "not punctured"},
        {"puncture-block-size", "PB",
         "steps per puncture block; accepted: 1 to 14, the length of each pattern",
         "the length of the patterns"},
        {"traceback-length", "TB",
         "traceback length; accepted: 2 to 1024 (2 to 256 for device class 0)", "64"},
        {"hybrid-index", "HI",
         "hybrid add-compare-select: 2^(K-1-HI) units, one step per 2^HI clocks; accepted: 1 "
         "to K-2",
         "fully parallel (one step per clock)"},
        {"ber-period", "BP",
         "add the channel BER monitor, counting over 2^BP - 1 bits; accepted: 1 to 32",
         "no monitor"},
        {"device", "D",
         "device class: 0 another vendor, 1 Quarry, 2 Quarry KESTREL 4 (the survivor memory's "
         "style only, never the result)",
         "2"},
    },
    "ipgen viterbi --constraint-length 7 --polynomials 171,133 --soft-width 3 "
    "--traceback-length 64 --out viterbi_k7",
    build_viterbi,
}};

} // namespace

} // namespace ipgen::front
