#include "ipgen/options.hpp"

#include "generators/common/fatal_error.hpp"

#include <algorithm>
#include <cctype>

namespace ipgen::front {

namespace {

// Every core ipgen will carry; those without a description yet are refused
// as "not available yet".
const std::vector<std::string> planned_cores{"rs-encoder", "rs-decoder", "fir", "viterbi"};

std::string core_list() {
    std::string list;
    for (const std::string& name : planned_cores) {
        list += (list.empty() ? "" : ", ") + name;
    }
    return list;
}

bool is_identifier(const std::string& text) {
    if (text.empty() || std::isdigit(static_cast<unsigned char>(text[0])) != 0) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

const CoreDescription& find_named_core(const std::string& name) {
    if (const CoreDescription* core = find_core(name)) {
        return *core;
    }
    if (std::find(planned_cores.begin(), planned_cores.end(), name) != planned_cores.end()) {
        refuse("core " + name + " is not available yet");
    }
    refuse("unknown core '" + name + "'; accepted: " + core_list());
}

const OptionSpec* find_option(const CoreDescription& core, const std::string& name) {
    for (const OptionSpec& option : core.options) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

} // namespace

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
        refuse("the core comes first: ipgen CORE [OPTIONS] --out DIR, CORE one of " + core_list());
    }
    line.core = &find_named_core(*core_arg);

    bool have_prefix = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with("--") || arg.size() == 2) {
            refuse("unexpected argument '" + arg + "'; options are --name value (ipgen --help)");
        }
        std::string name = arg.substr(2);
        std::optional<std::string> value;
        if (const size_t eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const auto take_value = [&]() -> std::string {
            if (value) {
                return *value;
            }
            if (i + 1 >= args.size()) {
                refuse("--" + name + " needs a value");
            }
            return args[++i];
        };
        const auto no_value = [&]() {
            if (value) {
                refuse("--" + name + " takes no value");
            }
        };
        if (name == "out") {
            line.out = take_value();
            if (line.out.empty()) {
                refuse("--out needs a folder name");
            }
        } else if (name == "prefix") {
            line.prefix = take_value();
            have_prefix = true;
        } else if (name == "header") {
            line.header_file = take_value();
        } else if (name == "force") {
            no_value();
            line.force = true;
        } else if (const OptionSpec* option = find_option(*line.core, name)) {
            if (option->value_name.empty()) {
                no_value();
                line.values[name] = "1";
            } else {
                line.values[name] = take_value();
            }
        } else if (const OptionSpec* negated =
                       name.starts_with("no-") ? find_option(*line.core, name.substr(3)) : nullptr;
                   negated != nullptr && negated->negatable) {
            no_value();
            line.values[negated->name] = "0";
        } else {
            refuse("unknown option --" + name + " for " + line.core->name +
                   " (ipgen --help lists the options)");
        }
    }
    if (have_prefix && !is_identifier(line.prefix)) {
        refuse("--prefix " + line.prefix +
               ": accepted: a Verilog identifier start (letters, digits, _; not a digit first)");
    }
    if (line.out.empty()) {
        refuse("--out DIR is required: the folder the core is written to");
    }
    for (const OptionSpec& option : line.core->options) {
        if (option.default_text.empty() && !line.values.contains(option.name)) {
            refuse(line.core->name + " needs --" + option.name + " " + option.value_name + " (" +
                   option.help + ")");
        }
    }
    return line;
}

std::string help_text() {
    std::string text = "usage: ipgen CORE [OPTIONS] --out DIR\n"
                       "\n"
                       "Writes a complete core folder: the generated Verilog, the core's own\n"
                       "sources, a compile-order list DIR/<name>.f, a FuseSoC core <name>.core,\n"
                       "README.md, a self-checking testbench with vectors from ipgen's model,\n"
                       "and a Makefile (make sim | lint | synth | pnr).\n"
                       "\n"
                       "Options of every core:\n"
                       "  --out DIR        folder to write; created when missing; an existing\n"
                       "                   folder must be empty unless --force is given\n"
                       "  --force          write into a non-empty folder, replacing files\n"
                       "  --prefix P       begin every module, macro and Verilog file name with P\n"
                       "                   (a Verilog identifier), so cores can share a design\n"
                       "  --header FILE    copy FILE to the top of the generated files (default:\n"
                       "                   a banner naming ipgen and the core)\n"
                       "  --help           this text\n"
                       "  --version        the version\n";
    for (const CoreDescription& core : registered_cores()) {
        text += "\nipgen " + core.name + ": " + core.summary + "\n";
        for (const OptionSpec& option : core.options) {
            std::string head = "  --" + option.name;
            if (!option.value_name.empty()) {
                head += " " + option.value_name;
            }
            if (option.negatable) {
                head += ", --no-" + option.name;
            }
            text += head + "\n      " + option.help + "\n      " +
                    (option.default_text.empty() ? std::string("required")
                                                 : "default: " + option.default_text) +
                    "\n";
        }
        text += "  example:\n    " + core.example + "\n";
    }
    for (const std::string& name : planned_cores) {
        if (find_core(name) == nullptr) {
            text += "\nipgen " + name + ": not available yet\n";
        }
    }
    text += "\nExit status: 0 written; 1 the folder or the header cannot be written or\n"
            "read; 2 refused options (nothing is written).\n";
    return text;
}

} // namespace ipgen::front
