// What ipgen knows about one core: its options, declared once with their
// kinds, ranges and defaults; the check of a configuration; the generator
// run into memory; the testbench vectors from our model. Each core
// describes itself in one source under cores/ and registers there; the
// front-end does everything else the same way for every core: it parses
// and range-checks the command line, fills the fixed defaults, and writes
// --help, --describe, the README's value table and the re-run command from
// the declarations.
#pragma once

#include "ipgen/core_interface.hpp"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace ipgen::front {

enum class OptionKind {
    integer,      // a decimal number within [min, max]
    choice,       // one of `choices`
    flag,         // given or not; --no-NAME too when negatable
    integer_list, // decimal numbers separated by commas, each within [min, max]
    octal_list,   // octal numbers separated by commas, each within [min, max]
    file,         // a file name, read by the core
    text,         // any text the core reads itself
};

// A typed value: a flag's bool, an integer, a choice's name, a file name or
// a text, a list of numbers.
using Value = std::variant<bool, std::int64_t, std::string, std::vector<std::int64_t>>;

// One option. Every member has a default so a declaration names only what
// it needs (designated initializers).
struct Option {
    std::string name{}; // long option without the dashes: "symbol-width"
    OptionKind kind = OptionKind::text;
    std::string value_name{}; // "M"; empty for a flag
    std::string help{};       // what it means; the accepted values are added from the kind
    std::int64_t min = 0;     // integer and list kinds: the bounds every value obeys
    std::int64_t max = 0;
    std::vector<std::string> choices{};   // choice: the names accepted
    std::optional<Value> default_value{}; // filled by the front-end when not given
    // When the default depends on other values (the core's check fills it),
    // or what leaving the option out means. No default and no rule: required.
    std::string default_rule{};
    bool negatable = false; // flag: --no-NAME clears it
    // text: may be given more than once; the values are kept in order,
    // separated by one space (so none may hold a space), and the re-run
    // command repeats the option.
    bool repeatable = false;
    // The bound stated in --help when it depends on other values
    // ("k+1 to 2^M-1"); empty: min to max.
    std::string accepted{};

    bool required() const { return !default_value && default_rule.empty(); }
};

// A configuration: every value ipgen read, typed, plus the defaults. The
// accessors throw std::logic_error for a name the core did not declare or
// a value of another kind: a fault of the description, not of the input.
class Config {
  public:
    std::int64_t integer(const std::string& name) const;
    bool flag(const std::string& name) const;
    const std::string& choice(const std::string& name) const;
    const std::vector<std::int64_t>& list(const std::string& name) const;
    const std::string& text(const std::string& name) const; // text and file kinds
    // Given on the command line (a default does not count).
    bool given(const std::string& name) const { return given_.contains(name); }
    // Holds a value: given, a fixed default or one the check derived.
    bool has(const std::string& name) const { return values_.contains(name); }

    void set_given(const std::string& name, Value value);
    // A default: kept only where no value is there yet.
    void set_default(const std::string& name, Value value);
    const Value* find(const std::string& name) const;

  private:
    const Value& at(const std::string& name) const;
    std::map<std::string, Value> values_;
    std::set<std::string> given_;
};

// A refused configuration: which option, which value (as ipgen read it;
// none when no single value is at fault, e.g. a missing option), why and
// what is accepted. ipgen words it as
//   ipgen: --NAME VALUE: <why>; accepted: <accepted>
struct Problem {
    std::string option;
    std::optional<std::string> value;
    std::string why;
    std::string accepted;
};
using Problems = std::vector<Problem>;

// How a file of the folder takes part in the build.
enum class FileRole {
    include,    // a parameter file other sources `include (compiled first)
    rtl,        // synthesizable source
    tb,         // testbench source
    tb_include, // a file the testbench `include-s
    data,       // generated, read by no compiler (gfile)
    vectors,    // the testbench's stimulus and expected output
    lint,       // Verilator waivers
    doc,
};

struct FolderFile {
    std::string name;
    std::string text;
    FileRole role = FileRole::data;
};

// The testbench's vectors, one hex beat per line, and the extra defines of
// tb_config.vh beyond TB_SEED, TB_IN_BEATS and TB_OUT_BEATS.
struct TbVectors {
    std::vector<std::string> in;
    std::vector<std::string> out;
    std::vector<std::pair<std::string, std::string>> defines;
    int seed = 1;
};

// What the folder writer needs of a core's run.
struct CoreBuild {
    std::string name;    // folder base name, e.g. "rs_encoder_255_239"
    std::string title;   // one line: what this configuration is
    std::string top;     // the AXI4-Stream top module
    std::string tb_top;  // the testbench module
    std::string library; // FuseSoC library part of the name ("rs")
    // The generated files in the generator's order, compile roles set.
    std::vector<FolderFile> generated;
    // The whole command line that writes this folder again (every value
    // spelled out, defaults included), without --out and --prefix. Written
    // by the front-end from the declarations.
    std::vector<std::string> command;
    // Name, value and meaning of each configuration value, for the README:
    // the front-end's row per option, then what the core derived.
    std::vector<std::vector<std::string>> values;
    std::vector<std::string> tb_in;
    std::vector<std::string> tb_out;
    std::vector<std::pair<std::string, std::string>> tb_defines;
    int tb_seed = 1;
    // The ports of the tops, with the widths of this configuration.
    CoreInterface interface;
    // Files of the core's manifest that this configuration leaves out of its
    // folder (names as in the manifest).
    std::vector<std::string> omitted_sources;
};

struct CoreDefinition {
    std::string name{};       // on the command line: "rs-encoder"
    std::string source_dir{}; // under cores/: "rs_encoder"
    std::string summary{};    // one line for --help
    std::vector<Option> options{};
    std::string example{}; // a complete command for --help
    // The checks that need more than one value, on a configuration whose
    // kinds and ranges the front-end has checked; fills the defaults that
    // depend on other values. Nothing is written when it returns problems.
    std::function<Problems(Config&)> check{};
    // The generated files and the folder's names, on a checked
    // configuration. `header` is the text copied to the top of the
    // generated files that carry one. `values` may hold the rows of what
    // the core derived; the front-end puts the options' rows before them.
    std::function<CoreBuild(const Config&, const std::string& header)> generate{};
    std::function<TbVectors(const Config&)> vectors{};
    // The model over the testbench's beats, on a checked configuration:
    // tb_in.hex lines in, the tb_out.hex lines the core gives out
    // (cores/<core>/<core>_beats.cpp; `ipgen model`). Throws BeatError
    // (ipgen/beats.hpp) for input that is not whole beats of the core.
    std::function<std::vector<std::string>(const Config&, const std::vector<std::string>& in)>
        model{};
};

// Each core source registers its description with a static instance.
struct CoreDescription;
struct CoreRegistration {
    explicit CoreRegistration(CoreDefinition definition);
};

// The registered cores, in name order.
const std::vector<CoreDefinition>& registered_cores();
const CoreDefinition* find_core(const std::string& name);

} // namespace ipgen::front
