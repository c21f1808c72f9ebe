// ipgen fir: the FIR filter core. The options are the fourteen lines of
// user_params.txt (firparam's defaults where none is given) and the
// coefficients; the folder gets user_params.txt and cin.dec (cin_cmplx.dec)
// as firparam and the user would write them, and firgen's library turns
// them into parameters.v (and cin.hex) in memory, with firgen's checks.
// The testbench vectors come from the integer model (fir_model.hpp).
#include "generators/common/fatal_error.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/fir_common/coefficient_files.hpp"
#include "generators/firgen/coefficient_string.hpp"
#include "generators/firgen/derived_values.hpp"
#include "generators/firgen/firgen_params.hpp"
#include "generators/firgen/parameters_file.hpp"
#include "generators/firparam/user_params.hpp"
#include "ipgen/core_description.hpp"
#include "cores/fir/fir_interface.hpp"
#include "cores/fir/fir_model.hpp"
#include "ipgen/options.hpp"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <random>
#include <sstream>

namespace ipgen::front {

namespace {

using fir::CoeffSet;
using fir::FirConfig;
using fir::Value;

// One line of user_params.txt as an option: a number, or a choice among
// names that stand for the line's index 0, 1, ...
struct LineOption {
    const char* option;
    int line;
    std::vector<const char*> names;
};

const std::vector<LineOption> line_options = {
    {"tap-width", 1, {}},
    {"coeff-width", 2, {}},
    {"taps", 3, {}},
    {"output-width", 4, {}},
    {"filter-type", 5, {"single-cycle", "multi-cycle", "decimation", "interpolation"}},
    {"loadable", 6, {}},
    {"symmetry", 7, {"none", "symmetric", "antisymmetric"}},
    {"rounding", 8, {"truncation", "nearest"}},
    {"arithmetic", 9, {"signed", "unsigned"}},
    {"data-type", 10, {"real", "complex"}},
    {"cycles", 11, {}},
    {"decimation", 12, {}},
    {"interpolation", 13, {}},
    {"complex-input", 14, {"parallel", "serial"}},
};

std::string choices(const std::vector<const char*>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        text += std::string(i == 0 ? "" : i + 1 < names.size() ? ", " : " or ") + names[i];
    }
    return text;
}

std::optional<std::int64_t> parse_integer(const std::string& text) {
    std::int64_t value = 0;
    const char* first = text.data() + (text.starts_with('+') ? 1 : 0);
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || first == end) {
        return std::nullopt;
    }
    return value;
}

int option_value(const LineOption& option, const std::string& text) {
    const std::string given = "--" + std::string(option.option) + " " + text;
    if (!option.names.empty()) {
        const auto found = std::find(option.names.begin(), option.names.end(), text);
        if (found == option.names.end()) {
            refuse(given + ": accepted: " + choices(option.names));
        }
        return static_cast<int>(found - option.names.begin());
    }
    const auto value = parse_integer(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX) {
        refuse(given + ": accepted: a decimal number within the 32-bit range");
    }
    return static_cast<int>(*value);
}

// firgen's refusal, "firgen: user_params.txt line N (name): ...", with the
// option of that line named first.
[[noreturn]] void refuse_as_ipgen(const FatalError& error) {
    std::string message = error.message();
    const std::string program = "firgen: ";
    if (message.starts_with(program)) {
        message.erase(0, program.size());
    }
    for (const LineOption& option : line_options) {
        const std::string label = fir::user_param_label(option.line);
        if (message.starts_with(label)) {
            message = "--" + std::string(option.option) + " (" + fir::user_params_file_name +
                      " line " + std::to_string(option.line) + ", " +
                      fir::user_param_name(option.line) + ")" + message.substr(label.size());
            break;
        }
    }
    throw FatalError("ipgen: " + message, error.status());
}

// The coefficient set the options give, as numbers (pairs flattened).
std::vector<std::int64_t> given_coefficients(const OptionValues& values, const FirConfig& c,
                                             std::string& source) {
    const int n = c.num_coeffs();
    const int count = c.is_complex ? 2 * n : n;
    const std::string what = c.is_complex ? std::to_string(n) + " pairs (real, imaginary)"
                                          : std::to_string(n) + " coefficients";
    if (values.contains("coeffs") && values.contains("coeff-file")) {
        refuse("--coeffs and --coeff-file: accepted: one of them");
    }
    std::vector<std::int64_t> set;
    if (const auto list = values.find("coeffs"); list != values.end()) {
        source = "--coeffs";
        std::istringstream items(list->second);
        for (std::string item; std::getline(items, item, ',');) {
            const auto value = parse_integer(item);
            if (!value) {
                refuse("--coeffs " + list->second + ": '" + item +
                       "' is no decimal number; accepted: " + what + ", separated by commas");
            }
            set.push_back(*value);
        }
        if (static_cast<int>(set.size()) != count) {
            refuse("--coeffs: " + std::to_string(set.size()) + " values; accepted: " + what +
                   " (NUM_COEFFS of this filter)");
        }
    } else if (const auto file = values.find("coeff-file"); file != values.end()) {
        source = "--coeff-file " + file->second;
        std::ifstream in(file->second, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        if (!in) {
            throw FatalError("ipgen: cannot read --coeff-file " + file->second + "\n", 1);
        }
        // firgen's reading of cin.dec (cin_cmplx.dec), the values taken as
        // written (the range is checked below); one value more must not be
        // there: a longer file belongs to another filter.
        const fir::DecimalLayout layout =
            c.is_complex ? fir::DecimalLayout::complex_pairs : fir::DecimalLayout::signed_values;
        const fir::DecimalCoefficients dec = fir::parse_decimal_coefficients(text.str(), n, layout);
        if (dec.bad_line) {
            refuse(source + " line " + std::to_string(*dec.bad_line) +
                   ": no decimal coefficient; accepted: " + what + ", " +
                   (c.is_complex ? "one pair per line" : "one per line"));
        }
        if (!fir::parse_decimal_coefficients(text.str(), n + 1, layout).bad_line) {
            refuse(source + ": more values than " + what + " (NUM_COEFFS of this filter)");
        }
        set = dec.values;
    } else {
        // A triangle (low-pass) within the width, the imaginary parts of
        // alternating sign.
        source = "the default triangle";
        const std::int64_t top = c.signed_coeffs() ? (std::int64_t{1} << (c.width - 1)) - 1
                                                   : (std::int64_t{1} << c.width) - 1;
        for (int k = 0; k < n; ++k) {
            // (a 1-bit signed coefficient is 0 or -1)
            const std::int64_t v =
                top > 0 ? std::min<std::int64_t>(std::min(k + 1, c.taps - k), top) : -1;
            set.push_back(v);
            if (c.is_complex) {
                set.push_back(k % 2 == 0 || v < 0 ? v : -v);
            }
        }
    }
    const bool is_signed = c.signed_coeffs();
    const std::int64_t lo = is_signed ? -(std::int64_t{1} << (c.width - 1)) : 0;
    const std::int64_t hi =
        is_signed ? (std::int64_t{1} << (c.width - 1)) - 1 : (std::int64_t{1} << c.width) - 1;
    for (size_t i = 0; i < set.size(); ++i) {
        if (set[i] < lo || set[i] > hi) {
            refuse(source + ": coefficient " + std::to_string(c.is_complex ? i / 2 : i) + " is " +
                   std::to_string(set[i]) +
                   " (coeff data out of range); accepted: " + std::to_string(lo) + " to " +
                   std::to_string(hi) + " (" + std::to_string(c.width) + "-bit " +
                   (is_signed ? "signed" : "unsigned") + " coefficients)");
        }
    }
    return set;
}

// A hexadecimal word of the fields given most significant first; a value
// narrower than its field is sign-extended.
std::string hex_word(std::initializer_list<std::pair<std::int64_t, int>> fields) {
    std::vector<bool> bits; // least significant first
    for (auto field = std::rbegin(fields); field != std::rend(fields); ++field) {
        for (int i = 0; i < field->second; ++i) {
            bits.push_back(i < 63 ? ((field->first >> i) & 1) != 0 : field->first < 0);
        }
    }
    std::string text;
    for (size_t i = 0; i < bits.size(); i += 4) {
        int digit = 0;
        for (size_t j = i; j < std::min(i + 4, bits.size()); ++j) {
            digit |= bits[j] ? 1 << (j - i) : 0;
        }
        text.insert(text.begin(), "0123456789abcdef"[digit]);
    }
    return text;
}

std::int64_t part(std::int64_t v, int width) {
    return width >= 63 ? v : v & ((std::int64_t{1} << width) - 1);
}

// The testbench's run: (loadable) the set loaded, an impulse of the
// largest sample followed by zeros, so that the first results are the
// impulse response, then random samples, (loadable) a new random set
// loaded in the middle of them.
void make_vectors(CoreBuild& build, const FirConfig& c, const CoeffSet& first) {
    std::mt19937 random(static_cast<unsigned>(c.taps * 131 + c.width * 7 + c.filter_type));
    const auto next = [&](bool is_signed) {
        const std::int64_t lo = is_signed ? -(std::int64_t{1} << (c.width - 1)) : 0;
        const std::int64_t hi =
            is_signed ? (std::int64_t{1} << (c.width - 1)) - 1 : (std::int64_t{1} << c.width) - 1;
        const unsigned pick = random() % 6;
        return pick == 0   ? lo
               : pick == 1 ? hi
                           : std::uniform_int_distribution<std::int64_t>(lo, hi)(random);
    };
    const auto value = [&](bool is_signed) {
        Value v{next(is_signed), 0};
        v.im = c.is_complex ? next(is_signed) : 0;
        return v;
    };
    const int w = c.width;
    const int data_width = c.is_complex ? 2 * w : w;
    const auto word = [&](const Value& v) {
        return c.is_complex ? hex_word({{0, 2}, {part(v.im, w), w}, {part(v.re, w), w}})
                            : hex_word({{0, 2}, {part(v.re, w), w}});
    };
    std::vector<fir::Event> events;
    const auto load = [&](const CoeffSet& set) {
        events.push_back({true, {}, set});
        for (size_t k = 0; k < set.size(); ++k) {
            const std::int64_t last = k + 1 == set.size() ? 1 : 0;
            build.tb_in.push_back(
                c.is_complex
                    ? hex_word(
                          {{1, 1}, {last, 1}, {part(set[k].im, w), w}, {part(set[k].re, w), w}})
                    : hex_word({{1, 1}, {last, 1}, {part(set[k].re, w), w}}));
        }
    };
    const auto sample = [&](const Value& s) {
        events.push_back({false, s, {}});
        if (c.is_complex && c.serial) {
            build.tb_in.push_back(hex_word({{0, 2}, {0, data_width - w}, {part(s.re, w), w}}));
            build.tb_in.push_back(hex_word({{0, 2}, {0, data_width - w}, {part(s.im, w), w}}));
        } else {
            build.tb_in.push_back(word(s));
        }
    };
    if (c.loadable) {
        load(first);
    }
    const std::int64_t peak =
        c.is_unsigned ? (std::int64_t{1} << w) - 1 : (std::int64_t{1} << (w - 1)) - 1;
    sample({peak, 0});
    for (int k = 1; k < c.taps; ++k) {
        sample({});
    }
    // Enough samples for a few results of a decimating filter.
    const int count = std::max(120, 4 * c.deci);
    for (int n = 0; n < count; ++n) {
        if (c.loadable && n == count / 2) {
            CoeffSet set;
            for (int k = 0; k < c.num_coeffs(); ++k) {
                set.push_back(value(c.signed_coeffs()));
            }
            load(set);
        }
        sample(value(!c.is_unsigned));
    }
    const int ow = c.out_width;
    for (const Value& r : fir::run_model(c, c.loadable ? CoeffSet(first.size()) : first, events)) {
        if (c.is_complex && c.serial) {
            build.tb_out.push_back(hex_word({{r.re, ow}}));
            build.tb_out.push_back(hex_word({{r.im, ow}}));
        } else if (c.is_complex) {
            build.tb_out.push_back(hex_word({{r.im, ow}, {r.re, ow}}));
        } else {
            build.tb_out.push_back(hex_word({{r.re, ow}}));
        }
    }
}

const char* const type_names[] = {"single", "multi", "deci", "inter"};

CoreBuild build_fir(const OptionValues& given,
                    const std::string& /*header: parameters.v has none*/) {
    // The fourteen values: firparam's defaults, then the options. The two
    // widths are one in the core (firgen reads line 2 for both): either
    // one alone sets both.
    fir::param::FirUserParams user = fir::param::default_params();
    OptionValues values = given;
    if (values.contains("tap-width") != values.contains("coeff-width")) {
        const std::string& width =
            values.contains("tap-width") ? values.at("tap-width") : values.at("coeff-width");
        values.try_emplace("tap-width", width);
        values.try_emplace("coeff-width", width);
    }
    for (const LineOption& option : line_options) {
        const auto found = values.find(option.option);
        if (found == values.end()) {
            continue;
        }
        int& field = user.*fir::param::user_param_fields[static_cast<size_t>(option.line - 1)];
        field = std::string(option.option) == "loadable" ? (found->second == "1" ? 1 : 0)
                                                         : option_value(option, found->second);
    }
    if (user.m_nTapWidth != user.m_nCoeffWidth) {
        refuse("--tap-width " + std::to_string(user.m_nTapWidth) + " --coeff-width " +
               std::to_string(user.m_nCoeffWidth) +
               ": accepted: equal widths (the core takes samples and coefficients of one width)");
    }

    // firgen's library on the file, in memory.
    const std::string user_params = fir::param::user_params_text(user);
    const fir::UserParamLines lines = fir::read_user_param_lines(user_params);
    const fir::gen::FirGenParams params = fir::gen::firgen_params_from_lines(lines);
    try {
        fir::gen::validate_firgen(lines, params);
    } catch (const FatalError& error) {
        refuse_as_ipgen(error);
    }
    const fir::gen::FirGenKeywords keywords = fir::gen::look_up_keywords(params);
    const fir::gen::FirGenDerived derived = fir::gen::derive(params, keywords);

    FirConfig c;
    c.width = params.data_width;
    c.taps = params.num_taps;
    c.out_width = params.output_width;
    c.filter_type = params.filter_index;
    c.loadable = params.coeff_index == 1;
    c.symmetry = params.symmetry_index;
    c.nearest = params.rounding_index == 1;
    c.is_unsigned = params.arithmetic_index == 1;
    c.is_complex = params.data_type_index == 1;
    c.cycles = params.num_cycles;
    c.deci = params.deci_ratio;
    c.inter = params.inter_ratio;
    c.serial = c.is_complex && params.complex_in_index == 1;
    // The model sums exact products in 64-bit integers: they and their
    // sum must stay below 2^61.
    const int sum_bits = 2 * c.width + fir::gen::nextlog2(c.taps) + (c.is_complex ? 3 : 2);
    if (c.width > 30 || sum_bits > 61) {
        refuse("--coeff-width " + std::to_string(c.width) + " with " + std::to_string(c.taps) +
               " taps: sums of " + std::to_string(sum_bits) +
               " bits; accepted: up to 61 (the testbench's model computes in 64 bits)");
    }

    std::string source;
    const std::vector<std::int64_t> numbers = given_coefficients(values, c, source);
    CoeffSet set;
    std::string dec;
    for (size_t i = 0; i < numbers.size(); i += c.is_complex ? 2 : 1) {
        set.push_back({numbers[i], c.is_complex ? numbers[i + 1] : 0});
        dec += c.is_complex
                   ? std::to_string(numbers[i]) + "\t" + std::to_string(numbers[i + 1]) + "\n"
                   : std::to_string(numbers[i]) + "\n";
    }
    const fir::CoefficientFiles& files =
        c.is_complex ? fir::complex_coefficient_files : fir::real_coefficient_files;

    CoreBuild build;
    build.generated = {{fir::user_params_file_name, user_params, FileRole::data},
                       {files.dec, dec, FileRole::data}};
    std::string coefficients;
    if (!c.loadable) {
        // cin.dec -> cin.hex -> COEFF_VALUE, as firgen converts and packs them.
        const int n = static_cast<int>(derived.num_coeffs);
        const std::int64_t full = std::int64_t{1} << c.width;
        std::vector<fir::CoefficientCode> codes;
        for (const std::int64_t v : numbers) {
            codes.push_back(c.is_complex || !c.is_unsigned
                                ? fir::signed_code(v, full / 2, full)
                                : fir::unsigned_code(static_cast<std::uint64_t>(v),
                                                     static_cast<std::uint64_t>(full)));
        }
        StringSink hex;
        StringSink console;
        fir::write_hex_lines(hex, console, codes, c.width, fir::DigitCase::upper, c.is_complex);
        const auto read_back = fir::parse_hex_values(hex.text(), n, c.is_complex);
        const fir::gen::CoefficientString packed =
            c.is_complex ? fir::gen::pack_cmplx(read_back, n, c.width, console)
                         : fir::gen::pack_real(read_back, n, c.width, c.is_unsigned, console);
        if (!packed.text) {
            throw FatalError("ipgen: " + console.text(), 1);
        }
        coefficients = *packed.text;
        build.generated.push_back({files.hex, hex.take(), FileRole::data});
    }
    StringSink parameters;
    fir::gen::write_parameters(parameters, params, keywords, derived, coefficients);
    build.generated.push_back(
        {fir::gen::parameters_file_name, parameters.take(), FileRole::include});

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

    build.command = {"ipgen", "fir"};
    for (const LineOption& option : line_options) {
        const int v = user.*fir::param::user_param_fields[static_cast<size_t>(option.line - 1)];
        if (std::string(option.option) == "loadable") {
            build.command.push_back(v != 0 ? "--loadable" : "--no-loadable");
        } else {
            build.command.push_back("--" + std::string(option.option));
            build.command.push_back(option.names.empty() ? std::to_string(v)
                                                         : option.names[static_cast<size_t>(v)]);
        }
    }
    std::string list;
    for (const std::int64_t v : numbers) {
        list += (list.empty() ? "" : ",") + std::to_string(v);
    }
    build.command.insert(build.command.end(), {"--coeffs", list});

    const auto row = [&](const std::string& name, const std::string& value,
                         const std::string& why) {
        build.values.push_back({name, value, why});
    };
    row("width", std::to_string(c.width), "bits of samples and coefficients (INPUT_DATA_WIDTH)");
    row("taps", std::to_string(c.taps), "NUM_TAPS; NUM_COEFFS " + std::to_string(c.num_coeffs()));
    row("output width", std::to_string(c.out_width),
        "result bits (per part) of the full " +
            std::to_string(derived.output_full_width / (c.is_complex ? 2 : 1)) +
            " (OUTPUT_WIDTH, OUTPUT_FULL_WIDTH)");
    row("filter type", std::string(keywords.filter),
        "cycles " + std::to_string(c.cycles) + ", decimation " + std::to_string(c.deci) +
            ", interpolation " + std::to_string(c.inter));
    row("coefficients", std::string(keywords.coeff),
        c.loadable ? source + ": the set the testbench loads first" : source);
    row("symmetry", std::string(keywords.symmetry), "");
    row("rounding", std::string(keywords.rounding), "");
    row("arithmetic", std::string(keywords.arithmetic), "");
    row("data type", std::string(keywords.data_type), std::string(keywords.complex_in));
    row("multipliers", std::to_string(derived.num_multipliers), "NUM_MULTIPLIERS");

    make_vectors(build, c, set);
    build.tb_seed = 1 + c.taps % 89;
    return build;
}

const CoreRegistration registration{CoreDescription{
    "fir",
    "fir",
    "FIR filter (single-cycle, multi-cycle, decimating or interpolating; AXI4-Stream top)",
    {
        {"tap-width", "W", "sample bits (user_params.txt line 1); 1 or more",
         "8, or --coeff-width"},
        {"coeff-width", "W",
         "coefficient bits (line 2); the core takes samples and coefficients of this one width; "
         "1 to 32 for fixed coefficients",
         "8, or --tap-width"},
        {"taps", "T", "number of taps (line 3); 1 or more", "6"},
        {"output-width", "OW",
         "result bits (line 4); fewer than the full width are dropped at the bottom", "19"},
        {"filter-type", "TYPE",
         "(line 5) single-cycle (a sample per clock), multi-cycle (--cycles clocks per sample), "
         "decimation (by --decimation) or interpolation (by --interpolation)",
         "single-cycle"},
        {"loadable", "", "coefficients loaded at run time through s_axis_coef (line 6)", "off",
         true},
        {"symmetry", "SYM", "(line 7) none, symmetric or antisymmetric", "none"},
        {"rounding", "MODE", "(line 8) truncation or nearest", "truncation"},
        {"arithmetic", "MODE", "(line 9) signed or unsigned", "signed"},
        {"data-type", "TYPE", "(line 10) real or complex", "real"},
        {"cycles", "NC", "clocks per sample of a multi-cycle filter (line 11); 1 or more", "1"},
        {"decimation", "D", "decimation ratio (line 12); 1 or more", "1"},
        {"interpolation", "U", "interpolation ratio (line 13); 1 or more", "1"},
        {"complex-input", "MODE", "(line 14) parallel ({imaginary, real} in one beat) or serial",
         "parallel"},
        {"coeffs", "LIST",
         "the coefficients c[0],c[1],... (NUM_COEFFS of them: half the taps, rounded up, when "
         "symmetric), separated by commas; complex: real,imaginary,real,... ; within the width",
         "a triangle, c[k] = min(k+1, T-k) (complex: imaginary parts of alternating sign)"},
        {"coeff-file", "FILE", "the coefficients as in cin.dec (cin_cmplx.dec: pairs)",
         "none (--coeffs, or the triangle)"},
    },
    "ipgen fir --coeff-width 16 --taps 31 --output-width 24 --symmetry symmetric "
    "--coeffs 0,-64,-56,86,209,0,-439,-377,515,1128,0,-2103,-1864,2944,9820,13107 --out lowpass",
    build_fir,
}};

} // namespace

} // namespace ipgen::front
