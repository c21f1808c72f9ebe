#include "ipgen/options.hpp"

#include "generators/common/fatal_error.hpp"
#include "ipgen/describe_interface.hpp"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace ipgen::front {

namespace {

// Beyond any bound a declaration states; keeps the reading free of overflow.
constexpr int max_digits = 15;

// The registered cores, in name order.
std::string core_list() {
    std::vector<std::string> names;
    for (const CoreDefinition& core : registered_cores()) {
        names.push_back(core.name);
    }
    return alternatives(names);
}

bool is_identifier(const std::string& text) {
    if (text.empty() || std::isdigit(static_cast<unsigned char>(text[0])) != 0) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

const CoreDefinition& find_named_core(const std::string& name) {
    if (const CoreDefinition* core = find_core(name)) {
        return *core;
    }
    refuse("unknown core '" + name + "'; accepted: " + core_list());
}

const Option* find_option(const CoreDefinition& core, const std::string& name) {
    for (const Option& option : core.options) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

std::string octal(std::int64_t value) {
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + value % 8));
        value /= 8;
    } while (value > 0);
    return text;
}

std::string bound_text(const Option& option, std::int64_t value) {
    return option.kind == OptionKind::octal_list ? octal(value) : std::to_string(value);
}

std::string range_text(const Option& option) {
    return bound_text(option, option.min) + " to " + bound_text(option, option.max);
}

// What the option accepts, as --help, --describe and the refusals state it.
std::string accepted_text(const Option& option) {
    const std::string extra = option.accepted.empty() ? "" : "; " + option.accepted;
    switch (option.kind) {
    case OptionKind::integer:
        return range_text(option) + extra;
    case OptionKind::choice:
        return alternatives(option.choices);
    case OptionKind::flag:
        return option.negatable ? "--" + option.name + " or --no-" + option.name
                                : "--" + option.name;
    case OptionKind::integer_list:
        return "decimal numbers separated by commas, each " + range_text(option) + extra;
    case OptionKind::octal_list:
        return "octal numbers separated by commas, each " + range_text(option) + extra;
    case OptionKind::file:
        return option.accepted.empty() ? "a file name" : option.accepted;
    case OptionKind::text:
        return option.accepted.empty() ? "--" + option.name + " " + option.value_name
                                       : option.accepted;
    }
    return "";
}

// A number of the given base: digits only after an optional sign (decimal
// only); leading zeros read as nothing ("010" is ten).
std::optional<std::int64_t> read_number(std::string_view text, int base, bool& too_long) {
    bool negative = false;
    if (base == 10 && !text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    int digits = 0;
    for (const char c : text) {
        if (c < '0' || c >= '0' + base) {
            return std::nullopt;
        }
        digits += digits > 0 || c != '0' ? 1 : 0;
        if (digits > max_digits) {
            too_long = true;
            continue;
        }
        value = value * base + (c - '0');
    }
    return negative ? -value : value;
}

std::string json_string(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\t') {
            json += "\\t";
        } else if (u < 0x20) {
            constexpr const char* hex = "0123456789abcdef";
            json += "\\u00";
            json += hex[u >> 4U];
            json += hex[u & 15U];
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string json_value(const Value& value) {
    if (const bool* b = std::get_if<bool>(&value)) {
        return *b ? "true" : "false";
    }
    if (const std::int64_t* i = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*i);
    }
    if (const std::string* s = std::get_if<std::string>(&value)) {
        return json_string(*s);
    }
    std::string list = "[";
    for (const std::int64_t i : std::get<std::vector<std::int64_t>>(value)) {
        list += (list.size() == 1 ? "" : ", ") + std::to_string(i);
    }
    return list + "]";
}

const char* kind_name(OptionKind kind) {
    switch (kind) {
    case OptionKind::integer:
        return "integer";
    case OptionKind::choice:
        return "choice";
    case OptionKind::flag:
        return "flag";
    case OptionKind::integer_list:
        return "integer-list";
    case OptionKind::octal_list:
        return "octal-list";
    case OptionKind::file:
        return "file";
    case OptionKind::text:
        return "text";
    }
    return "";
}

bool has_range(OptionKind kind) {
    return kind == OptionKind::integer || kind == OptionKind::integer_list ||
           kind == OptionKind::octal_list;
}

std::string default_help(const Option& option) {
    if (option.default_value) {
        const std::string value =
            option.kind == OptionKind::flag
                ? std::string(std::get<bool>(*option.default_value) ? "on" : "off")
                : value_text(option, *option.default_value);
        return "default: " + value +
               (option.default_rule.empty() ? "" : "; " + option.default_rule);
    }
    return option.default_rule.empty() ? "required" : "default: " + option.default_rule;
}

// The front-end's own refusals: the option is named, no value involved.
[[noreturn]] void refuse_option(const std::string& option, const std::string& why,
                                const std::string& accepted) {
    refuse(Problem{option, std::nullopt, why, accepted});
}

} // namespace

std::string alternatives(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : i + 1 < names.size() ? ", " : " or ") + names[i];
    }
    return text;
}

std::string value_text(const Option& option, const Value& value) {
    if (const bool* b = std::get_if<bool>(&value)) {
        return *b ? "yes" : "no";
    }
    if (const std::int64_t* i = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*i);
    }
    if (const std::string* s = std::get_if<std::string>(&value)) {
        return *s;
    }
    std::string text;
    for (const std::int64_t i : std::get<std::vector<std::int64_t>>(value)) {
        text += (text.empty() ? "" : ",") + bound_text(option, i);
    }
    return text;
}

std::optional<Value> read_value(const Option& option, const std::string& text, Problem& problem) {
    problem.accepted = accepted_text(option);
    const bool single = option.kind == OptionKind::integer;
    const auto number = [&](std::string_view item, int base) -> std::optional<std::int64_t> {
        bool too_long = false;
        const std::optional<std::int64_t> value = read_number(item, base, too_long);
        const std::string named = single ? "" : "item '" + std::string(item) + "' ";
        if (!value) {
            problem.why = single
                              ? "not a decimal number"
                              : named + (base == 8 ? "is no octal number" : "is no decimal number");
            return std::nullopt;
        }
        if (too_long || *value < option.min || *value > option.max) {
            problem.why = single ? "out of range" : named + "is out of range";
            if (single && !too_long) {
                problem.value = std::to_string(*value);
            }
            return std::nullopt;
        }
        return value;
    };
    switch (option.kind) {
    case OptionKind::integer: {
        const std::optional<std::int64_t> value = number(text, 10);
        if (!value) {
            return std::nullopt;
        }
        return Value{*value};
    }
    case OptionKind::choice:
        if (std::find(option.choices.begin(), option.choices.end(), text) == option.choices.end()) {
            problem.why = "unknown choice";
            return std::nullopt;
        }
        return Value{text};
    case OptionKind::integer_list:
    case OptionKind::octal_list: {
        std::vector<std::int64_t> values;
        std::size_t at = 0;
        while (true) {
            const std::size_t end = std::min(text.find(',', at), text.size());
            const std::optional<std::int64_t> value =
                number(std::string_view(text).substr(at, end - at),
                       option.kind == OptionKind::octal_list ? 8 : 10);
            if (!value) {
                return std::nullopt;
            }
            values.push_back(*value);
            if (end == text.size()) {
                break;
            }
            at = end + 1;
        }
        return Value{values};
    }
    case OptionKind::file:
        if (text.empty()) {
            problem.why = "an empty file name";
            return std::nullopt;
        }
        return Value{text};
    case OptionKind::text:
    case OptionKind::flag:
        return Value{text};
    }
    return std::nullopt;
}

std::string problem_line(const Problem& problem) {
    return "ipgen: --" + problem.option + (problem.value ? " " + *problem.value : "") + ": " +
           problem.why + "; accepted: " + problem.accepted + "\n";
}

void refuse(const Problem& problem) {
    throw FatalError(problem_line(problem), refused_status);
}

void refuse(const std::string& message) {
    throw FatalError("ipgen: " + message + "\n", refused_status);
}

CommandLine parse_command_line(const std::vector<std::string>& args) {
    CommandLine line;
    for (const std::string& arg : args) {
        line.help = line.help || arg == "--help";
        line.version = line.version || arg == "--version";
    }
    if (line.help || line.version) {
        return line;
    }
    const auto core_arg = std::find_if(args.begin(), args.end(),
                                       [](const std::string& a) { return !a.starts_with("-"); });
    if (core_arg == args.end() || core_arg != args.begin()) {
        refuse("the core comes first: ipgen CORE [OPTIONS] --out DIR; accepted: CORE one of " +
               core_list());
    }
    line.core = &find_named_core(*core_arg);
    const CoreDefinition& core = *line.core;
    if (std::find(args.begin(), args.end(), "--describe") != args.end()) {
        line.describe = true;
        return line;
    }

    bool have_prefix = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with("--") || arg.size() == 2) {
            refuse("unexpected argument '" + arg +
                   "'; accepted: options --NAME VALUE (ipgen --help)");
        }
        std::string name = arg.substr(2);
        std::optional<std::string> value;
        if (const size_t eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const auto take_value = [&](const std::string& value_name) -> std::string {
            if (value) {
                return *value;
            }
            if (i + 1 >= args.size()) {
                refuse_option(name, "needs a value",
                              "--" + name + " " + value_name + " or --" + name + "=" + value_name);
            }
            return args[++i];
        };
        const auto no_value = [&](const std::string& accepted) {
            if (value) {
                refuse(Problem{name, *value, "a flag takes no value", accepted});
            }
        };
        const Option* negated =
            name.starts_with("no-") ? find_option(core, name.substr(3)) : nullptr;
        if (name == "out") {
            line.out = take_value("DIR");
            if (line.out.empty()) {
                refuse_option("out", "an empty folder name", "a folder name");
            }
        } else if (name == "prefix") {
            line.prefix = take_value("P");
            have_prefix = true;
        } else if (name == "header") {
            line.header_file = take_value("FILE");
        } else if (name == "force") {
            no_value("--force");
            line.force = true;
        } else if (const Option* option = find_option(core, name)) {
            if (option->kind == OptionKind::flag) {
                no_value(accepted_text(*option));
                line.config.set_given(name, true);
                continue;
            }
            const std::string text = take_value(option->value_name);
            Problem problem{name, text, "", ""};
            std::optional<Value> read = read_value(*option, text, problem);
            if (!read) {
                refuse(problem);
            }
            if (option->repeatable && line.config.given(name)) {
                read = Value{line.config.text(name) + " " + std::get<std::string>(*read)};
            }
            line.config.set_given(name, std::move(*read));
        } else if (negated != nullptr && negated->kind == OptionKind::flag && negated->negatable) {
            no_value(accepted_text(*negated));
            line.config.set_given(negated->name, false);
        } else {
            refuse_option(name, "unknown option of " + core.name,
                          "the options ipgen --help lists for " + core.name);
        }
    }
    if (have_prefix && !is_identifier(line.prefix)) {
        refuse(Problem{"prefix", line.prefix, "not a Verilog identifier",
                       "letters, digits and _, not a digit first"});
    }
    if (line.out.empty()) {
        refuse_option("out", "required: the folder the core is written to", "--out DIR");
    }
    for (const Option& option : core.options) {
        if (option.required() && !line.config.given(option.name)) {
            refuse_option(option.name, "required", accepted_text(option));
        }
        if (option.default_value) {
            line.config.set_default(option.name, *option.default_value);
        }
    }
    const Problems problems = core.check(line.config);
    if (!problems.empty()) {
        refuse(problems.front());
    }
    return line;
}

CoreBuild build_core(const CommandLine& line, const std::string& header) {
    const CoreDefinition& core = *line.core;
    CoreBuild build = core.generate(line.config, header);
    build.command = {"ipgen", core.name};
    std::vector<std::vector<std::string>> rows;
    for (const Option& option : core.options) {
        const Value* value = line.config.find(option.name);
        rows.push_back({"--" + option.name, value != nullptr ? value_text(option, *value) : "none",
                        option.help});
        if (value == nullptr) {
            continue;
        }
        if (option.repeatable) {
            std::istringstream items(value_text(option, *value));
            for (std::string item; items >> item;) {
                build.command.insert(build.command.end(), {"--" + option.name, item});
            }
        } else if (option.kind != OptionKind::flag) {
            build.command.insert(build.command.end(),
                                 {"--" + option.name, value_text(option, *value)});
        } else if (std::get<bool>(*value)) {
            build.command.push_back("--" + option.name);
        } else if (option.negatable) {
            build.command.push_back("--no-" + option.name);
        }
    }
    rows.insert(rows.end(), build.values.begin(), build.values.end());
    build.values = std::move(rows);
    TbVectors vectors = core.vectors(line.config);
    build.tb_in = std::move(vectors.in);
    build.tb_out = std::move(vectors.out);
    build.tb_defines = std::move(vectors.defines);
    build.tb_seed = vectors.seed;
    if (line.header_file) {
        build.command.insert(build.command.end(), {"--header", *line.header_file});
    }
    return build;
}

std::string help_text() {
    std::string text = "usage: ipgen CORE [OPTIONS] --out DIR\n"
                       "       ipgen CORE --describe\n"
                       "       ipgen model CORE [OPTIONS] --in FILE --out FILE\n"
                       "\n"
                       "Writes a complete core folder: the generated Verilog, the core's own\n"
                       "sources, a compile-order list DIR/<name>.f, a FuseSoC core <name>.core,\n"
                       "README.md, a self-checking testbench with vectors from ipgen's model,\n"
                       "and a Makefile (make sim | lint | synth | pnr).\n"
                       "\n"
                       "ipgen model runs the core's bit-true model over the hex beats of FILE\n"
                       "(one per line, as in the folder's tb_in.hex) and writes the beats the\n"
                       "core gives (as in tb_out.hex); - is standard input or output.\n"
                       "\n"
                       "Numbers are decimal (+8 and 010 read as 8 and 10); lists separate their\n"
                       "items with commas.\n"
                       "\n"
                       "Options of every core:\n"
                       "  --out DIR        folder to write; created when missing; an existing\n"
                       "                   folder must be empty unless --force is given\n"
                       "  --force          write into a non-empty folder, replacing files\n"
                       "  --prefix P       begin every module, macro and Verilog file name with P\n"
                       "                   (a Verilog identifier), so cores can share a design\n"
                       "  --header FILE    copy FILE to the top of the generated files (default:\n"
                       "                   a banner naming ipgen and the core)\n"
                       "  --describe       the core's options as JSON on standard output\n"
                       "  --help           this text\n"
                       "  --version        the version\n";
    for (const CoreDefinition& core : registered_cores()) {
        text += "\nipgen " + core.name + ": " + core.summary + "\n";
        for (const Option& option : core.options) {
            std::string head = "  --" + option.name;
            if (!option.value_name.empty()) {
                head += " " + option.value_name;
            }
            if (option.negatable) {
                head += ", --no-" + option.name;
            }
            std::string accepted;
            if (option.kind != OptionKind::flag && option.kind != OptionKind::text) {
                accepted = std::string(kind_name(option.kind)) +
                           ", accepted: " + accepted_text(option) + "; ";
            }
            text += head + "\n      " + option.help + "\n      " + accepted + default_help(option) +
                    "\n";
        }
        text += "  example:\n    " + core.example + "\n";
    }
    text += "\nExit status: 0 written; 1 the folder or the header cannot be written or\n"
            "read; 2 refused options (nothing is written), each refused in one line:\n"
            "  ipgen: --NAME VALUE: <why>; accepted: <what>\n";
    return text;
}

std::string describe_json(const CoreDefinition& core) {
    std::string json = "{\"core\": " + json_string(core.name) +
                       ", \"summary\": " + json_string(core.summary) + ", \"options\": [";
    for (std::size_t i = 0; i < core.options.size(); ++i) {
        const Option& option = core.options[i];
        const bool ranged = has_range(option.kind);
        std::string choices = "null";
        if (option.kind == OptionKind::choice) {
            choices = "[";
            for (const std::string& name : option.choices) {
                choices += (choices.size() == 1 ? "" : ", ") + json_string(name);
            }
            choices += "]";
        }
        json += std::string(i == 0 ? "" : ",") + "\n  {\"name\": " + json_string(option.name) +
                ", \"kind\": " + json_string(kind_name(option.kind)) +
                ", \"value_name\": " + json_string(option.value_name) +
                ", \"min\": " + (ranged ? std::to_string(option.min) : "null") +
                ", \"max\": " + (ranged ? std::to_string(option.max) : "null") +
                ", \"choices\": " + choices + ", \"default\": " +
                (option.default_value ? json_value(*option.default_value) : "null") +
                ", \"default_rule\": " +
                (option.default_rule.empty() ? "null" : json_string(option.default_rule)) +
                ", \"required\": " + (option.required() ? "true" : "false") +
                ", \"negatable\": " + (option.negatable ? "true" : "false") +
                (option.repeatable ? ", \"repeatable\": true" : "") +
                ", \"accepted\": " + json_string(accepted_text(option)) +
                ", \"help\": " + json_string(option.help) + "}";
    }
    return json + "\n], \"interface\": " + default_interface_json(core) + "}\n";
}

} // namespace ipgen::front
