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
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
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

using PatternPair = std::pair<std::string, std::string>;

// A published code: K, the polynomials in output order, the outputs the
// transmitter inverts (bit i: polynomial i) and the rates a block may
// choose, by name, leftmost pattern character the first step, the first
// pattern the first polynomial's ("1","1": rate 1/2, nothing punctured).
struct Preset {
    const char* name;
    int k;
    std::vector<std::int64_t> polynomials;
    int invert;
    std::vector<std::pair<std::string, PatternPair>> rates;
    bool continuous; // the standard's framing (--stream may override it)
};

const std::vector<Preset>& presets() {
    static const std::vector<std::pair<std::string, PatternPair>> dvb_rates{
        {"1/2", {"1", "1"}},         {"2/3", {"10", "11"}},           {"3/4", {"101", "110"}},
        {"5/6", {"10101", "11010"}}, {"7/8", {"1000101", "1111010"}},
    };
    static const std::vector<Preset> all{
        {"802.11",
         7,
         {0133, 0171},
         0,
         {{"1/2", {"1", "1"}}, {"2/3", {"11", "10"}}, {"3/4", {"110", "101"}}},
         false},
        {"dvb-s", 7, {0171, 0133}, 0, dvb_rates, true},
        {"ccsds", 7, {0171, 0133}, 2, dvb_rates, true},
        {"gsm", 5, {023, 033}, 0, {{"1/2", {"1", "1"}}}, false},
    };
    return all;
}

const Preset* preset_of(const Config& config) {
    if (!config.has("standard")) {
        return nullptr;
    }
    for (const Preset& p : presets()) {
        if (config.choice("standard") == p.name) {
            return &p;
        }
    }
    return nullptr;
}

// The pairs of --puncture-set NAME=PP0,PP1 (repeated), in order; nullopt
// and `bad` set to the first item that is no NAME=PP0,PP1.
std::optional<std::vector<std::pair<std::string, PatternPair>>>
puncture_sets(const std::string& text, std::string& bad) {
    std::vector<std::pair<std::string, PatternPair>> sets;
    std::istringstream items(text);
    for (std::string item; items >> item;) {
        const std::size_t eq = item.find('=');
        const auto pp = eq == std::string::npos ? std::nullopt : patterns(item.substr(eq + 1));
        if (eq == 0 || !pp) {
            bad = item;
            return std::nullopt;
        }
        sets.push_back({item.substr(0, eq), *pp});
    }
    if (sets.empty()) {
        bad = text;
        return std::nullopt;
    }
    return sets;
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
    } else if (config.has("puncture-set")) {
        // the first pair is trellgen's; the core holds them all
        std::string bad;
        if (const auto sets = puncture_sets(config.text("puncture-set"), bad);
            sets && !sets->empty()) {
            p.punctured = 1;
            p.pp0 = sets->front().second.first;
            p.pp1 = sets->front().second.second;
            p.pb_size = static_cast<int>(p.pp0.size());
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

// A pattern pair must leave more symbols than bits and, at rate 1/2, send
// a symbol at every step. False when refused.
bool check_pair(const PatternPair& pp, std::size_t polynomials, const std::string& option,
                const std::string& value, Problems& problems) {
    const int block = static_cast<int>(pp.first.size());
    const int sent = static_cast<int>(std::count(pp.first.begin(), pp.first.end(), '1') +
                                      std::count(pp.second.begin(), pp.second.end(), '1')) +
                     (polynomials == 3 ? block : 0);
    const auto refuse_pp = [&](const std::string& why, const std::string& accepted) {
        problems.push_back({option, value, why, accepted});
    };
    if (sent <= block) {
        refuse_pp(counted(sent, "symbol") + " sent per " + counted(block, "bit") +
                      ": a rate of 1 or more protects nothing",
                  "patterns that send more symbols than the block has bits");
        return false;
    }
    if (polynomials == 2) {
        for (int i = 0; i < block; ++i) {
            if (pp.first[static_cast<std::size_t>(i)] == '0' &&
                pp.second[static_cast<std::size_t>(i)] == '0') {
                refuse_pp("step " + std::to_string(i) + " sends no symbol",
                          "at least one 1 in every column at rate 1/2");
                return false;
            }
        }
    }
    return true;
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
    if (config.has("puncture-patterns")) {
        if (const auto pp = patterns(config.text("puncture-patterns"))) {
            check_pair(*pp, gp.size(), "puncture-patterns", config.text("puncture-patterns"),
                       problems);
        }
    }
    std::string bad;
    if (config.has("puncture-set")) {
        if (const auto sets = puncture_sets(config.text("puncture-set"), bad)) {
            for (const auto& [name, pp] : *sets) {
                if (!check_pair(pp, gp.size(), "puncture-set",
                                name + "=" + pp.first + "," + pp.second, problems)) {
                    return;
                }
            }
        }
    }
}

// The rate of a pattern pair: steps per symbols sent.
double pair_rate(const PatternPair& pp, std::size_t polynomials) {
    const auto block = static_cast<double>(pp.first.size());
    const auto sent = static_cast<double>(std::count(pp.first.begin(), pp.first.end(), '1') +
                                          std::count(pp.second.begin(), pp.second.end(), '1')) +
                      (polynomials == 3 ? block : 0.0);
    return block / sent;
}

// The default traceback: 64 steps, the rule of about 5 K for rate 1/2
// with room to spare up to K = 9; a punctured code needs more, since its
// paths separate more slowly (fewer symbols per step): 32 / (1 - R) for
// the highest rate R the core decodes, rounded up to a multiple of 8 (2/3:
// 96, 3/4: 128, 5/6: 192, 7/8: 256), never below 64.
std::int64_t default_traceback(const Config& config) {
    const std::size_t n = config.list("polynomials").size();
    double rate = 1.0 / static_cast<double>(n);
    if (config.has("puncture-patterns")) {
        if (const auto pp = patterns(config.text("puncture-patterns"))) {
            rate = pair_rate(*pp, n);
        }
    }
    std::string bad;
    if (config.has("puncture-set")) {
        if (const auto sets = puncture_sets(config.text("puncture-set"), bad)) {
            for (const auto& set : *sets) {
                rate = std::max(rate, pair_rate(set.second, n));
            }
        }
    }
    if (rate >= 1.0) {
        return 64; // refused elsewhere
    }
    const auto steps = static_cast<std::int64_t>(std::ceil(32.0 / (1.0 - rate) - 1e-9));
    return std::max<std::int64_t>(64, (steps + 7) / 8 * 8);
}

// --standard: fills K, the polynomials, the inverted outputs and the rates
// a block may choose, and refuses values given that differ from the
// published code.
void apply_standard(Config& config, Problems& problems) {
    const Preset* preset = preset_of(config);
    if (preset == nullptr) {
        return;
    }
    const std::string named = "--standard " + std::string(preset->name);
    if (preset->continuous && !config.given("stream")) {
        config.set_given("stream", Value{std::string("continuous")});
    }
    const auto differs = [&](const std::string& name, const Value& value, const std::string& what) {
        if (config.given(name) && *config.find(name) != value) {
            problems.push_back({name, shown(config, name),
                                "the " + std::string(preset->name) + " code has " + what,
                                "that value, or none, with " + named});
        }
        config.set_given(name, value);
    };
    differs("constraint-length", Value{std::int64_t{preset->k}},
            "K = " + std::to_string(preset->k));
    std::string listed;
    for (const std::int64_t g : preset->polynomials) {
        listed += (listed.empty() ? "" : ",") + octal(g);
    }
    differs("polynomials", Value{preset->polynomials}, "the polynomials " + listed);
    std::vector<std::int64_t> inverted;
    for (int i = 0; i < 3; ++i) {
        if (((preset->invert >> i) & 1) != 0) {
            inverted.push_back(i);
        }
    }
    if (!inverted.empty()) {
        differs("invert-outputs", Value{inverted},
                "output " + std::to_string(inverted.front()) + " inverted");
    } else if (config.given("invert-outputs")) {
        problems.push_back({"invert-outputs", shown(config, "invert-outputs"),
                            "the " + std::string(preset->name) + " code inverts no output",
                            "none with " + named});
    }
    const auto published = [&](const PatternPair& pp) {
        return std::any_of(preset->rates.begin(), preset->rates.end(),
                           [&](const auto& rate) { return rate.second == pp; });
    };
    std::string rates;
    for (const auto& [name, pp] : preset->rates) {
        rates += (rates.empty() ? "" : ", ") + name + "=" + pp.first + "," + pp.second;
    }
    if (config.has("puncture-patterns")) {
        const auto pp = patterns(config.text("puncture-patterns"));
        if (pp && !published(*pp)) {
            problems.push_back({"puncture-patterns", config.text("puncture-patterns"),
                                "not a rate of the " + std::string(preset->name) + " code",
                                "one of its pairs: " + rates});
        }
        return;
    }
    if (config.has("puncture-set")) {
        std::string bad;
        if (const auto sets = puncture_sets(config.text("puncture-set"), bad)) {
            for (const auto& [name, pp] : *sets) {
                if (!published(pp)) {
                    problems.push_back({"puncture-set", name + "=" + pp.first + "," + pp.second,
                                        "not a rate of the " + std::string(preset->name) + " code",
                                        "its pairs: " + rates});
                    return;
                }
            }
        }
        return;
    }
    if (preset->rates.size() > 1) {
        std::string all;
        for (const auto& [name, pp] : preset->rates) {
            all += (all.empty() ? "" : " ") + name + "=" + pp.first + "," + pp.second;
        }
        config.set_default("puncture-set", Value{all});
    }
}

Problems check_viterbi(Config& config) {
    Problems problems;
    apply_standard(config, problems);
    if (!problems.empty()) {
        return problems;
    }
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
    if (config.has("puncture-set")) {
        std::string bad;
        const auto sets = puncture_sets(config.text("puncture-set"), bad);
        if (!sets) {
            problems.push_back({"puncture-set", bad,
                                "not NAME=PP0,PP1 with two patterns of one "
                                "length",
                                option("puncture-set").accepted});
        } else if (config.has("puncture-patterns")) {
            problems.push_back({"puncture-set",
                                sets->front().first + "=" + sets->front().second.first + "," +
                                    sets->front().second.second,
                                "--puncture-patterns fixes one pair for every block",
                                "--puncture-set or --puncture-patterns, not both"});
        } else if (sets->size() > 8) {
            problems.push_back({"puncture-set",
                                sets->back().first + "=" + sets->back().second.first + "," +
                                    sets->back().second.second,
                                counted(static_cast<int>(sets->size()), "pair"), "up to 8 pairs"});
        } else {
            for (std::size_t i = 0; i < sets->size(); ++i) {
                for (std::size_t j = 0; j < i; ++j) {
                    if ((*sets)[i].first == (*sets)[j].first) {
                        problems.push_back({"puncture-set",
                                            (*sets)[i].first + "=" + (*sets)[i].second.first + "," +
                                                (*sets)[i].second.second,
                                            "the name " + (*sets)[i].first + " twice",
                                            "distinct names"});
                    }
                }
            }
        }
    }
    if (config.has("invert-outputs")) {
        const std::vector<std::int64_t>& inverted = config.list("invert-outputs");
        const auto n = static_cast<std::int64_t>(config.list("polynomials").size());
        for (std::size_t i = 0; i < inverted.size(); ++i) {
            if (inverted[i] >= n ||
                std::find(inverted.begin(), inverted.begin() + static_cast<long>(i), inverted[i]) !=
                    inverted.begin() + static_cast<long>(i)) {
                problems.push_back(
                    {"invert-outputs", shown(config, "invert-outputs"),
                     inverted[i] >= n
                         ? "output " + std::to_string(inverted[i]) + " of " + std::to_string(n)
                         : "output " + std::to_string(inverted[i]) + " twice",
                     "distinct outputs 0 to " + std::to_string(n - 1) +
                         " (0: the first polynomial)"});
                break;
            }
        }
    }
    if (!problems.empty()) {
        return problems;
    }
    config.set_default("traceback-length", default_traceback(config));
    config.set_default(
        "traceback-start",
        Value{std::string(config.choice("stream") == "continuous" ? "best" : "zero")});
    if (config.choice("traceback-start") == "best" &&
        config.integer("traceback-length") < 2 * config.integer("constraint-length")) {
        problems.push_back({"traceback-length", shown(config, "traceback-length"),
                            "a traceback from the best state waits K clocks for it within a "
                            "chunk",
                            "2K = " + std::to_string(2 * config.integer("constraint-length")) +
                                " or more with --traceback-start best (the default with --stream "
                                "continuous), or --traceback-start zero"});
        return problems;
    }
    check_code(config, problems);
    if (config.integer("bits-per-clock") == 2) {
        // the radix-4 core is fully parallel; a beat of two bits ends one
        // BER window at most
        if (config.has("hybrid-index")) {
            problems.push_back({"bits-per-clock", shown(config, "bits-per-clock"),
                                "two steps per clock do not combine with --hybrid-index",
                                "1 with --hybrid-index; 2 for a fully parallel core"});
        } else if (config.has("ber-period") && config.integer("ber-period") < 2) {
            problems.push_back({"ber-period", shown(config, "ber-period"),
                                "a window of one bit ends twice in a beat of two bits",
                                "2 to 32 with --bits-per-clock 2"});
        }
    }
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

// The layout of s_axis_tuser: the erasure flags of the beat's symbols from
// bit 0 up, then the pattern pair index. 0 bits: no tuser.
// Two steps per clock: bit 0 the one-step flag, then the erasure flags of
// both steps' symbol slots, then the index.
int erasure_bits(const CoreConfig& cfg) {
    return cfg.erasures ? (cfg.bits_per_clock == 2 ? 2 * cfg.n : cfg.punctured ? 1 : cfg.n) : 0;
}
int lone_bits(const CoreConfig& cfg) {
    return cfg.bits_per_clock == 2 ? 1 : 0;
}
int choice_bits(const CoreConfig& cfg) {
    return cfg.sets.size() > 1 ? cfg.set_bits() : 0;
}

// The testbench vectors: terminated blocks of random bits, the first sent
// without noise (it must come back exactly), the others through a noisy
// channel; lengths around the traceback chunk so that every flush length
// occurs. tb_in.hex: {tlast, tuser, tdata} per beat, the byte padding of
// tdata filled with noise the core must ignore; tb_out.hex: {tlast, bit}
// per decoded bit; tb_ber.hex: the BER monitor's window counts. With
// erasures about one symbol in eight is flagged and carries a random
// value; with a choice of patterns block b uses pair b mod the number of
// pairs (pair 0 of a later block named by an index beyond the pairs, where
// the field has one), and the index field holds noise after a block's
// first beat. A continuous stream (cfg.stream) sends the same lengths as
// frames of one unterminated stream, no tail bits, tlast on each frame's
// last beat; its first frame and the two chunks after it are noise-free,
// and the expected bits are the ones the core delivers of the stream, the
// frame marks with the bits of the frames' last steps.
void make_vectors(const CoreConfig& base, unsigned seed, CoreBuild& build) {
    std::mt19937 rng(seed);
    const int chunk = base.chunk();
    // the last block long for small trellises, where simulation is cheap
    const int lengths[] = {3 * chunk + 5, 2, std::max(2, chunk - base.k + 1), 2 * chunk + 1,
                           std::max(chunk, 8192 >> (base.k - 1))};
    // two steps per clock: a beat of two steps, tuser bit 0 on a lone one
    const bool two = base.bits_per_clock == 2;
    const int per_beat = two ? 2 * base.n : base.punctured ? 1 : base.n;
    const int used = per_beat * base.din_width();
    const int in_width = (used + 7) / 8 * 8;
    const int era_bits = erasure_bits(base);
    const int set_bits = choice_bits(base);
    viterbi::Channel noisy(base, base.punctured ? 3.0 : 1.0, viterbi::code_rate(base), seed);
    std::vector<int> all_errors;
    bool clean = true;
    int block = 0;
    std::vector<int> stream_bits;     // the stream so far (continuous)
    std::vector<Symbol> stream_steps; // its steps as the core rebuilds them
    std::vector<bool> marks;          // per step: a frame's last
    const std::size_t clean_steps = static_cast<std::size_t>(lengths[0] + 2 * chunk);
    for (const int listed : lengths) {
        // two steps per clock: a frame of a continuous stream is whole beats
        const int length = two && base.stream ? (listed + 1) / 2 * 2 : listed;
        const int set = base.sets.empty() ? 0 : block % static_cast<int>(base.sets.size());
        const CoreConfig cfg = base.with_set(set);
        ++block;
        std::vector<int> bits(static_cast<size_t>(length + (cfg.stream ? 0 : cfg.k - 1)), 0);
        for (int i = 0; i < length; ++i) {
            bits[static_cast<size_t>(i)] = static_cast<int>(rng() & 1);
        }
        std::vector<int> code;
        if (cfg.stream) {
            // the encoder runs on from the frame before
            stream_bits.insert(stream_bits.end(), bits.begin(), bits.end());
            code = viterbi::encode(cfg, stream_bits);
            code.erase(code.begin(),
                       code.end() - static_cast<long>(bits.size()) * static_cast<long>(cfg.n));
        } else {
            code = viterbi::encode(cfg, bits);
        }
        std::vector<Symbol> steps; // as transmitted
        for (const int c : viterbi::transmit(cfg, code)) {
            const bool noise_free =
                cfg.stream ? stream_steps.size() * static_cast<size_t>(cfg.n) + steps.size() <
                                 clean_steps * static_cast<size_t>(cfg.n)
                           : clean;
            steps.push_back(noise_free ? Symbol{c != 0 ? cfg.top() : 0, false} : noisy.send(c));
        }
        clean = false;
        std::vector<Symbol> sent = viterbi::puncture(cfg, steps);
        if (cfg.erasures) {
            for (Symbol& symbol : sent) {
                if ((rng() & 7) == 0) {
                    symbol =
                        Symbol{static_cast<int>(rng() & static_cast<unsigned>(cfg.top())), true};
                }
            }
        }
        std::vector<Symbol> rebuilt = viterbi::depuncture(cfg, sent, static_cast<int>(bits.size()));
        for (size_t j = 0; j < rebuilt.size(); ++j) {
            rebuilt[j] = viterbi::received(cfg, static_cast<int>(j % static_cast<size_t>(cfg.n)),
                                           rebuilt[j]);
        }
        viterbi::Decoded decoded;
        if (cfg.stream) {
            stream_steps.insert(stream_steps.end(), rebuilt.begin(), rebuilt.end());
            marks.resize(stream_steps.size() / static_cast<size_t>(cfg.n), false);
            marks.back() = true;
        } else {
            decoded = viterbi::decode_block(cfg, rebuilt);
        }
        if (two) {
            // two steps a beat, every symbol slot: a punctured one carries
            // noise and a random erasure flag the core ignores
            const int period = cfg.punctured ? static_cast<int>(cfg.pp0.size()) : 1;
            const int count = static_cast<int>(bits.size());
            std::size_t next = 0;
            for (int t = 0; t < count; t += 2) {
                std::uint64_t data = in_width > used
                                         ? (rng() & ((std::uint64_t{1} << (in_width - used)) - 1))
                                               << used
                                         : 0;
                std::uint64_t era = 0;
                const bool lone = t + 1 == count;
                for (int j = 0; j < 2 * cfg.n; ++j) {
                    const int step = t + j / cfg.n;
                    std::uint64_t code = 0;
                    bool erased = false;
                    if (step < count && cfg.sent(step % period, j % cfg.n)) {
                        const Symbol& symbol = sent[next++];
                        code = static_cast<std::uint64_t>(viterbi::input_code(cfg, symbol.conf));
                        erased = symbol.erased;
                    } else {
                        code = rng() & static_cast<unsigned>(cfg.top());
                        erased = cfg.erasures && (rng() & 1) != 0;
                    }
                    data |= code << (j * cfg.din_width());
                    era |= static_cast<std::uint64_t>(cfg.erasures && erased) << j;
                }
                std::uint64_t index = 0;
                if (set_bits > 0) {
                    const auto beyond = static_cast<std::uint64_t>(cfg.sets.size());
                    index = t != 0 ? rng() & ((1U << set_bits) - 1)
                            : set == 0 && block > 1 && beyond < (1U << set_bits)
                                ? beyond
                                : static_cast<std::uint64_t>(set);
                }
                const std::uint64_t user =
                    (index << (1 + era_bits)) | (era << 1) | (lone ? 1U : 0U);
                const int user_bits = 1 + era_bits + set_bits;
                const bool last = t + 2 >= count;
                build.tb_in.push_back(hex_of(
                    (((static_cast<std::uint64_t>(last) << user_bits) | user) << in_width) | data,
                    in_width + user_bits + 1));
            }
            all_errors.insert(all_errors.end(), decoded.errors.begin(), decoded.errors.end());
            continue;
        }
        for (size_t i = 0; i < sent.size(); i += static_cast<size_t>(per_beat)) {
            std::uint64_t data =
                in_width > used ? (rng() & ((std::uint64_t{1} << (in_width - used)) - 1)) << used
                                : 0;
            std::uint64_t user = 0;
            for (int j = 0; j < per_beat; ++j) {
                const Symbol& symbol = sent[i + static_cast<size_t>(j)];
                data |= static_cast<std::uint64_t>(viterbi::input_code(cfg, symbol.conf))
                        << (j * cfg.din_width());
                user |= static_cast<std::uint64_t>(symbol.erased) << j;
            }
            if (set_bits > 0) {
                // a later block of pair 0 gives an index beyond the pairs where
                // one exists: it picks pair 0
                const auto beyond = static_cast<std::uint64_t>(cfg.sets.size());
                const std::uint64_t index = i != 0 ? rng() & ((1U << set_bits) - 1)
                                            : set == 0 && block > 1 && beyond < (1U << set_bits)
                                                ? beyond
                                                : static_cast<std::uint64_t>(set);
                user |= index << era_bits;
            }
            const bool last = i + static_cast<size_t>(per_beat) >= sent.size();
            const int user_bits = era_bits + set_bits;
            build.tb_in.push_back(hex_of(
                (((static_cast<std::uint64_t>(last) << user_bits) | user) << in_width) | data,
                in_width + user_bits + 1));
        }
        all_errors.insert(all_errors.end(), decoded.errors.begin(), decoded.errors.end());
    }
    if (base.stream) {
        const viterbi::Decoded decoded = viterbi::decode_stream(base, stream_steps);
        // two steps per clock: {tlast, 0, bit 1, bit 0}, tlast the newer bit's mark
        for (size_t i = 0; two && i + 1 < decoded.bits.size(); i += 2) {
            build.tb_out.push_back(hex_of((static_cast<std::uint64_t>(marks[i + 1]) << 3) |
                                              (static_cast<unsigned>(decoded.bits[i + 1]) << 1) |
                                              static_cast<unsigned>(decoded.bits[i]),
                                          4));
        }
        for (size_t i = 0; !two && i < decoded.bits.size(); ++i) {
            build.tb_out.push_back(hex_of((static_cast<std::uint64_t>(marks[i]) << 1) |
                                              static_cast<unsigned>(decoded.bits[i]),
                                          2));
        }
        all_errors = decoded.errors;
    }
    if (base.ber) {
        std::string ber;
        int windows = 0;
        for (const int count : viterbi::ber_windows(base, all_errors)) {
            ber += hex_of(static_cast<std::uint64_t>(count), base.ber_period + 2) + "\n";
            ++windows;
        }
        // $readmemh needs a line even when no window completes
        build.generated.push_back({"tb_ber.hex", ber.empty() ? "0\n" : ber, FileRole::vectors});
        build.tb_defines.push_back({"TB_BER_WINDOWS", std::to_string(windows)});
    }
}

// viterbi_options.v: what the tops need beyond trellgen's parameters.v.
std::string options_text(const CoreConfig& cfg) {
    std::vector<std::pair<std::string, std::string>> pairs = cfg.sets;
    if (pairs.empty()) {
        pairs.push_back(cfg.punctured ? std::pair{cfg.pp0, cfg.pp1}
                                      : std::pair{std::string("1"), std::string("1")});
    }
    const auto field =
        [&](const std::function<std::string(const std::pair<std::string, std::string>&)>& f) {
            std::string text = "{";
            for (std::size_t k = pairs.size(); k-- > 0;) {
                text += f(pairs[k]) + (k == 0 ? "}" : ", ");
            }
            return text;
        };
    const auto pattern = [](const std::string& p) {
        return "14'b" + p + std::string(14 - p.size(), '0');
    };
    std::string invert;
    for (int i = 2; i >= 0; --i) {
        invert += ((cfg.invert >> i) & 1) != 0 ? "1" : "0";
    }
    const int era_bits = erasure_bits(cfg);
    const int set_bits = choice_bits(cfg);
    std::string text =
        "// Options of this Viterbi core beyond trellgen's parameters.v, read by\n"
        "// its tops: the outputs the transmitter inverts (bit i: polynomial i),\n"
        "// the symbols per beat, and the puncture pattern pairs (pair k at\n"
        "// [k*4 +: 4] of the periods and [k*14 +: 14] of the patterns, the\n"
        "// first step at bit 13 of its field).\n"
        "`define VITERBI_INVERT 3'b" +
        invert + "\n" + "`define VITERBI_SYMBOLS " +
        std::to_string(cfg.punctured && cfg.bits_per_clock == 1 ? 1 : cfg.n) + "\n" +
        "`define VITERBI_NSET " + std::to_string(pairs.size()) + "\n" + "`define VITERBI_SETW " +
        std::to_string(std::max(1, cfg.set_bits())) + "\n" + "`define VITERBI_PERIODS " +
        field([](const auto& pp) { return "4'd" + std::to_string(pp.first.size()); }) + "\n" +
        "`define VITERBI_PPS0 " + field([&](const auto& pp) { return pattern(pp.first); }) + "\n" +
        "`define VITERBI_PPS1 " + field([&](const auto& pp) { return pattern(pp.second); }) + "\n";
    if (era_bits > 0) {
        text += "`define VITERBI_ERASURES\n";
    }
    if (set_bits > 0) {
        text += "`define VITERBI_SET_CHOICE\n";
    }
    if (cfg.bits_per_clock == 2) {
        // two steps per beat; s_axis_tuser[0]: the beat carries one
        text += "`define VITERBI_RADIX4\n";
    }
    if (lone_bits(cfg) + era_bits + set_bits > 0) {
        text +=
            "`define VITERBI_TUSER " + std::to_string(lone_bits(cfg) + era_bits + set_bits) + "\n";
    }
    if (cfg.stream) {
        text += "`define VITERBI_STREAM\n";
    }
    if (cfg.best) {
        text += "`define VITERBI_BEST\n";
    }
    return text;
}

unsigned seed_of(const CoreConfig& cfg) {
    return static_cast<unsigned>(11 + cfg.k * 7 + cfg.tb);
}

// The model's configuration of a checked one: trellgen's record, the
// inverted outputs, erasures and the pattern pairs a block may choose.
CoreConfig model_config(const Config& config) {
    CoreConfig cfg = core_config(record(config));
    if (config.has("invert-outputs")) {
        for (const std::int64_t i : config.list("invert-outputs")) {
            cfg.invert |= 1 << i;
        }
    }
    cfg.erasures = config.flag("erasures");
    cfg.stream = config.choice("stream") == "continuous";
    cfg.best = config.choice("traceback-start") == "best";
    cfg.bits_per_clock = static_cast<int>(config.integer("bits-per-clock"));
    std::string bad;
    if (config.has("puncture-set")) {
        if (const auto sets = puncture_sets(config.text("puncture-set"), bad)) {
            for (const auto& set : *sets) {
                cfg.sets.push_back(set.second);
            }
        }
    }
    return cfg;
}

TbVectors viterbi_vectors(const Config& config) {
    const CoreConfig cfg = model_config(config);
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
    const CoreConfig cfg = model_config(config);
    CoreBuild build;
    build.generated.push_back(
        {viterbi::user_params_file_name, viterbi::user_params_text(p), FileRole::data});
    for (NamedText& file : viterbi::write(p)) {
        build.generated.push_back({std::move(file.name), std::move(file.text), FileRole::include});
    }
    build.generated.push_back({"viterbi_options.v", options_text(cfg), FileRole::include});
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
    std::string punctured = cfg.punctured ? ", punctured " + cfg.pp0 + "/" + cfg.pp1 : "";
    std::string rates;
    if (config.has("puncture-set")) {
        std::string bad;
        for (const auto& set : puncture_sets(config.text("puncture-set"), bad)
                                   .value_or(std::vector<std::pair<std::string, PatternPair>>{})) {
            rates += (rates.empty() ? "" : ", ") + set.first;
        }
        punctured = ", rates per block " + rates;
    }
    build.title = "Viterbi decoder K = " + k + ", rate 1/" + std::to_string(cfg.n) + " (" + listed +
                  ")" + punctured + (cfg.invert != 0 ? ", inverted outputs" : "") +
                  (cfg.erasures ? ", erasures" : "") + ", " + symbols + ", traceback " +
                  std::to_string(cfg.tb) +
                  (cfg.hybrid ? ", hybrid (index " + std::to_string(cfg.hybrid_index) + ")"
                   : cfg.bits_per_clock == 2 ? ", fully parallel, 2 bits per clock"
                                             : ", fully parallel") +
                  (cfg.ber ? ", BER monitor" : "");
    build.top = "viterbi_axis";
    build.tb_top = "tb_viterbi";
    build.library = "viterbi";
    build.interface =
        viterbi_interface(cfg.bits_per_clock == 2 ? 2 * cfg.n
                          : cfg.punctured         ? 1
                                                  : cfg.n,
                          cfg.soft ? cfg.soft_width : 1, cfg.ber ? cfg.ber_period : 0,
                          erasure_bits(cfg), choice_bits(cfg), cfg.bits_per_clock == 2);

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
        {"code rate",
         cfg.sets.size() > 1 ? rates : std::to_string(block) + "/" + std::to_string(sent),
         cfg.sets.size() > 1
             ? "chosen per block: s_axis_tuser[" +
                   std::to_string(lone_bits(cfg) + erasure_bits(cfg) + choice_bits(cfg) - 1) + ":" +
                   std::to_string(lone_bits(cfg) + erasure_bits(cfg)) +
                   "] on its first beat, the pair's index (viterbi_options.v)"
         : cfg.punctured
             ? "CODE_RATE 1/" + std::to_string(cfg.n) + ", punctured (PB_SIZE, PP0, PP1)"
             : "CODE_RATE"},
        {"symbols", symbols, cfg.soft ? "SOFT_DECISION, SOFT_WIDTH" : "HARD_DECISION"},
        {"architecture",
         cfg.hybrid                ? "hybrid, index " + std::to_string(cfg.hybrid_index)
         : cfg.bits_per_clock == 2 ? "fully parallel, two steps per clock"
                                   : "fully parallel",
         cfg.hybrid ? "IMP_HYBRID: one step per 2^HYBRID_INDEX clocks"
         : cfg.bits_per_clock == 2
             ? "IMP_PARALLEL, radix-4 add-compare-select (viterbi_options.v: VITERBI_RADIX4)"
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
         .default_rule = "64; punctured: 32 / (1 - R) rounded up to a multiple of 8 for the "
                         "highest rate R (2/3: 96, 3/4: 128, 5/6: 192, 7/8: 256)",
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
        {.name = "standard",
         .kind = OptionKind::choice,
         .value_name = "NAME",
         .help = "a published code: 802.11 (K = 7, 133 then 171; 1/2, 2/3 11,10, 3/4 110,101), "
                 "dvb-s (K = 7, 171 then 133; 1/2, 2/3 10,11, 3/4 101,110, 5/6 10101,11010, 7/8 "
                 "1000101,1111010), ccsds (dvb-s with output 1, the 133 one, inverted), gsm (K = "
                 "5, 23 then 33; 1/2); its rates become the pattern pairs a block chooses",
         .choices = {"802.11", "dvb-s", "ccsds", "gsm"},
         .default_rule = "none: the code of the other options"},
        {.name = "invert-outputs",
         .kind = OptionKind::integer_list,
         .value_name = "I[,I]",
         .help = "outputs the transmitter inverts (0: the first polynomial's); the core turns "
                 "their received symbols round",
         .min = 0,
         .max = 2,
         .default_rule = "none (ccsds: 1)",
         .accepted = "distinct outputs below the number of polynomials"},
        {.name = "puncture-set",
         .kind = OptionKind::text,
         .value_name = "NAME=PP0,PP1",
         .help = "a pattern pair a block may choose (1,1: rate 1/2), named; give it once per "
                 "pair, up to 8; s_axis_tuser on a block's first beat holds the index of its "
                 "pair in the order given",
         .default_rule = "none (--standard: its rates)",
         .repeatable = true,
         .accepted = "NAME=PP0,PP1, the patterns as for --puncture-patterns, up to 8 pairs with "
                     "distinct names, not with --puncture-patterns"},
        {.name = "stream",
         .kind = OptionKind::choice,
         .value_name = "FRAMING",
         .help = "terminated: blocks ending in state 0, tlast on the last beat, each flushed; "
                 "continuous: one unterminated stream, a decoded bit per step without a gap, "
                 "tlast only marks a frame's last beat and comes out with that step's bit",
         .choices = {"terminated", "continuous"},
         .default_value = Value{std::string("terminated")}},
        {.name = "traceback-start",
         .kind = OptionKind::choice,
         .value_name = "START",
         .help = "the state a chunk's traceback starts from: best (the smallest path metric, "
                 "the usual choice for a stream) or zero; a terminated block's end always "
                 "starts from 0",
         .choices = {"best", "zero"},
         .default_rule = "zero when terminated, best when continuous",
         .accepted = "best or zero; best with a traceback of 2K or more"},
        {.name = "bits-per-clock",
         .kind = OptionKind::integer,
         .value_name = "B",
         .help = "decoded bits per clock: 2 adds two trellis steps per clock (radix-4 "
                 "add-compare-select), two steps per input beat and two bits per output beat, "
                 "tuser bit 0 marking a beat with one; punctured, a beat holds every symbol slot "
                 "of its two steps; a continuous stream's frame is whole beats, tlast on the "
                 "beat of its last step (fully parallel; --ber-period 2 or more)",
         .min = 1,
         .max = 2,
         .default_value = Value{std::int64_t{1}}},
        {.name = "erasures",
         .kind = OptionKind::flag,
         .help = "s_axis_tuser carries one erasure flag per symbol of the beat; an erased symbol "
                 "adds nothing to any branch metric, as a punctured one",
         .default_value = Value{false},
         .negatable = true},
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
    return model_config(config);
}

} // namespace ipgen::front
