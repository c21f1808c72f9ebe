// ipgen fir: the FIR filter core. The options are declared with their
// kinds and ranges (what the core and its testbench can build); the check
// ties firgen's problems to their options and checks the coefficients. The
// folder gets user_params.txt and cin.dec (cin_cmplx.dec) as firparam and
// the user would write them, and firgen's typed entry gives parameters.v
// (and cin.hex) for the same values. The testbench vectors come from the
// integer model (fir_model.hpp).
#include "cores/common/vector_random.hpp"
#include "cores/fir/fir_beats.hpp"
#include "cores/fir/fir_constant_network.hpp"
#include "cores/fir/fir_interface.hpp"
#include "cores/fir/fir_model.hpp"
#include "generators/common/fatal_error.hpp"
#include "generators/common/input_file.hpp"
#include "generators/common/named_text.hpp"
#include "generators/fir_common/coefficient_files.hpp"
#include "generators/firgen/derived_values.hpp"
#include "generators/firgen/firgen_files.hpp"
#include "generators/firgen/firgen_params.hpp"
#include "generators/firgen/parameters_file.hpp"
#include "generators/firparam/user_params.hpp"
#include "ipgen/beats.hpp"
#include "ipgen/core_description.hpp"
#include "ipgen/options.hpp"

#include <algorithm>
#include <cctype>
#include <optional>
#include <random>
#include <stdexcept>
#include <variant>

namespace ipgen::front {

namespace {

using fir::CoeffSet;
using fir::FirConfig;

const std::vector<Option>& options();

const Option& option(const std::string& name) {
    for (const Option& o : options()) {
        if (o.name == name) {
            return o;
        }
    }
    throw std::logic_error("fir has no option --" + name);
}

std::string shown(const Config& config, const std::string& name) {
    const Value* value = config.find(name);
    return value != nullptr ? value_text(option(name), *value) : "";
}

int index_of(const Config& config, const std::string& name) {
    const std::vector<std::string>& choices = option(name).choices;
    return static_cast<int>(std::find(choices.begin(), choices.end(), config.choice(name)) -
                            choices.begin());
}

// The width option the user gave (both name one width); the coefficient
// width when neither was given.
std::string width_option(const Config& config) {
    return config.given("tap-width") && !config.given("coeff-width") ? "tap-width" : "coeff-width";
}

// The fourteen values of user_params.txt.
fir::param::FirUserParams user_params(const Config& config) {
    fir::param::FirUserParams u;
    u.m_nTapWidth = static_cast<int>(config.integer("tap-width"));
    u.m_nCoeffWidth = static_cast<int>(config.integer("coeff-width"));
    u.m_nNumTaps = static_cast<int>(config.integer("taps"));
    u.m_nOutWidth = static_cast<int>(config.integer("output-width"));
    u.m_nFilterType = index_of(config, "filter-type");
    u.m_nCoeffLoad = config.flag("loadable") ? 1 : 0;
    u.m_nSymmetry = index_of(config, "symmetry");
    u.m_nRoundType = index_of(config, "rounding");
    u.m_nArithmeticType = index_of(config, "arithmetic");
    u.m_nDataType = index_of(config, "data-type");
    u.m_nNumCycles = static_cast<int>(config.integer("cycles"));
    u.m_nDeciRatio = static_cast<int>(config.integer("decimation"));
    u.m_nInterRatio = static_cast<int>(config.integer("interpolation"));
    u.m_nComplexInMode = index_of(config, "complex-input");
    return u;
}

// firgen's reading of those values (line 2 gives the one width).
fir::gen::FirGenParams firgen_params(const fir::param::FirUserParams& u) {
    fir::gen::FirGenParams p;
    p.data_width = u.m_nCoeffWidth;
    p.num_taps = u.m_nNumTaps;
    p.output_width = u.m_nOutWidth;
    p.filter_index = u.m_nFilterType;
    p.coeff_index = u.m_nCoeffLoad;
    p.symmetry_index = u.m_nSymmetry;
    p.rounding_index = u.m_nRoundType;
    p.arithmetic_index = u.m_nArithmeticType;
    p.data_type_index = u.m_nDataType;
    p.num_cycles = u.m_nNumCycles;
    p.deci_ratio = u.m_nDeciRatio;
    p.inter_ratio = u.m_nInterRatio;
    p.complex_in_index = u.m_nComplexInMode;
    return p;
}

FirConfig model_config(const fir::gen::FirGenParams& p) {
    FirConfig c;
    c.width = p.data_width;
    c.taps = p.num_taps;
    c.out_width = p.output_width;
    c.filter_type = p.filter_index;
    c.loadable = p.coeff_index == 1;
    c.symmetry = p.symmetry_index;
    c.nearest = p.rounding_index == 1;
    c.is_unsigned = p.arithmetic_index == 1;
    c.is_complex = p.data_type_index == 1;
    c.cycles = p.num_cycles;
    c.deci = p.deci_ratio;
    c.inter = p.inter_ratio;
    c.serial = c.is_complex && p.complex_in_index == 1;
    return c;
}

FirConfig model_config(const Config& config) {
    FirConfig c = model_config(firgen_params(user_params(config)));
    c.channels = static_cast<int>(config.integer("channels"));
    c.coeff_sets = static_cast<int>(config.integer("coeff-sets"));
    c.samples_per_clock = static_cast<int>(config.integer("samples-per-clock"));
    c.saturate = config.choice("overflow") == "saturate";
    return c;
}

// Results per m_axis beat: one per sample of a beat, one per block when
// decimating.
int results_per_beat(const FirConfig& c) {
    return c.filter_type == fir::decimation ? 1 : c.samples_per_clock;
}

// Bits of an index of n things (0 for one thing).
int index_bits(int n) {
    return n > 1 ? fir::gen::nextlog2(n) : 0;
}

// The option behind each line of user_params.txt.
std::string option_of_line(const Config& config, int line) {
    static const char* const names[] = {"",
                                        "",
                                        "",
                                        "taps",
                                        "output-width",
                                        "filter-type",
                                        "loadable",
                                        "symmetry",
                                        "rounding",
                                        "arithmetic",
                                        "data-type",
                                        "cycles",
                                        "decimation",
                                        "interpolation",
                                        "complex-input"};
    return line <= 2 ? width_option(config) : names[line];
}

// The coefficient set, pairs flattened, and where it comes from; a problem
// instead when the set cannot be used. --coeffs and --coeff-file follow one
// rule: NUM_COEFFS numbers (pairs), each as --coeffs reads its items, each
// within the width.
struct Coefficients {
    std::vector<std::int64_t> values;
    std::string source;
};

std::variant<Coefficients, Problem> coefficients(const Config& config) {
    const FirConfig c = model_config(config);
    const int n = c.num_coeffs();
    const int sets = c.coeff_sets;
    const int count = (c.is_complex ? 2 * n : n) * sets;
    const std::string what =
        (c.is_complex ? std::to_string(n * sets) + " pairs (real, imaginary)"
                      : std::to_string(n * sets) + " coefficients") +
        (sets > 1 ? ", " + std::to_string(sets) + " sets of " + std::to_string(n) + " in turn"
                  : "");
    const bool is_signed = c.signed_coeffs();
    const std::int64_t lo = is_signed ? -(std::int64_t{1} << (c.width - 1)) : 0;
    const std::int64_t hi =
        is_signed ? (std::int64_t{1} << (c.width - 1)) - 1 : (std::int64_t{1} << c.width) - 1;
    const std::string range = std::to_string(lo) + " to " + std::to_string(hi) + " (" +
                              std::to_string(c.width) + "-bit " +
                              (is_signed ? "signed" : "unsigned") + " coefficients)";
    Coefficients set;
    std::string name;
    if (config.given("coeffs") && config.given("coeff-file")) {
        return Problem{"coeff-file", config.text("coeff-file"), "--coeffs is given too",
                       "one of --coeffs and --coeff-file"};
    }
    if (config.given("coeffs")) {
        name = "coeffs";
        set.source = "--coeffs";
        set.values = config.list("coeffs");
    } else if (config.given("coeff-file")) {
        name = "coeff-file";
        const std::string& path = config.text("coeff-file");
        set.source = "--coeff-file " + path;
        const InputText file = read_input_file(path);
        if (file.failure == InputFailure::not_regular || file.failure == InputFailure::too_large) {
            return Problem{name, path, file.cause,
                           "a regular file of at most 16 MiB: the coefficients as in cin.dec"};
        }
        if (!file.ok()) {
            throw FatalError("ipgen: cannot read --coeff-file " + path + ": " + file.cause + "\n",
                             1);
        }
        // The numbers separated by white space (cin.dec: one per line;
        // cin_cmplx.dec: a pair per line), each read as an item of --coeffs.
        const std::string& text = file.text;
        int line = 1;
        for (std::size_t at = 0; at < text.size();) {
            if (std::isspace(static_cast<unsigned char>(text[at])) != 0) {
                line += text[at++] == '\n' ? 1 : 0;
                continue;
            }
            std::size_t end = at;
            while (end < text.size() && std::isspace(static_cast<unsigned char>(text[end])) == 0) {
                ++end;
            }
            const std::string item = text.substr(at, end - at);
            Problem problem{name, path, "", ""};
            const std::optional<Value> read = read_value(option("coeffs"), item, problem);
            if (!read || item.find(',') != std::string::npos) {
                if (item.find(',') != std::string::npos) {
                    problem.why = "item '" + item + "' is no decimal number"; // not a list
                }
                problem.why = "line " + std::to_string(line) + ": " + problem.why;
                problem.value = path;
                return problem;
            }
            set.values.push_back(std::get<std::vector<std::int64_t>>(*read).front());
            at = end;
        }
    } else {
        // A triangle (low-pass) within the width, the imaginary parts of
        // alternating sign; at 2 bits signed or 1 bit it would be flat.
        name = width_option(config);
        set.source = "the default triangle";
        const std::int64_t top = hi;
        if (top < 2) {
            return Problem{name, shown(config, name),
                           "the default triangle coefficients are flat at a " +
                               std::to_string(c.width) + "-bit width",
                           "--coeffs or --coeff-file at this width, or a width of " +
                               std::string(is_signed ? "3" : "2") + " bits or more"};
        }
        // (several sets: set s is the triangle rotated by s words)
        for (int s = 0; s < sets; ++s) {
            for (int j = 0; j < n; ++j) {
                const int k = (j + s) % n;
                const std::int64_t v = std::min<std::int64_t>(std::min(k + 1, c.taps - k), top);
                set.values.push_back(v);
                if (c.is_complex) {
                    set.values.push_back(k % 2 == 0 ? v : -v);
                }
            }
        }
        return set;
    }
    const std::string value = name == "coeffs" ? shown(config, name) : config.text(name);
    if (static_cast<int>(set.values.size()) != count) {
        return Problem{name, value,
                       std::to_string(set.values.size()) + " values for NUM_COEFFS " +
                           std::to_string(n) +
                           (sets > 1 ? " and " + std::to_string(sets) + " sets" : ""),
                       what + (c.is_complex ? ", real and imaginary in turn" : "")};
    }
    for (std::size_t i = 0; i < set.values.size(); ++i) {
        if (set.values[i] < lo || set.values[i] > hi) {
            return Problem{name, value,
                           "coefficient " + std::to_string(c.is_complex ? i / 2 : i) + " is " +
                               std::to_string(set.values[i]),
                           range};
        }
    }
    return set;
}

// --multipliers constant: one shared network for the fixed real
// coefficients of a single-cycle filter (the transposed chain takes one
// sample per clock).
std::optional<Problem> constant_problem(const Config& config) {
    if (config.choice("multipliers") != "constant") {
        return std::nullopt;
    }
    std::string why;
    if (config.choice("filter-type") != "single-cycle") {
        why = "a " + config.choice("filter-type") + " filter";
    } else if (config.flag("loadable")) {
        why = "loadable coefficients";
    } else if (config.choice("data-type") == "complex") {
        why = "complex data";
    } else if (config.integer("channels") > 1) {
        why = "--channels " + shown(config, "channels");
    } else if (config.integer("coeff-sets") > 1) {
        why = "--coeff-sets " + shown(config, "coeff-sets");
    } else if (config.integer("samples-per-clock") > 1) {
        why = "--samples-per-clock " + shown(config, "samples-per-clock");
    } else {
        return std::nullopt;
    }
    return Problem{"multipliers", "constant", why,
                   "general, or constant for a single-cycle filter with one set of fixed real "
                   "coefficients, one channel and one sample per clock"};
}

// The combinations of channels, sets and samples per clock the core builds.
std::optional<Problem> check_channels_and_sets(const Config& config) {
    const std::int64_t channels = config.integer("channels");
    const std::int64_t lanes = config.integer("samples-per-clock");
    const std::string accepted = "1; 2 to 8 with --filter-type single-cycle, or decimation by a "
                                 "multiple of it, with one channel and parallel complex ports";
    const std::string type = config.choice("filter-type");
    if (lanes > 1 && type != "single-cycle" && type != "decimation") {
        return Problem{"samples-per-clock", shown(config, "samples-per-clock"),
                       "the " + type + " engine takes one sample per clock", accepted};
    }
    if (lanes > 1 && type == "decimation" && config.integer("decimation") % lanes != 0) {
        return Problem{"samples-per-clock", shown(config, "samples-per-clock"),
                       "--decimation " + shown(config, "decimation") + " is no multiple of it",
                       accepted};
    }
    if (lanes > 1 && channels > 1) {
        return Problem{"samples-per-clock", shown(config, "samples-per-clock"),
                       "--channels is " + shown(config, "channels"), accepted};
    }
    if (lanes > 1 && config.choice("data-type") == "complex" &&
        config.choice("complex-input") == "serial") {
        return Problem{"samples-per-clock", shown(config, "samples-per-clock"),
                       "serial complex ports take a sample in two beats", accepted};
    }
    return std::nullopt;
}

Problems check_fir(Config& config) {
    Problems problems;
    // The two widths are one in the core (firgen reads line 2 for both):
    // either one alone sets both.
    const bool tap = config.given("tap-width");
    const bool coeff = config.given("coeff-width");
    if (tap && coeff && config.integer("tap-width") != config.integer("coeff-width")) {
        problems.push_back({"coeff-width", shown(config, "coeff-width"),
                            "--tap-width is " + shown(config, "tap-width"),
                            "equal widths (the core takes samples and coefficients of one "
                            "width)"});
        return problems;
    }
    const Value width = tap     ? *config.find("tap-width")
                        : coeff ? *config.find("coeff-width")
                                : Value{std::int64_t{8}};
    config.set_default("tap-width", width);
    config.set_default("coeff-width", width);

    const fir::gen::FirGenParams params = firgen_params(user_params(config));
    for (const fir::Problem& problem : fir::gen::check(params)) {
        const std::string name = option_of_line(config, problem.line);
        problems.push_back(
            {name, shown(config, name),
             (problem.whole_file ? "" : fir::user_param_name(problem.line) + " ") + problem.value,
             problem.accepted});
    }
    if (!problems.empty()) {
        return problems;
    }
    // A result wider than 64 bits is the model's 64-bit value sign-extended
    // (the full width of a multi-cycle or decimating filter grows by a bit
    // per accumulated firing, far beyond the sum's true range): the sums
    // must then fit in 63 bits.
    const std::int64_t out_width = config.integer("output-width");
    const int sum_bits = 2 * static_cast<int>(std::get<std::int64_t>(width)) +
                         fir::gen::nextlog2(config.integer("taps")) +
                         (config.choice("data-type") == "complex" ? 3 : 2);
    if (out_width > 64 && sum_bits > 63) {
        problems.push_back({"output-width", shown(config, "output-width"),
                            "wider than 64 bits with sums of " + std::to_string(sum_bits) +
                                " bits (2 x width + log2 taps + 2, 3 complex)",
                            "1 to 64, or up to 128 when the sums take at most 63 bits"});
        return problems;
    }
    if (const std::optional<Problem> problem = check_channels_and_sets(config)) {
        problems.push_back(*problem);
        return problems;
    }
    if (const std::optional<Problem> problem = constant_problem(config)) {
        problems.push_back(*problem);
        return problems;
    }
    const auto set = coefficients(config);
    if (const auto* problem = std::get_if<Problem>(&set)) {
        problems.push_back(*problem);
    } else if (!config.given("coeff-file")) {
        // the triangle spelled out, so the re-run command states the set
        config.set_default("coeffs", std::get<Coefficients>(set).values);
    }
    return problems;
}

// The model's vectors, in the model's own terms (fir::Value, not the
// options' Value).
namespace model_vectors {

using fir::Value;

// Beats are written by the shared hex_word (ipgen/beats.hpp): fields
// most significant first, a value narrower than its field sign-extended.
using front::hex_word;

std::int64_t part(std::int64_t v, int width) {
    return width >= 63 ? v : v & ((std::int64_t{1} << width) - 1);
}

// The testbench's run: (loadable) the set loaded, an impulse of the
// largest sample followed by zeros, so that the first results are the
// impulse response, then random samples, (loadable) a new random set
// loaded in the middle of them.
// With channels (C above 1) or sets (S above 1) an input beat carries
// {coefficient beat, tlast, [out of order: C above 1], tuser, data}, tuser
// {set, channel} (a coefficient beat: its set there), and an output beat
// {channel, [tlast], data}. Every channel gets the impulse in the first
// round; now and then a sample with a wrong channel index comes before the
// next one (marked: the core drops it and raises channel_error). The set of
// each sample is random.
void make_vectors(CoreBuild& build, const FirConfig& c, const std::vector<CoeffSet>& first) {
    std::mt19937 random(static_cast<unsigned>(c.taps * 131 + c.width * 7 + c.filter_type));
    const auto next = [&](bool is_signed) {
        const std::int64_t lo = is_signed ? -(std::int64_t{1} << (c.width - 1)) : 0;
        const std::int64_t hi =
            is_signed ? (std::int64_t{1} << (c.width - 1)) - 1 : (std::int64_t{1} << c.width) - 1;
        const unsigned pick = random() % 6;
        return pick == 0 ? lo : pick == 1 ? hi : front::UniformInt<std::int64_t>(lo, hi)(random);
    };
    const auto value = [&](bool is_signed) {
        Value v{next(is_signed), 0};
        v.im = c.is_complex ? next(is_signed) : 0;
        return v;
    };
    const int w = c.width;
    const int data_width = c.is_complex ? 2 * w : w;
    const int chw = index_bits(c.channels);
    const int setw = index_bits(c.coeff_sets);
    // the fields above the data: {out of order}, {set, channel}
    const auto head = [&](std::int64_t coef, std::int64_t last, bool bad, int set, int channel) {
        std::vector<std::pair<std::int64_t, int>> fields{{coef, 1}, {last, 1}};
        if (c.channels > 1) {
            fields.push_back({bad ? 1 : 0, 1});
        }
        fields.push_back({set, setw});
        fields.push_back({channel, chw});
        return fields;
    };
    const auto beat = [&](std::vector<std::pair<std::int64_t, int>> fields,
                          std::initializer_list<std::pair<std::int64_t, int>> data) {
        fields.insert(fields.end(), data);
        std::erase_if(fields, [](const auto& f) { return f.second == 0; });
        return hex_word(fields);
    };
    const auto load = [&](const CoeffSet& set, int index) {
        for (size_t k = 0; k < set.size(); ++k) {
            const std::int64_t last = k + 1 == set.size() ? 1 : 0;
            // (zeros up to the width of a beat of P samples)
            const int pad = (c.samples_per_clock - 1) * data_width;
            build.tb_in.push_back(
                c.is_complex
                    ? beat(head(1, last, false, index, 0),
                           {{0, pad}, {part(set[k].im, w), w}, {part(set[k].re, w), w}})
                    : beat(head(1, last, false, index, 0), {{0, pad}, {part(set[k].re, w), w}}));
        }
    };
    int channel = 0; // of the next sample in order
    // P samples per beat (one channel, parallel ports): gathered, sample 0
    // in the low bits, one set for the beat
    const int lanes = c.samples_per_clock;
    std::vector<std::pair<std::int64_t, int>> gathered;
    int beat_set = 0;
    const auto sample = [&](const Value& s) {
        int index = channel;
        bool bad = false;
        if (c.channels > 1 && random() % 12 == 0) {
            index = static_cast<int>((channel + 1 + random() % (c.channels - 1)) % c.channels);
            bad = true;
        }
        if (lanes > 1) {
            if (gathered.empty() && c.coeff_sets > 1) {
                beat_set = static_cast<int>(random() % c.coeff_sets);
            }
            if (c.is_complex) {
                gathered.insert(gathered.begin(), {{part(s.im, w), w}, {part(s.re, w), w}});
            } else {
                gathered.insert(gathered.begin(), {part(s.re, w), w});
            }
            if (static_cast<int>(gathered.size()) == lanes * (c.is_complex ? 2 : 1)) {
                std::vector<std::pair<std::int64_t, int>> fields = head(0, 0, false, beat_set, 0);
                fields.insert(fields.end(), gathered.begin(), gathered.end());
                std::erase_if(fields, [](const auto& f) { return f.second == 0; });
                build.tb_in.push_back(hex_word(fields));
                gathered.clear();
            }
            return true;
        }
        const int set = c.coeff_sets > 1 ? static_cast<int>(random() % c.coeff_sets) : 0;
        if (c.is_complex && c.serial) {
            build.tb_in.push_back(
                beat(head(0, 0, false, set, index), {{0, data_width - w}, {part(s.re, w), w}}));
            build.tb_in.push_back(
                beat(head(0, 0, bad, set, index), {{0, data_width - w}, {part(s.im, w), w}}));
        } else {
            build.tb_in.push_back(
                c.is_complex
                    ? beat(head(0, 0, bad, set, index), {{part(s.im, w), w}, {part(s.re, w), w}})
                    : beat(head(0, 0, bad, set, index), {{part(s.re, w), w}}));
        }
        if (!bad) {
            channel = (channel + 1) % c.channels;
        }
        return !bad;
    };
    const auto offer = [&](const Value& s) {
        while (!sample(s)) {
        }
    };
    if (c.loadable) {
        for (int index = 0; index < c.coeff_sets; ++index) {
            load(first[index], index);
        }
    }
    const std::int64_t peak =
        c.is_unsigned ? (std::int64_t{1} << w) - 1 : (std::int64_t{1} << (w - 1)) - 1;
    for (int ch = 0; ch < c.channels; ++ch) {
        offer({peak, 0});
    }
    for (int k = 1; k < c.taps; ++k) {
        for (int ch = 0; ch < c.channels; ++ch) {
            offer({});
        }
    }
    // Enough samples for a few results of a decimating filter; whole beats.
    int count = std::max(120, 4 * c.deci);
    const int before = c.taps * c.channels;
    count += (lanes - (before + count) % lanes) % lanes;
    bool reloaded = false;
    for (int n = 0; n < count; ++n) {
        if (c.loadable && !reloaded && n >= count / 2 && (before + n) % lanes == 0) {
            reloaded = true;
            CoeffSet set;
            for (int k = 0; k < c.num_coeffs(); ++k) {
                set.push_back(value(c.signed_coeffs()));
            }
            load(set, c.coeff_sets > 1 ? static_cast<int>(random() % c.coeff_sets) : 0);
        }
        offer(value(!c.is_unsigned));
    }
}

} // namespace model_vectors

using model_vectors::make_vectors;

const char* const type_names[] = {"single", "multi", "deci", "inter"};

// The coeff_sets sets the numbers give, in turn.
std::vector<CoeffSet> coeff_sets(const FirConfig& c, const std::vector<std::int64_t>& numbers) {
    std::vector<CoeffSet> sets(c.coeff_sets);
    const size_t per_set = numbers.size() / c.coeff_sets;
    for (size_t i = 0; i < numbers.size(); i += c.is_complex ? 2 : 1) {
        sets[i / per_set].push_back({numbers[i], c.is_complex ? numbers[i + 1] : 0});
    }
    return sets;
}

// fir_streams.v: the core's defines beyond firgen's parameters.v (whose
// text stays firgen's), compiled after it and read by the tops; written
// only when there are channels, sets or several samples per clock. The
// flags FIR_CHANNELED, FIR_SETS, FIR_USER and FIR_LANES say which; with
// fixed sets FIR_COEFF_SETS_VALUE holds every set in the layout of
// COEFF_VALUE, set 0 on top.
std::string streams_defines(const FirConfig& c, const std::vector<std::int64_t>& numbers) {
    const int chw = index_bits(c.channels);
    const int setw = index_bits(c.coeff_sets);
    std::string text =
        "// The FIR core's channels, coefficient sets and samples per clock, written "
        "by ipgen\n";
    const auto define = [&](const std::string& name, const std::string& value) {
        text += "`define " + name + (value.empty() ? "" : " " + value) + "\n";
    };
    if (chw + setw > 0) {
        define("FIR_USER", "");
        define("FIR_USER_WIDTH", std::to_string(chw + setw));
    }
    if (chw > 0) {
        define("FIR_CHANNELED", "");
        define("FIR_CHANNELS", std::to_string(c.channels));
        define("FIR_CHANNEL_WIDTH", std::to_string(chw));
    }
    if (setw > 0) {
        define("FIR_SETS", "");
        define("FIR_COEFF_SETS", std::to_string(c.coeff_sets));
        define("FIR_SET_WIDTH", std::to_string(setw));
        if (!c.loadable) {
            std::vector<std::pair<std::int64_t, int>> fields;
            for (const std::int64_t v : numbers) {
                fields.push_back({model_vectors::part(v, c.width), c.width});
            }
            const int bits = static_cast<int>(numbers.size()) * c.width;
            define("FIR_COEFF_SETS_VALUE",
                   std::to_string(bits) + "'h" + model_vectors::hex_word(fields));
        }
    }
    if (c.samples_per_clock > 1) {
        define("FIR_LANES", "");
        define("FIR_SAMPLES_PER_CLOCK", std::to_string(c.samples_per_clock));
        define("FIR_RESULTS_PER_CLOCK", std::to_string(results_per_beat(c)));
    }
    return text;
}

Coefficients checked_coefficients(const Config& config) {
    auto set = coefficients(config);
    if (const auto* problem = std::get_if<Problem>(&set)) {
        refuse(*problem); // the file changed since the check
    }
    return std::get<Coefficients>(std::move(set));
}

// fir_options.v: the defines of --multipliers constant and --overflow
// saturate, compiled after parameters.v and read by the tops (written only
// for one of them); for constant multipliers the network fir_constant_sum.v.
void add_option_files(CoreBuild& build, const Config& config, const FirConfig& c,
                      const CoeffSet& set, const fir::gen::FirGenDerived& derived) {
    std::string defines;
    const bool constant = config.choice("multipliers") == "constant";
    if (constant) {
        defines += "`define FIR_CONSTANT_SUM\n";
    }
    if (c.saturate) {
        defines += "`define FIR_SATURATE\n";
    }
    if (!defines.empty()) {
        build.generated.push_back(
            {"fir_options.v",
             "// The FIR core's multipliers and overflow, written by ipgen\n" + defines,
             FileRole::include});
    }
    if (constant) {
        fir::ConstantFilter filter;
        for (const fir::Value& h : fir::impulse_response(c, set)) {
            filter.taps.push_back(h.re);
        }
        filter.width = c.width;
        filter.data_signed = !c.is_unsigned;
        filter.out_width = static_cast<int>(derived.ato_width);
        const fir::ConstantNetwork network = fir::build_network(filter.taps);
        build.generated.push_back({"fir_constant_sum.v",
                                   fir::constant_filter_verilog(filter, network, ""),
                                   FileRole::rtl});
        build.values.push_back(
            {"constant network",
             std::to_string(network.adders()) + " adders, depth " + std::to_string(network.depth()),
             "shared products of the sample by every tap (lower bound " +
                 std::to_string(network.bound) +
                 " adders: distinct odd fundamentals other "
                 "than 1), then " +
                 std::to_string(fir::chain_adders(filter)) + " chain adders (fir_constant_sum.v)"});
    }
}

TbVectors fir_vectors(const Config& config) {
    const FirConfig c = model_config(config);
    CoreBuild build;
    make_vectors(build, c, coeff_sets(c, checked_coefficients(config).values));
    build.tb_out = fir_beats(config, build.tb_in);
    return {std::move(build.tb_in), std::move(build.tb_out), {}, 1 + c.taps % 89};
}

CoreBuild generate_fir(const Config& config, const std::string& /*header: parameters.v has none*/) {
    const fir::param::FirUserParams user = user_params(config);
    const fir::gen::FirGenParams params = firgen_params(user);
    const FirConfig c = model_config(config);
    const Coefficients all = checked_coefficients(config);
    // set 0 is firgen's (cin.dec, COEFF_VALUE); every set is in fir_streams.v
    Coefficients numbers = all;
    numbers.values.resize(all.values.size() / c.coeff_sets);
    std::string dec;
    for (size_t i = 0; i < numbers.values.size(); i += c.is_complex ? 2 : 1) {
        dec += c.is_complex ? std::to_string(numbers.values[i]) + "\t" +
                                  std::to_string(numbers.values[i + 1]) + "\n"
                            : std::to_string(numbers.values[i]) + "\n";
    }
    const fir::CoefficientFiles& files =
        c.is_complex ? fir::complex_coefficient_files : fir::real_coefficient_files;

    CoreBuild build;
    build.generated = {
        {fir::user_params_file_name, fir::param::user_params_text(user), FileRole::data},
        {files.dec, dec, FileRole::data}};
    for (NamedText& file : fir::gen::write(params, numbers.values)) {
        const bool include = file.name == fir::gen::parameters_file_name;
        build.generated.push_back({std::move(file.name), std::move(file.text),
                                   include ? FileRole::include : FileRole::data});
    }
    if (c.channels > 1 || c.coeff_sets > 1 || c.samples_per_clock > 1) {
        build.generated.push_back(
            {"fir_streams.v", streams_defines(c, all.values), FileRole::include});
    }

    const fir::gen::FirGenKeywords keywords = fir::gen::look_up_keywords(params);
    const fir::gen::FirGenDerived derived = fir::gen::derive(params, keywords);
    const std::string type = type_names[c.filter_type];
    build.name = "fir_" + type + "_" + std::to_string(c.taps);
    if (c.filter_type == fir::decimation) {
        build.name += "_d" + std::to_string(c.deci);
    } else if (c.filter_type == fir::interpolation) {
        build.name += "_u" + std::to_string(c.inter);
    }
    build.title = "FIR filter, " + std::string(keywords.filter) + ", " + std::to_string(c.taps) +
                  " taps of " + std::to_string(c.width) + " bits, " +
                  (c.loadable ? "loadable" : "fixed") + " coefficients";
    build.top = "fir_axis";
    build.tb_top = "tb_fir";
    build.library = "fir";
    build.interface = fir_interface(
        {static_cast<int>(derived.input_port_width), static_cast<int>(derived.internal_data_width),
         static_cast<int>(derived.output_port_width), static_cast<int>(derived.output_width)},
        c.loadable, c.is_complex, c.serial);
    add_channel_ports(build.interface, index_bits(c.channels), index_bits(c.coeff_sets),
                      c.loadable);
    if (c.channels > 1) {
        build.name += "_c" + std::to_string(c.channels);
        build.title += ", " + std::to_string(c.channels) + " channels";
    }
    if (c.coeff_sets > 1) {
        build.name += "_s" + std::to_string(c.coeff_sets);
        build.title += ", " + std::to_string(c.coeff_sets) + " sets";
    }
    widen_for_lanes(build.interface, c.samples_per_clock, results_per_beat(c));
    if (c.samples_per_clock > 1) {
        build.name += "_p" + std::to_string(c.samples_per_clock);
        build.title += ", " + std::to_string(c.samples_per_clock) + " samples per clock";
    }
    if (c.saturate) {
        add_overflow_flag(build.interface);
    }

    const auto row = [&](const std::string& name, const std::string& value,
                         const std::string& why) {
        build.values.push_back({name, value, why});
    };
    row("coefficients", numbers.source,
        c.loadable ? "the set the testbench loads first"
                   : "COEFF_VALUE, " + std::string(files.hex));
    row("NUM_COEFFS", std::to_string(c.num_coeffs()),
        c.symmetry != fir::nonsymmetric ? "half the taps, rounded up (symmetric set)"
                                        : "one per tap");
    row("OUTPUT_FULL_WIDTH", std::to_string(derived.output_full_width),
        "result bits (per part: " +
            std::to_string(derived.output_full_width / (c.is_complex ? 2 : 1)) +
            ") before scaling to --output-width");
    row("data",
        c.is_complex ? std::string("complex, ") + (c.serial ? "serial" : "parallel")
                     : std::string("real"),
        c.is_complex ? std::string(keywords.complex_in) : "REAL_DATA_TYPE: one sample per beat");
    row("NUM_MULTIPLIERS", std::to_string(derived.num_multipliers), "multipliers of the core");
    add_option_files(build, config, c, coeff_sets(c, all.values).front(), derived);
    return build;
}

const std::vector<Option>& options() {
    static const std::vector<Option> declared{
        {.name = "tap-width",
         .kind = OptionKind::integer,
         .value_name = "W",
         .help = "sample bits (user_params.txt line 1); one width with --coeff-width",
         .min = 1,
         .max = 32,
         .default_rule = "--coeff-width, else 8"},
        {.name = "coeff-width",
         .kind = OptionKind::integer,
         .value_name = "W",
         .help = "coefficient bits (line 2); the core takes samples and coefficients of this one "
                 "width",
         .min = 1,
         .max = 32,
         .default_rule = "--tap-width, else 8"},
        {.name = "taps",
         .kind = OptionKind::integer,
         .value_name = "T",
         .help = "number of taps (line 3)",
         .min = 1,
         .max = 1024,
         .default_value = Value{std::int64_t{6}},
         .accepted = "at most 64 multipliers (NUM_MULTIPLIERS) and, with fixed coefficients, at "
                     "most 64 of them (NUM_COEFFS)"},
        {.name = "output-width",
         .kind = OptionKind::integer,
         .value_name = "OW",
         .help = "result bits per part (line 4); fewer than the full width are dropped at the "
                 "bottom, more are sign-extended",
         .min = 1,
         .max = 128,
         .default_value = Value{std::int64_t{19}},
         .accepted = "above 64 only when 2 x width + log2 taps + 2 (3 complex) is at most 63"},
        {.name = "filter-type",
         .kind = OptionKind::choice,
         .value_name = "TYPE",
         .help = "(line 5) single-cycle (a sample per clock), multi-cycle (--cycles clocks per "
                 "sample), decimation (by --decimation) or interpolation (by --interpolation)",
         .choices = {"single-cycle", "multi-cycle", "decimation", "interpolation"},
         .default_value = Value{std::string("single-cycle")}},
        {.name = "loadable",
         .kind = OptionKind::flag,
         .help = "coefficients loaded at run time through s_axis_coef (line 6)",
         .default_value = Value{false},
         .negatable = true},
        {.name = "symmetry",
         .kind = OptionKind::choice,
         .value_name = "SYM",
         .help = "(line 7) the impulse response's symmetry",
         .choices = {"none", "symmetric", "antisymmetric"},
         .default_value = Value{std::string("none")}},
        {.name = "rounding",
         .kind = OptionKind::choice,
         .value_name = "MODE",
         .help = "(line 8) how dropped result bits round",
         .choices = {"truncation", "nearest"},
         .default_value = Value{std::string("truncation")}},
        {.name = "arithmetic",
         .kind = OptionKind::choice,
         .value_name = "MODE",
         .help = "(line 9) samples and coefficients signed or unsigned (complex data is signed)",
         .choices = {"signed", "unsigned"},
         .default_value = Value{std::string("signed")}},
        {.name = "data-type",
         .kind = OptionKind::choice,
         .value_name = "TYPE",
         .help = "(line 10) real or complex samples and coefficients",
         .choices = {"real", "complex"},
         .default_value = Value{std::string("real")}},
        {.name = "cycles",
         .kind = OptionKind::integer,
         .value_name = "NC",
         .help = "clocks per sample of a multi-cycle filter (line 11)",
         .min = 1,
         .max = 256,
         .default_value = Value{std::int64_t{1}}},
        {.name = "decimation",
         .kind = OptionKind::integer,
         .value_name = "D",
         .help = "decimation ratio (line 12)",
         .min = 1,
         .max = 256,
         .default_value = Value{std::int64_t{1}}},
        {.name = "interpolation",
         .kind = OptionKind::integer,
         .value_name = "U",
         .help = "interpolation ratio (line 13)",
         .min = 1,
         .max = 256,
         .default_value = Value{std::int64_t{1}}},
        {.name = "complex-input",
         .kind = OptionKind::choice,
         .value_name = "MODE",
         .help = "(line 14) complex samples in one beat ({imaginary, real}) or in two",
         .choices = {"parallel", "serial"},
         .default_value = Value{std::string("parallel")}},
        {.name = "multipliers",
         .kind = OptionKind::choice,
         .value_name = "FORM",
         .help = "general: a multiplier per coefficient word; constant: the fixed real "
                 "coefficients of a single-cycle filter as one shared network of adders and "
                 "shifts with a transposed chain (fir_constant_sum.v)",
         .choices = {"general", "constant"},
         .default_value = Value{std::string("general")},
         .accepted = "constant only for a single-cycle filter with fixed real coefficients"},
        {.name = "overflow",
         .kind = OptionKind::choice,
         .value_name = "MODE",
         .help = "a result beyond --output-width (a rounding up of the largest value) wraps, or "
                 "saturates: clamped to the largest or smallest value, m_axis_tuser set",
         .choices = {"wrap", "saturate"},
         .default_value = Value{std::string("wrap")}},
        {.name = "coeffs",
         .kind = OptionKind::integer_list,
         .value_name = "LIST",
         .help = "the coefficients c[0],c[1],... (NUM_COEFFS of them: half the taps, rounded up, "
                 "when symmetric); complex: real,imaginary,real,...",
         .min = -(std::int64_t{1} << 31),
         .max = (std::int64_t{1} << 32) - 1,
         .default_rule = "a triangle, c[k] = min(k+1, T-k, the largest value of the width) "
                         "(complex: imaginary parts of alternating sign); refused at 2 bits "
                         "signed and 1 bit",
         .accepted = "NUM_COEFFS of them, each within the width: -2^(W-1) to 2^(W-1)-1, or 0 to "
                     "2^W-1 for unsigned real data"},
        {.name = "coeff-file",
         .kind = OptionKind::file,
         .value_name = "FILE",
         .help = "the coefficients as in cin.dec (cin_cmplx.dec: a pair per line), separated by "
                 "white space, each read as an item of --coeffs",
         .default_rule = "none (--coeffs, or the triangle)",
         .accepted = "a regular file of at most 16 MiB"},
        {.name = "channels",
         .kind = OptionKind::integer,
         .value_name = "C",
         .help = "interleaved channels through one filter, each with its own history: samples of "
                 "channel 0, 1, .., C-1, 0, .., the index on s_axis_tuser (a sample out of order "
                 "is dropped and flagged on channel_error), the result's on m_axis_tuser",
         .min = 1,
         .max = 64,
         .default_value = Value{std::int64_t{1}}},
        {.name = "coeff-sets",
         .kind = OptionKind::integer,
         .value_name = "S",
         .help = "coefficient sets, the set of each sample (decimation: of each block) on "
                 "s_axis_tuser above the channel index; --coeffs gives S sets in turn; loadable: a "
                 "packet replaces the set named on s_axis_coef_tuser",
         .min = 1,
         .max = 16,
         .default_value = Value{std::int64_t{1}}},
        {.name = "samples-per-clock",
         .kind = OptionKind::integer,
         .value_name = "P",
         .help = "samples per s_axis beat and results per m_axis beat, sample 0 (the oldest) in "
                 "the low bits: P lanes of multipliers, a sample rate of P times the clock",
         .min = 1,
         .max = 8,
         .default_value = Value{std::int64_t{1}},
         .accepted = "2 to 8 only with --filter-type single-cycle or decimation by a multiple "
                     "of P, one channel and parallel complex ports"},
    };
    return declared;
}

const CoreRegistration registration{CoreDefinition{
    .name = "fir",
    .source_dir = "fir",
    .summary =
        "FIR filter (single-cycle, multi-cycle, decimating or interpolating; AXI4-Stream top)",
    .options = options(),
    .example = "ipgen fir --coeff-width 16 --taps 31 --output-width 24 --symmetry symmetric "
               "--coeffs 0,-64,-56,86,209,0,-439,-377,515,1128,0,-2103,-1864,2944,9820,13107 "
               "--out lowpass",
    .check = check_fir,
    .generate = generate_fir,
    .vectors = fir_vectors,
    .model = fir_beats,
}};

} // namespace

fir::FirConfig fir_model_config(const Config& config) {
    return model_config(config);
}

std::vector<fir::CoeffSet> fir_initial_sets(const Config& config) {
    const FirConfig c = model_config(config);
    const std::vector<CoeffSet> sets = coeff_sets(c, checked_coefficients(config).values);
    return c.loadable ? std::vector<CoeffSet>(sets.size(), CoeffSet(c.num_coeffs())) : sets;
}

fir::CoeffSet fir_initial_set(const Config& config) {
    return fir_initial_sets(config).front();
}

} // namespace ipgen::front
