#include "cores/common/rs_code_options.hpp"

#include <array>
#include <utility>

namespace ipgen::front {

namespace {

// The usual primitive polynomial of each width m = 2 .. 12.
constexpr std::array<int, 13> default_field_poly{0,   0,   7,   11,   19,   37,  67,
                                                 137, 285, 529, 1033, 2053, 4179};
constexpr int ccsds_first_root = 112;
constexpr int ccsds_root_spacing = 11;
constexpr int ccsds_symbol_width = 8;
// The values the generators hold in 32-bit integers.
constexpr std::int64_t max_int32 = 2147483647;

const char* option_of(rs::CodeValue value) {
    switch (value) {
    case rs::CodeValue::symbol_width:
        return "symbol-width";
    case rs::CodeValue::n:
        return "n";
    case rs::CodeValue::k:
        return "k";
    case rs::CodeValue::field_poly:
        return "field-poly";
    case rs::CodeValue::first_root:
        return "first-root";
    case rs::CodeValue::root_spacing:
        return "root-spacing";
    case rs::CodeValue::erasures:
        return "erasures";
    }
    return "";
}

// The names of the standards, for the choice.
std::vector<std::string> standard_names() {
    std::vector<std::string> names;
    for (const RsStandard& standard : rs_standards()) {
        names.emplace_back(standard.name);
    }
    return names;
}

std::string standard_help() {
    return "a standard code by name (man ipgen gives each one's values): sets --symbol-width, "
           "--n, --k, --field-poly, --first-root, --root-spacing and --ccsds; a value given as "
           "well must agree";
}

// Sets a code value from the standard; a value given must be the same.
Problems take_standard_value(Config& config, const RsStandard& standard, const char* option,
                             std::int64_t value) {
    if (config.given(option) && config.integer(option) != value) {
        return {{option, std::to_string(config.integer(option)),
                 std::string("--standard ") + standard.name + " has " + option + " " +
                     std::to_string(value),
                 std::to_string(value) + " with --standard " + standard.name + " (or leave --" +
                     option + " out)"}};
    }
    config.set_given(option, value);
    return {};
}

Problems fill_standard(Config& config) {
    const RsStandard* standard = rs_standard_of(config);
    if (standard == nullptr) {
        return {}; // the front-end has required --symbol-width, --n and --k
    }
    const std::pair<const char*, int> values[] = {{"symbol-width", standard->symbol_width},
                                                  {"n", standard->n},
                                                  {"k", standard->k},
                                                  {"field-poly", standard->field_poly},
                                                  {"first-root", standard->first_root},
                                                  {"root-spacing", standard->root_spacing}};
    for (const auto& [option, value] : values) {
        Problems problems = take_standard_value(config, *standard, option, value);
        if (!problems.empty()) {
            return problems;
        }
    }
    if (config.given("ccsds") && config.flag("ccsds") != standard->ccsds) {
        return {{"ccsds", std::nullopt,
                 std::string("--standard ") + standard->name +
                     (standard->ccsds ? " is in the CCSDS dual basis"
                                      : " is not in the CCSDS dual basis"),
                 standard->ccsds
                     ? "--ccsds or nothing with --standard " + std::string(standard->name)
                     : "no --ccsds with --standard " + std::string(standard->name)}};
    }
    if (standard->ccsds) {
        config.set_given("ccsds", true);
    }
    return {};
}

} // namespace

const std::vector<RsStandard>& rs_standards() {
    static const std::vector<RsStandard> standards{
        {"dvb", 8, 204, 188, 285, 0, 1, false},
        {"atsc", 8, 207, 187, 285, 0, 1, false},
        {"g709", 8, 255, 239, 285, 0, 1, false},
        {"ccsds", 8, 255, 223, ccsds_field_poly, 112, 11, true},
        {"ccsds-e8", 8, 255, 239, ccsds_field_poly, 120, 11, true},
        {"kr4", 10, 528, 514, 1033, 0, 1, false},
        {"kp4", 10, 544, 514, 1033, 0, 1, false},
    };
    return standards;
}

const RsStandard* rs_standard_of(const Config& config) {
    if (!config.has("standard")) {
        return nullptr;
    }
    const std::string& name = config.choice("standard");
    for (const RsStandard& standard : rs_standards()) {
        if (name == standard.name) {
            return &standard;
        }
    }
    return nullptr;
}

std::vector<Option> rs_code_options(const std::string& k_accepted, const std::string& root_owner) {
    return {
        {.name = "standard",
         .kind = OptionKind::choice,
         .value_name = "NAME",
         .help = standard_help(),
         .choices = standard_names(),
         .default_rule = "none: the code from the options below"},
        {.name = "symbol-width",
         .kind = OptionKind::integer,
         .value_name = "M",
         .help = "bits per symbol; the field is GF(2^M)",
         .min = 2,
         .max = 12,
         .required_unless = "standard"},
        {.name = "n",
         .kind = OptionKind::integer,
         .value_name = "N",
         .help = "symbols per codeword (below 2^M-1: a shortened code)",
         .min = 2,
         .max = 4095,
         .accepted = "k+1 to 2^M-1",
         .required_unless = "standard"},
        {.name = "k",
         .kind = OptionKind::integer,
         .value_name = "K",
         .help = "data symbols per codeword",
         .min = 1,
         .max = 4094,
         .accepted = k_accepted,
         .required_unless = "standard"},
        {.name = "field-poly",
         .kind = OptionKind::integer,
         .value_name = "POLY",
         .help = "field polynomial, bit i the coefficient of x^i",
         .min = 7,
         .max = 8191,
         .default_rule =
             "per M: 7 11 19 37 67 137 285 529 1033 2053 4179 for M = 2 .. 12; 391 with --ccsds",
         .accepted = "a primitive polynomial of degree M"},
        {.name = "first-root",
         .kind = OptionKind::integer,
         .value_name = "G",
         .help = root_owner + " roots are alpha^((G + i) * H), i = 0 .. n-k-1",
         .min = 0,
         .max = max_int32,
         .default_rule = "0; 112 with --ccsds"},
        {.name = "root-spacing",
         .kind = OptionKind::integer,
         .value_name = "H",
         .help = "the step H between the roots' exponents",
         .min = 1,
         .max = max_int32,
         .default_rule = "1; 11 with --ccsds",
         .accepted = "coprime to 2^M-1"},
    };
}

Problems check_ccsds_and_fill_code(Config& config) {
    if (Problems problems = fill_standard(config); !problems.empty()) {
        return problems;
    }
    const bool ccsds = config.flag("ccsds");
    const std::int64_t m = config.integer("symbol-width");
    if (ccsds && m != ccsds_symbol_width) {
        return {{"ccsds", std::nullopt,
                 "needs --symbol-width 8 (the CCSDS dual basis is defined over GF(256)), not " +
                     std::to_string(m),
                 "--ccsds with --symbol-width 8"}};
    }
    if (ccsds && config.given("field-poly") && config.integer("field-poly") != ccsds_field_poly) {
        return {{"field-poly", std::to_string(config.integer("field-poly")),
                 "--ccsds needs the CCSDS field polynomial",
                 "391 with --ccsds (or leave --field-poly out)"}};
    }
    config.set_default("field-poly",
                       std::int64_t{ccsds ? ccsds_field_poly
                                          : default_field_poly.at(static_cast<std::size_t>(m))});
    config.set_default("first-root", std::int64_t{ccsds ? ccsds_first_root : 0});
    config.set_default("root-spacing", std::int64_t{ccsds ? ccsds_root_spacing : 1});
    return {};
}

rs::CodeValues rs_code_values(const Config& config) {
    const auto value = [&](const char* name) { return static_cast<int>(config.integer(name)); };
    return {value("symbol-width"), value("n"),          value("k"),
            value("field-poly"),   value("first-root"), value("root-spacing")};
}

Problem rs_problem(const rs::CodeProblem& problem, const Config& config) {
    const auto value_of = [&](rs::CodeValue value) {
        return std::to_string(config.integer(option_of(value)));
    };
    std::string why;
    for (std::size_t i = 1; i < problem.values.size(); ++i) {
        why += std::string(i == 1 ? "with " : ", ") + "--" + option_of(problem.values[i]) + " " +
               value_of(problem.values[i]);
    }
    const std::string reason = problem.why.empty() ? "out of range" : problem.why;
    return {option_of(problem.values.front()), value_of(problem.values.front()),
            why.empty() ? reason : why + ": " + reason, problem.accepted};
}

} // namespace ipgen::front
