#include "ipgen/core_folder.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/input_file.hpp"
#include "generators/common/printable.hpp"
#include "ipgen/ipxact.hpp"
#include "ipgen/prefix_rename.hpp"

#include <algorithm>
#include <cctype>

namespace ipgen::front {

namespace {

bool is_verilog(FileRole role) {
    return role == FileRole::include || role == FileRole::rtl || role == FileRole::tb ||
           role == FileRole::tb_include;
}

FileRole role_of(std::string_view kind) {
    if (kind == "rtl") {
        return FileRole::rtl;
    }
    if (kind == "tb") {
        return FileRole::tb;
    }
    if (kind == "lint") {
        return FileRole::lint;
    }
    return FileRole::doc;
}

std::vector<std::string> names_with(const std::vector<FolderFile>& files, FileRole role) {
    std::vector<std::string> names;
    for (const FolderFile& file : files) {
        if (file.role == role) {
            names.push_back(file.name);
        }
    }
    return names;
}

std::string joined(const std::vector<std::string>& words, const std::string& separator) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : separator) + word;
    }
    return text;
}

// A command line as it would be typed: words with blanks or shell
// characters quoted.
std::string shell_words(const std::vector<std::string>& words) {
    std::vector<std::string> quoted;
    for (const std::string& word : words) {
        const bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) != 0 ||
                   std::string_view("-_./=+,:").find(c) != std::string_view::npos;
        });
        quoted.push_back(plain ? word : "'" + word + "'");
    }
    return joined(quoted, " ");
}

std::string tb_config_text(const CoreBuild& build) {
    std::string text =
        "// The testbench's run: its seed and the lines of tb_in.hex and tb_out.hex.\n";
    const auto define = [&](const std::string& name, const std::string& value) {
        text += "`define " + name + " " + value + "\n";
    };
    define("TB_SEED", std::to_string(build.tb_seed));
    define("TB_IN_BEATS", std::to_string(build.tb_in.size()));
    define("TB_OUT_BEATS", std::to_string(build.tb_out.size()));
    for (const auto& [name, value] : build.tb_defines) {
        define(name, value);
    }
    return text;
}

std::string lines_text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// <name>.f: the synthesizable sources in compile order (parameter files
// first), for iverilog -c and verilator -f run in the folder.
std::string file_list_text(const std::vector<std::string>& rtl) {
    return "+incdir+.\n" + lines_text(rtl);
}

std::string fusesoc_text(const CoreBuild& build, const std::vector<FolderFile>& files,
                         const std::string& version) {
    std::string text = "CAPI=2:\n"
                       "name: ipgen:" +
                       build.library + ":" + build.name + ":" + version +
                       "\n"
                       "description: \"" +
                       build.title +
                       ", written by ipgen\"\n"
                       "\n"
                       "filesets:\n"
                       "  rtl:\n"
                       "    files:\n";
    for (const std::string& name : names_with(files, FileRole::include)) {
        text += "      - " + name + ": {is_include_file: true}\n";
    }
    for (const std::string& name : names_with(files, FileRole::rtl)) {
        text += "      - " + name + "\n";
    }
    text += "    file_type: verilogSource\n"
            "  tb:\n"
            "    files:\n";
    for (const std::string& name : names_with(files, FileRole::tb_include)) {
        text += "      - " + name + ": {is_include_file: true}\n";
    }
    for (const std::string& name : names_with(files, FileRole::tb)) {
        text += "      - " + name + "\n";
    }
    text += "    file_type: verilogSource\n"
            "  vectors:\n"
            "    files:\n";
    for (const std::string& name : names_with(files, FileRole::vectors)) {
        text += "      - " + name + ": {copyto: " + name + "}\n";
    }
    text += "    file_type: user\n"
            "\n"
            "targets:\n"
            "  default:\n"
            "    filesets: [rtl]\n"
            "    toplevel: " +
            build.top +
            "\n"
            "  sim:\n"
            "    default_tool: icarus\n"
            "    filesets: [rtl, tb, vectors]\n"
            "    toplevel: " +
            build.tb_top +
            "\n"
            "  lint:\n"
            "    default_tool: verilator\n"
            "    filesets: [rtl]\n"
            "    toplevel: " +
            build.top +
            "\n"
            "    tools:\n"
            "      verilator:\n"
            "        mode: lint-only\n"
            "        verilator_options: [-Wall]\n"
            "  synth:\n"
            "    default_tool: yosys\n"
            "    filesets: [rtl]\n"
            "    toplevel: " +
            build.top +
            "\n"
            "    tools:\n"
            "      yosys:\n"
            "        arch: ice40\n";
    return text;
}

// The Makefile. Every target runs in the folder; the cell counts are read
// from the last statistics yosys prints (the design is flattened, so there
// is one module).
std::string makefile_text(const CoreBuild& build, const std::vector<FolderFile>& files) {
    const std::vector<std::string> tb = names_with(files, FileRole::tb);
    const std::vector<std::string> waivers = names_with(files, FileRole::lint);
    std::vector<std::string> rtl = names_with(files, FileRole::include);
    for (const std::string& name : names_with(files, FileRole::rtl)) {
        rtl.push_back(name);
    }
    return "# " + build.title +
           ", written by ipgen.\n"
           "#   make sim    simulate the testbench (Icarus Verilog): PASS or FAIL\n"
           "#   make lint   verilator --lint-only -Wall\n"
           "#   make synth  yosys synth_ice40 and synth_xilinx: LUTs, FFs, RAMs\n"
           "#   make pnr    nextpnr-ice40 --hx8k (when installed): fmax\n"
           "NAME := " +
           build.name +
           "\n"
           "TOP := " +
           build.top +
           "\n"
           "TB_TOP := " +
           build.tb_top +
           "\n"
           "RTL := " +
           joined(rtl, " ") +
           "\n"
           "TB := " +
           joined(tb, " ") +
           "\n"
           "WAIVERS := " +
           joined(waivers, " ") +
           "\n"
           "YOSYS_READ := read_verilog -I. $(RTL)\n"
           "\n"
           ".PHONY: sim lint synth pnr clean\n"
           "\n"
           "sim:\n"
           "\tiverilog -g2005 -Wall -I. -s $(TB_TOP) -o $(NAME).vvp -c $(NAME).f $(TB)\n"
           "\tvvp -n $(NAME).vvp | tee sim.log\n"
           "\t@grep -qx PASS sim.log\n"
           "\n"
           "lint:\n"
           "\tverilator --lint-only -Wall -I. $(WAIVERS) -f $(NAME).f --top-module $(TOP)\n"
           "\t@echo lint: clean\n"
           "\n"
           "# cells <log> <LUT pattern> <FF pattern> <RAM pattern>\n"
           "cells = awk '/Number of cells:/ { l = 0; f = 0; r = 0 } \\\n"
           "\t$$1 ~ /^($(2))$$/ { l += $$2 } $$1 ~ /^($(3))$$/ { f += $$2 } \\\n"
           "\t$$1 ~ /^($(4))$$/ { r += $$2 } END { printf \"LUTs %d, FFs %d, RAMs %d\\n\", l, f, r "
           "}' $(1)\n"
           "\n"
           "synth:\n"
           "\tyosys -l synth_ice40.log -p '$(YOSYS_READ); synth_ice40 -top $(TOP)' > /dev/null\n"
           "\t@printf 'ice40 (synth_ice40):   '; $(call "
           "cells,synth_ice40.log,SB_LUT4,SB_DFF[A-Z]*,SB_RAM40_4K[A-Z]*)\n"
           "\tyosys -l synth_xilinx.log -p '$(YOSYS_READ); synth_xilinx -flatten -top $(TOP)' > "
           "/dev/null\n"
           "\t@printf 'xilinx (synth_xilinx): '; $(call "
           "cells,synth_xilinx.log,LUT[1-6]|SRL[A-Z0-9]*|RAM[0-9]+[A-Z0-9]*,FD[A-Z]*,RAMB[0-9]+[A-"
           "Z0-9]*)\n"
           "\n"
           "pnr:\n"
           "\t@if command -v nextpnr-ice40 > /dev/null; then \\\n"
           "\t  yosys -q -p '$(YOSYS_READ); synth_ice40 -top $(TOP) -json $(NAME).json' && \\\n"
           "\t  nextpnr-ice40 --hx8k --package ct256 --json $(NAME).json --asc $(NAME).asc \\\n"
           "\t    --freq 100 --timing-allow-fail > pnr.log 2>&1 && \\\n"
           "\t  grep 'Max frequency for clock' pnr.log | tail -n 1 | sed 's/^[A-Za-z]*: *//'; \\\n"
           "\telse echo 'pnr: nextpnr-ice40 is not installed'; fi\n"
           "\n"
           "clean:\n"
           "\trm -f $(NAME).vvp $(NAME).json $(NAME).asc sim.log synth_ice40.log synth_xilinx.log "
           "pnr.log\n";
}

// A port table of the README: name, direction, resolved width, meaning.
std::string port_table(const std::vector<Port>& ports) {
    std::string text = "| port | dir | width | meaning |\n"
                       "|---|---|---|---|\n";
    for (const Port& port : ports) {
        text += "| `" + port.name + "` | " + direction_text(port.direction) + " | " +
                std::to_string(port.width) + " | " + port.meaning + " |\n";
    }
    return text;
}

std::string ports_text(const CoreBuild& build) {
    const CoreInterface& interface = build.interface;
    std::string text = "\nPorts of this configuration, stream top `" + build.top + "`:\n\n" +
                       port_table(stream_top_ports(interface));
    if (!interface.native_top.empty()) {
        text +=
            "\nNative top `" + interface.native_top + "`:\n\n" + port_table(interface.native_ports);
    }
    return text;
}

// The folder's vectors again from the model: `ipgen model` on tb_in.hex,
// and the Python module's class of the core (RsEncoder for rs-encoder)
// with the options as keyword arguments.
std::string reproduce_text(const std::vector<std::string>& command) {
    if (command.size() < 2) {
        return ""; // no core named: nothing to run
    }
    std::vector<std::string> model{"ipgen", "model"};
    model.insert(model.end(), command.begin() + 1, command.end());
    model.insert(model.end(), {"--in", "tb_in.hex", "--out", "-"});
    std::string name;
    bool upper = true;
    for (const char c : command[1]) {
        name += c == '-' ? "" : std::string(1, upper ? static_cast<char>(std::toupper(c)) : c);
        upper = c == '-';
    }
    std::vector<std::string> kwargs;
    for (size_t i = 2; i < command.size(); ++i) {
        const std::string& word = command[i];
        const bool negated = word.starts_with("--no-");
        std::string key = word.substr(negated ? 5 : 2);
        std::replace(key.begin(), key.end(), '-', '_');
        if (i + 1 >= command.size() || command[i + 1].starts_with("--")) {
            kwargs.push_back(key + "=" + (negated ? "False" : "True"));
            continue;
        }
        const std::string& value = command[++i];
        const bool number =
            !value.empty() &&
            value.find_first_not_of("0123456789", value[0] == '-' ? 1 : 0) == std::string::npos;
        std::string literal = "\"";
        for (const char c : value) {
            literal += c == '"' || c == '\\' ? std::string{'\\', c} : std::string(1, c);
        }
        kwargs.push_back(key + "=" + (number && value != "-" ? value : literal + "\""));
    }
    return "## Reproduce the vectors\n"
           "\n"
           "`tb_out.hex` is the model's output for `tb_in.hex`. The same model, outside the "
           "folder:\n"
           "\n"
           "    " +
           shell_words(model) +
           " | cmp - tb_out.hex\n"
           "\n"
           "and in Python (module `ipgen`, installed with ipgen; numpy arrays in and out):\n"
           "\n"
           "    import ipgen\n"
           "    core = ipgen." +
           name + "(" + joined(kwargs, ", ") +
           ")\n"
           "    assert core.beats(open(\"tb_in.hex\").read().split()) == "
           "open(\"tb_out.hex\").read().split()\n"
           "\n";
}

std::string readme_head(const CoreBuild& build, const std::vector<FolderFile>& files,
                        const std::string& prefix, const std::string& version) {
    std::vector<std::string> command = build.command;
    if (!prefix.empty()) {
        command.push_back("--prefix");
        command.push_back(prefix);
    }
    command.push_back("--out");
    command.push_back(build.name);
    std::string text = "# " + build.name + ": " + build.title +
                       "\n"
                       "\n"
                       "Written by ipgen " +
                       version +
                       ":\n"
                       "\n"
                       "    " +
                       shell_words(command) +
                       "\n"
                       "\n"
                       "| value | setting | meaning |\n"
                       "|---|---|---|\n";
    for (const std::vector<std::string>& row : build.values) {
        text += "| " + joined(row, " | ") + " |\n";
    }
    if (!prefix.empty()) {
        text += "\nEvery module, macro and Verilog file name begins with `" + prefix +
                "`: the top is `" + build.top + "`.\n";
    }
    text += ports_text(build);
    text += "\nFiles:\n\n";
    const auto list = [&](FileRole role, const std::string& what) {
        for (const std::string& name : names_with(files, role)) {
            text += "- `" + name + "`: " + what + "\n";
        }
    };
    list(FileRole::include, "parameter defines (included by the modules)");
    list(FileRole::rtl, "synthesizable source");
    list(FileRole::data, "generated data (not compiled)");
    list(FileRole::lint, "Verilator waivers, each with its reason");
    list(FileRole::tb, "self-checking testbench");
    list(FileRole::tb_include, "the testbench's run (seed, vector counts)");
    text += "- `tb_in.hex`, `tb_out.hex`: " + std::to_string(build.tb_in.size()) + " input and " +
            std::to_string(build.tb_out.size()) +
            " expected output beats, computed by ipgen's model of this configuration\n"
            "- `" +
            build.name +
            ".f`: the synthesizable files in compile order "
            "(`iverilog -c`, `verilator -f`)\n"
            "- `" +
            build.name +
            ".core`: FuseSoC CAPI2 core description\n"
            "- `component.xml`: IP-XACT (IEEE 1685-2014) component: bus interfaces, ports, "
            "file sets, the values above\n"
            "- `Makefile`: `make sim` (prints PASS or FAIL), `make lint`, `make synth` "
            "(LUTs, FFs, RAMs for iCE40 and Xilinx), `make pnr` (iCE40 HX8K fmax)\n"
            "\n";
    text += reproduce_text(build.command);
    return text;
}

// A block shared by the cores (common/<file> in a manifest) becomes the
// core's own: each module it defines is renamed <core>_<module> in every
// Verilog file of the folder, and its file is <core>_<file>, so that the
// folders of two cores compile into one design. `shared` are the indexes of
// those files in `files`, already renamed.
void own_shared_blocks(std::vector<FolderFile>& files, const std::vector<size_t>& shared,
                       const std::string& core) {
    std::vector<VerilogText> blocks;
    for (const size_t index : shared) {
        blocks.push_back({files[index].name, files[index].text});
    }
    const std::vector<std::string> modules = defined_modules(blocks);
    for (FolderFile& file : files) {
        if (is_verilog(file.role)) {
            std::vector<VerilogText> one{{file.name, std::move(file.text)}};
            prefix_modules(one, core + "_", modules);
            file.text = std::move(one.front().text);
        }
    }
}

} // namespace

FolderRequest folder_request(const CommandLine& line, const std::string& header) {
    FolderRequest request;
    request.core = line.core;
    request.build = build_core(line, header);
    request.sources = embedded_core_files(line.core->source_dir);
    request.prefix = line.prefix;
    request.version = IPGEN_VERSION;
    return request;
}

std::vector<FolderFile> assemble_folder(FolderRequest request) {
    CoreBuild& build = request.build;
    std::vector<FolderFile> files = build.generated;
    std::string core_readme;
    constexpr std::string_view common_dir = "common/";
    std::vector<size_t> shared;
    std::string core;
    for (const EmbeddedFile& source : request.sources) {
        if (std::find(build.omitted_sources.begin(), build.omitted_sources.end(), source.name) !=
            build.omitted_sources.end()) {
            continue;
        }
        if (source.kind == "doc" && source.name == "README.md") {
            core_readme = source.text;
        } else if (source.name.starts_with(common_dir)) {
            core = source.core;
            shared.push_back(files.size());
            files.push_back({core + "_" + std::string(source.name.substr(common_dir.size())),
                             std::string(source.text), role_of(source.kind)});
        } else {
            files.push_back(
                {std::string(source.name), std::string(source.text), role_of(source.kind)});
        }
    }
    if (!shared.empty()) {
        own_shared_blocks(files, shared, core);
    }
    files.push_back({"tb_config.vh", tb_config_text(build), FileRole::tb_include});

    if (!request.prefix.empty()) {
        std::vector<VerilogText> verilog;
        for (const FolderFile& file : files) {
            if (is_verilog(file.role)) {
                verilog.push_back({file.name, file.text});
            }
        }
        const std::vector<std::string> modules = defined_modules(verilog);
        apply_prefix(verilog, request.prefix);
        auto renamed = verilog.begin();
        for (FolderFile& file : files) {
            if (is_verilog(file.role)) {
                file.name = renamed->name;
                file.text = std::move(renamed->text);
                ++renamed;
            }
        }
        for (std::string* top : {&build.top, &build.tb_top, &build.interface.native_top}) {
            if (std::find(modules.begin(), modules.end(), *top) != modules.end()) {
                *top = request.prefix + *top;
            }
        }
        build.name = request.prefix + build.name;
    }

    files.push_back({"tb_in.hex", lines_text(build.tb_in), FileRole::vectors});
    files.push_back({"tb_out.hex", lines_text(build.tb_out), FileRole::vectors});
    std::vector<std::string> rtl = names_with(files, FileRole::include);
    for (const std::string& name : names_with(files, FileRole::rtl)) {
        rtl.push_back(name);
    }
    files.push_back({build.name + ".f", file_list_text(rtl), FileRole::doc});
    files.push_back(
        {build.name + ".core", fusesoc_text(build, files, request.version), FileRole::doc});
    files.push_back({"Makefile", makefile_text(build, files), FileRole::doc});
    files.push_back({"component.xml", component_xml(build, files, request.version), FileRole::doc});
    files.push_back({"README.md",
                     readme_head(build, files, request.prefix, request.version) + core_readme,
                     FileRole::doc});
    return files;
}

std::string manifest_text(const std::vector<FolderFile>& files) {
    std::string text = "# The files ipgen wrote here; ipgen --force removes those it does not "
                       "write again.\n";
    for (const FolderFile& file : files) {
        text += file.name + "\n";
    }
    return text;
}

std::string folder_header(const CommandLine& line) {
    if (!line.header_file) {
        return "//////////////////////////////////////////////////////////////////////\n"
               "// Written by ipgen " IPGEN_VERSION " (" +
               line.core->name +
               "): do not edit; rerun ipgen.\n"
               "//////////////////////////////////////////////////////////////////////\n";
    }
    // Read without waiting (a FIFO is refused, not waited on), regular
    // files only, up to max_input_size.
    InputText header = read_input_file(*line.header_file);
    if (!header.ok()) {
        throw FatalError("ipgen: cannot read --header " + printable(*line.header_file) + ": " +
                             header.cause + "\n",
                         1);
    }
    // The generated text follows on the next line, never on the header's last.
    if (!header.text.empty() && header.text.back() != '\n') {
        header.text += '\n';
    }
    return std::move(header.text);
}

} // namespace ipgen::front
