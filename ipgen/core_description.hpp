// What ipgen knows about one core: its options, how it runs the generator
// library, and what the folder needs beyond the generated files (the
// testbench vectors from our model, the README head). Each core describes
// itself in one source under cores/ and registers there; the front-end
// does everything else the same way for every core.
#pragma once

#include "ipgen/core_interface.hpp"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace ipgen::front {

struct OptionSpec {
    std::string name;         // long option without the dashes: "symbol-width"
    std::string value_name;   // "M"; empty for a flag
    std::string help;         // meaning and accepted values
    std::string default_text; // for --help; empty: the option is required
    // For a flag: "--no-<name>" is accepted too and clears it.
    bool negatable = false;
};

// The options as given, after the front-end's checks: a value option maps
// to its text, a flag to "1" (given) or "0" (negated).
using OptionValues = std::map<std::string, std::string>;

// How a file of the folder takes part in the build.
enum class FileRole {
    include,    // a parameter file other sources `include (compiled first)
    rtl,        // synthesizable source
    tb,         // testbench source
    tb_include, // a file the testbench `include-s
    data,       // generated, read by no compiler (gfile)
    vectors,    // the testbench's stimulus and expected output
    lint,       // Verilator configuration (waivers)
    doc,
};

struct FolderFile {
    std::string name;
    std::string text;
    FileRole role = FileRole::data;
};

// What a core's run gives the front-end.
struct CoreBuild {
    std::string name;    // folder base name, e.g. "rs_encoder_255_239"
    std::string title;   // one line: what this configuration is
    std::string top;     // the AXI4-Stream top module
    std::string tb_top;  // the testbench module
    std::string library; // FuseSoC library part of the name ("rs")
    // The generated files in the generator's order, compile roles set.
    std::vector<FolderFile> generated;
    // The whole command line that writes this folder again (every value
    // spelled out, defaults included), without --out and --prefix.
    std::vector<std::string> command;
    // Name, value and meaning of each configuration value, for the README.
    std::vector<std::vector<std::string>> values;
    // Testbench vectors, one hex beat per line, and the extra defines of
    // tb_config.vh beyond TB_SEED, TB_IN_BEATS and TB_OUT_BEATS.
    std::vector<std::string> tb_in;
    std::vector<std::string> tb_out;
    std::vector<std::pair<std::string, std::string>> tb_defines;
    int tb_seed = 1;
    // The ports of the tops, with the widths of this configuration.
    CoreInterface interface;
};

struct CoreDescription {
    std::string name;       // on the command line: "rs-encoder"
    std::string source_dir; // under cores/: "rs_encoder"
    std::string summary;    // one line for --help
    std::vector<OptionSpec> options;
    std::string example; // a complete command for --help
    // Checks the values (throwing FatalError, status 2, before anything is
    // written) and runs the generator library into memory. `header` is the
    // text copied to the top of the generated files that carry one.
    std::function<CoreBuild(const OptionValues&, const std::string& header)> build;
};

// Each core source registers its description with a static instance.
struct CoreRegistration {
    explicit CoreRegistration(CoreDescription description);
};

// The registered cores, in name order.
const std::vector<CoreDescription>& registered_cores();
const CoreDescription* find_core(const std::string& name);

} // namespace ipgen::front
