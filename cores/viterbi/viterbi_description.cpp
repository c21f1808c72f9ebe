// ipgen viterbi: the Viterbi decoder core. The options are declared with
// their kinds and ranges; the check adds what the core needs beyond
// trellgen's ranges (rate 1/2 or 1/3, codes that protect anything, a
// traceback the testbench runs through, a hybrid unit of two states or
// more) and trellgen's own checks on the record, each problem tied to its
// option. The folder's viterbi_params.v and parameters.v are trellgen's
// texts for that record. The testbench vectors come from our model of the
// core (viterbi_model.hpp).
#include "cores/viterbi/viterbi_beats.hpp"
#include "cores/viterbi/viterbi_interface.hpp"
#include "cores/viterbi/viterbi_model.hpp"
#include "generators/common/named_text.hpp"
#include "generators/trellgen/parameters_file.hpp"
#include "generators/trellgen/params_validation.hpp"
#include "generators/trellgen/user_params.hpp"
#include "ipgen/core_description.hpp"
#include "ipgen/options.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <stdexcept>

namespace ipgen::front {

namespace {

using viterbi::CoreConfig;
using viterbi::Symbol;

const std::vector<Option>& options();

const Option& option(const std::string& name) {
    for (const Option& o : options()) {
        if (o.name == name) {
            return o;
        }
    }
    throw std::logic_error("viterbi has no option --" + name);
}

// The option's value as ipgen writes it back (octal lists in octal).
std::string shown(const Config& config, const std::string& name) {
    const Value* value = config.find(name);
    return value != nullptr ? value_text(option(name), *value) : "";
}

std::string octal(std::int64_t value) {
    return value_text(option("polynomials"), Value{std::vector<std::int64_t>{value}});
}

// The two patterns of --puncture-patterns, or nullopt when the text is not
// two equally long words of 0 and 1 (the block size bounds them: 1 to 14).
std::optional<std::pair<std::string, std::string>> patterns(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    std::pair<std::string, std::string> pp{text.substr(0, comma), text.substr(comma + 1)};
    const auto binary = [](const std::string& p) {
        return !p.empty() && p.size() <= 14 && p.find_first_not_of("01") == std::string::npos;
    };
    if (!binary(pp.first) || !binary(pp.second) || pp.first.size() != pp.second.size()) {
        return std::nullopt;
    }
    return pp;
}

// trellgen's record of a configuration the check has filled: the
// polynomials as their octal digits read as a decimal number, the way
// viterbi_params.v holds them.
viterbi::ViterbiUserParams record(const Config& config) {
    viterbi::ViterbiUserParams p;
    p.cons_length = static_cast<int>(config.integer("constraint-length"));
    const std::vector<std::int64_t>& gp = config.list("polynomials");
    p.code_rate = static_cast<int>(gp.size());
    for (std::size_t i = 0; i < gp.size() && i < p.gp.size(); ++i) {
        p.gp[i] = std::stoi(octal(gp[i]));
    }
    p.soft_decision = config.flag("soft-decision") ? 1 : 0;
    if (p.soft_decision == 1) {
        p.soft_width = static_cast<int>(config.integer("soft-width"));
        p.sdd_unsigned = config.flag("unsigned") ? 1 : 0;
    }
    if (config.has("puncture-patterns")) {
        p.punctured = 1;
        p.pb_size = static_cast<int>(config.integer("puncture-block-size"));
        if (const auto pp = patterns(config.text("puncture-patterns"))) {
            p.pp0 = pp->first;
            p.pp1 = pp->second;
        }
    }
    p.tb_length = static_cast<int>(config.integer("traceback-length"));
    if (config.has("hybrid-index")) {
        p.hybrid = 1;
        p.hybrid_index = static_cast<int>(config.integer("hybrid-index"));
    }
    if (config.has("ber-period")) {
        p.ber_present = 1;
        p.ber_period = static_cast<int>(config.integer("ber-period"));
        p.ber_rate = viterbi::ber_rate_for(p.ber_period);
    }
    p.device = static_cast<int>(config.integer("device"));
    return p;
}

// The option behind each item of viterbi_params.v.
std::string option_of(viterbi::Item item) {
    switch (item) {
    case viterbi::Item::cons_length:
        return "constraint-length";
    case viterbi::Item::code_rate:
    case viterbi::Item::polynomial:
        return "polynomials";
    case viterbi::Item::soft_decision:
        return "soft-decision";
    case viterbi::Item::soft_width:
        return "soft-width";
    case viterbi::Item::sdd_unsigned:
        return "unsigned";
    case viterbi::Item::punctured:
    case viterbi::Item::pp0:
    case viterbi::Item::pp1:
        return "puncture-patterns";
    case viterbi::Item::pb_size:
        return "puncture-block-size";
    case viterbi::Item::tb_length:
        return "traceback-length";
    case viterbi::Item::hybrid:
    case viterbi::Item::hybrid_index:
        return "hybrid-index";
    case viterbi::Item::ber_present:
    case viterbi::Item::ber_period:
        return "ber-period";
    }
    return "";
}

// "1 bit", "2 bits"
std::string counted(int count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// The code must protect something: every polynomial taps the register,
// together they reach both ends of it (else the code is one of a shorter
// constraint length, and the core's state count is wrong for it), no two
// send the same symbols, and puncturing leaves more symbols than bits.
void check_code(const Config& config, Problems& problems) {
    const int k = static_cast<int>(config.integer("constraint-length"));
    const std::vector<std::int64_t>& gp = config.list("polynomials");
    const auto refuse_gp = [&](const std::string& why, const std::string& accepted) {
        problems.push_back({"polynomials", shown(config, "polynomials"), why, accepted});
    };
    if (gp.size() < 2 || gp.size() > 3) {
        refuse_gp(counted(static_cast<int>(gp.size()), "polynomial") +
                      ": the core decodes rate 1/2 or 1/3",
                  "2 or 3 polynomials");
        return;
    }
    std::int64_t taps = 0;
    for (std::size_t i = 0; i < gp.size(); ++i) {
        if (gp[i] >= (std::int64_t{1} << k)) {
            refuse_gp("polynomial " + octal(gp[i]) + " has taps beyond K = " + std::to_string(k) +
                          " bits",
                      "each below 2^K = " + octal(std::int64_t{1} << k) + " (octal)");
            return;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (gp[j] == gp[i]) {
                refuse_gp("polynomial " + octal(gp[i]) +
                              " twice: its symbols repeat and add no protection",
                          "distinct polynomials");
                return;
            }
        }
        taps |= gp[i];
    }
    const std::int64_t newest = std::int64_t{1} << (k - 1);
    if ((taps & newest) == 0 || (taps & 1) == 0) {
        refuse_gp(
            std::string("no polynomial taps the ") + ((taps & newest) == 0 ? "newest" : "oldest") +
                " bit of the K = " + std::to_string(k) +
                " register: the code has a shorter constraint length",
            "a set with bit 0 (1) and bit K-1 (" + octal(newest) + ") each in some polynomial");
        return;
    }
    if (!config.has("puncture-patterns")) {
        return;
    }
    const auto pp = patterns(config.text("puncture-patterns"));
    if (!pp) {
        return; // refused with the option
    }
    const int block = static_cast<int>(pp->first.size());
    const int sent = static_cast<int>(std::count(pp->first.begin(), pp->first.end(), '1') +
                                      std::count(pp->second.begin(), pp->second.end(), '1')) +
                     (gp.size() == 3 ? block : 0);
    const auto refuse_pp = [&](const std::string& why, const std::string& accepted) {
        problems.push_back({"puncture-patterns", config.text("puncture-patterns"), why, accepted});
    };
    if (sent <= block) {
        refuse_pp(counted(sent, "symbol") + " sent per " + counted(block, "bit") +
                      ": a rate of 1 or more protects nothing",
                  "patterns that send more symbols than the block has bits");
        return;
    }
    if (gp.size() == 2) {
        for (int i = 0; i < block; ++i) {
            if (pp->first[static_cast<std::size_t>(i)] == '0' &&
                pp->second[static_cast<std::size_t>(i)] == '0') {
                refuse_pp("step " + std::to_string(i) + " sends no symbol",
                          "at least one 1 in every column at rate 1/2");
                return;
            }
        }
    }
}

Problems check_viterbi(Config& config) {
    Problems problems;
    const bool soft = config.flag("soft-decision");
    for (const char* name : {"soft-width", "unsigned"}) {
        if (!soft && config.given(name) &&
            (std::string(name) == "soft-width" || config.flag(name))) {
            problems.push_back({name,
                                option(name).kind == OptionKind::flag
                                    ? std::nullopt
                                    : std::optional(shown(config, name)),
                                "hard-decision input has no soft symbols",
                                "--" + std::string(name) +
                                    " with soft decision only (not with "
                                    "--no-soft-decision)"});
        }
    }
    if (soft) {
        config.set_default("soft-width", std::int64_t{3});
        config.set_default("unsigned", false);
    }
    if (config.has("puncture-patterns")) {
        const std::string& text = config.text("puncture-patterns");
        if (const auto pp = patterns(text)) {
            const auto length = static_cast<std::int64_t>(pp->first.size());
            config.set_default("puncture-block-size", length);
            if (config.integer("puncture-block-size") != length) {
                problems.push_back({"puncture-block-size", shown(config, "puncture-block-size"),
                                    "the patterns are " + std::to_string(length) + " steps long",
                                    "the length of the patterns, " + std::to_string(length)});
            }
        } else {
            problems.push_back({"puncture-patterns", text, "not two patterns of one length",
                                option("puncture-patterns").accepted});
        }
    } else if (config.given("puncture-block-size")) {
        problems.push_back({"puncture-block-size", shown(config, "puncture-block-size"),
                            "there is no puncturing to size",
                            "--puncture-block-size with --puncture-patterns only"});
    }
    check_code(config, problems);
    const std::int64_t k = config.integer("constraint-length");
    if (config.has("hybrid-index") && config.integer("hybrid-index") > k - 2) {
        problems.push_back(
            {"hybrid-index", shown(config, "hybrid-index"),
             "the hybrid unit needs two states or more (K = " + std::to_string(k) + ")",
             "1 to K-2 = " + std::to_string(k - 2) +
                 "; without --hybrid-index the core is fully parallel"});
    }
    if (config.integer("device") == 0 && config.integer("traceback-length") > 256) {
        problems.push_back({"traceback-length", shown(config, "traceback-length"),
                            "device class 0 addresses the survivor memory with 8 - L(TB) bits",
                            "2 to 256 with --device 0"});
    }
    if (!problems.empty()) {
        return problems;
    }
    // trellgen's own ranges on the record (within the declarations they
    // hold; a problem here is tied to its option all the same).
    for (const viterbi::Problem& problem : viterbi::check(record(config))) {
        const std::string name = option_of(problem.item);
        problems.push_back({name,
                            config.has(name) ? std::optional(shown(config, name)) : std::nullopt,
                            std::string(viterbi::user_params_file_name) + " " +
                                problem.item_name() + " " + problem.value,
                            problem.accepted});
    }
    return problems;
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

unsigned seed_of(const CoreConfig& cfg) {
    return static_cast<unsigned>(11 + cfg.k * 7 + cfg.tb);
}

TbVectors viterbi_vectors(const Config& config) {
    const CoreConfig cfg = core_config(record(config));
    CoreBuild build;
    make_vectors(cfg, seed_of(cfg), build);
    build.tb_out = viterbi_beats(config, build.tb_in);
    return {std::move(build.tb_in), std::move(build.tb_out), std::move(build.tb_defines),
            static_cast<int>(seed_of(cfg))};
}

CoreBuild generate_viterbi(const Config& config, const std::string& /*header*/) {
    // Neither viterbi_params.v (its first line is the first item) nor
    // trellgen's parameters.v carries a header.
    const viterbi::ViterbiUserParams p = record(config);
    const CoreConfig cfg = core_config(p);
    CoreBuild build;
    build.generated.push_back(
        {viterbi::user_params_file_name, viterbi::user_params_text(p), FileRole::data});
    for (NamedText& file : viterbi::write(p)) {
        build.generated.push_back({std::move(file.name), std::move(file.text), FileRole::include});
    }
    if (cfg.ber) {
        // tb_ber.hex: the BER monitor's window counts over the vectors' run
        CoreBuild run;
        make_vectors(cfg, seed_of(cfg), run);
        build.generated.insert(build.generated.end(), run.generated.begin(), run.generated.end());
    }

    const std::vector<std::int64_t>& gp = config.list("polynomials");
    std::string names;
    std::string listed;
    for (const std::int64_t g : gp) {
        names += "_" + octal(g);
        listed += (listed.empty() ? "" : ", ") + octal(g);
    }
    const std::string k = std::to_string(cfg.k);
    build.name = "viterbi_k" + k + names;
    const std::string symbols = cfg.soft ? std::to_string(cfg.soft_width) + "-bit " +
                                               (cfg.sdd_unsigned ? "unsigned" : "signed") +
                                               " soft decision"
                                         : std::string("hard decision");
    build.title = "Viterbi decoder K = " + k + ", rate 1/" + std::to_string(cfg.n) + " (" + listed +
                  ")" + (cfg.punctured ? ", punctured " + cfg.pp0 + "/" + cfg.pp1 : "") + ", " +
                  symbols + ", traceback " + std::to_string(cfg.tb) +
                  (cfg.hybrid ? ", hybrid (index " + std::to_string(cfg.hybrid_index) + ")"
                              : ", fully parallel") +
                  (cfg.ber ? ", BER monitor" : "");
    build.top = "viterbi_axis";
    build.tb_top = "tb_viterbi";
    build.library = "viterbi";
    build.interface = viterbi_interface(cfg.punctured ? 1 : cfg.n, cfg.soft ? cfg.soft_width : 1,
                                        cfg.ber ? cfg.ber_period : 0);

    const std::array<const char*, 3> device_names{"another vendor (NONQUARRY_DEVICE)",
                                                  "Quarry (QUARRY_DEVICE)",
                                                  "Quarry KESTREL 4 (KESTREL4_DEVICE)"};
    int sent = cfg.n;
    int block = 1;
    if (cfg.punctured) {
        block = static_cast<int>(cfg.pp0.size());
        sent = static_cast<int>(std::count(cfg.pp0.begin(), cfg.pp0.end(), '1') +
                                std::count(cfg.pp1.begin(), cfg.pp1.end(), '1')) +
               (cfg.n == 3 ? block : 0);
    }
    build.values = {
        {"code rate", std::to_string(block) + "/" + std::to_string(sent),
         cfg.punctured ? "CODE_RATE 1/" + std::to_string(cfg.n) + ", punctured (PB_SIZE, PP0, PP1)"
                       : "CODE_RATE"},
        {"symbols", symbols, cfg.soft ? "SOFT_DECISION, SOFT_WIDTH" : "HARD_DECISION"},
        {"architecture",
         cfg.hybrid ? "hybrid, index " + std::to_string(cfg.hybrid_index) : "fully parallel",
         cfg.hybrid ? "IMP_HYBRID: one step per 2^HYBRID_INDEX clocks"
                    : "IMP_PARALLEL: one step per clock"},
        {"BER monitor",
         cfg.ber ? "2^" + std::to_string(cfg.ber_period) + " - 1 bits per window" : "no",
         "BER_PRESENT, BER_PERIOD"},
        {"device class", std::to_string(cfg.device),
         device_names[static_cast<size_t>(cfg.device)] + std::string(": memory style only")},
    };
    return build;
}

const std::vector<Option>& options() {
    static const std::vector<Option> declared{
        {.name = "constraint-length",
         .kind = OptionKind::integer,
         .value_name = "K",
         .help = "constraint length (CONS_LENGTH)",
         .min = 3,
         .max = 9,
         .default_value = Value{std::int64_t{7}}},
        {.name = "polynomials",
         .kind = OptionKind::octal_list,
         .value_name = "P0,P1[,P2]",
         .help = "the generator polynomials in octal, bit K-1 the newest input (2: rate 1/2, 3: "
                 "rate 1/3)",
         .min = 1,
         .max = 0777,
         .default_value = Value{std::vector<std::int64_t>{0171, 0133}},
         .accepted = "2 or 3, distinct, each below 2^K, bit 0 and bit K-1 each in some "
                     "polynomial"},
        {.name = "soft-decision",
         .kind = OptionKind::flag,
         .help = "soft-decision input symbols of --soft-width bits; --no-soft-decision: hard (1 "
                 "bit; --soft-width and --unsigned are refused with it)",
         .default_value = Value{true},
         .negatable = true},
        {.name = "soft-width",
         .kind = OptionKind::integer,
         .value_name = "SW",
         .help = "bits per soft symbol (SOFT_WIDTH)",
         .min = 1,
         .max = 16,
         .default_rule = "3 with soft decision; none with --no-soft-decision"},
        {.name = "unsigned",
         .kind = OptionKind::flag,
         .help = "unsigned soft symbols (0 a sure 0, 2^SW-1 a sure 1); --no-unsigned: signed "
                 "(-2^(SW-1) a sure 0, 2^(SW-1)-1 a sure 1)",
         .default_rule = "off (signed) with soft decision; none with --no-soft-decision",
         .negatable = true},
        {.name = "puncture-patterns",
         .kind = OptionKind::text,
         .value_name = "PP0,PP1",
         .help = "puncture the code: which steps of a block send symbol 0 and symbol 1 (1 = "
                 "sent, leftmost first), e.g. 11,10 (rate 2/3) or 110,101 (rate 3/4)",
         .default_rule = "not punctured",
         .accepted = "two patterns of 0 and 1 of one length (1 to 14) separated by a comma, "
                     "sending more symbols than the block has bits and, at rate 1/2, at least "
                     "one 1 in every column"},
        {.name = "puncture-block-size",
         .kind = OptionKind::integer,
         .value_name = "PB",
         .help = "steps per puncture block (PB_SIZE); with --puncture-patterns only",
         .min = 1,
         .max = 14,
         .default_rule = "the length of the patterns",
         .accepted = "the length of the patterns"},
        {.name = "traceback-length",
         .kind = OptionKind::integer,
         .value_name = "TB",
         .help = "traceback length (TB_LENGTH)",
         .min = 2,
         .max = 1024,
         .default_value = Value{std::int64_t{64}},
         .accepted = "2 to 256 with --device 0"},
        {.name = "hybrid-index",
         .kind = OptionKind::integer,
         .value_name = "HI",
         .help = "hybrid add-compare-select: 2^(K-1-HI) units, one step per 2^HI clocks",
         .min = 1,
         .max = 7,
         .default_rule = "fully parallel (one step per clock)",
         .accepted = "at most K-2"},
        {.name = "ber-period",
         .kind = OptionKind::integer,
         .value_name = "BP",
         .help = "add the channel BER monitor, counting over 2^BP - 1 bits",
         .min = 1,
         .max = 32,
         .default_rule = "no monitor"},
        {.name = "device",
         .kind = OptionKind::integer,
         .value_name = "D",
         .help = "device class: 0 another vendor, 1 Quarry, 2 Quarry KESTREL 4 (the survivor "
                 "memory's style only, never the result)",
         .min = 0,
         .max = 2,
         .default_value = Value{std::int64_t{2}}},
    };
    return declared;
}

const CoreRegistration registration{CoreDefinition{
    .name = "viterbi",
    .source_dir = "viterbi",
    .summary = "Viterbi decoder (rate 1/2 or 1/3, K = 3 to 9, hard or soft, AXI4-Stream top)",
    .options = options(),
    .example = "ipgen viterbi --constraint-length 7 --polynomials 171,133 --soft-width 3 "
               "--traceback-length 64 --out viterbi_k7",
    .check = check_viterbi,
    .generate = generate_viterbi,
    .vectors = viterbi_vectors,
    .model = viterbi_beats,
}};

} // namespace

viterbi::CoreConfig viterbi_model_config(const Config& config) {
    return core_config(record(config));
}

} // namespace ipgen::front
