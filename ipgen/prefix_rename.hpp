// --prefix: one pass over the finished texts of a folder that puts a prefix
// before every module name, every macro name and the name of every Verilog
// file, so that two folders can be compiled into one design.
//
// It reads Verilog as tokens, skipping comments, strings and based numbers
// (8'hff): an identifier that is the name of a module defined in one of the
// files is renamed wherever it appears (declaration, instances); a macro
// name is renamed after `define, `undef, `ifdef, `ifndef, `elsif and in
// every `NAME use, the compiler's own directives (`timescale, `include,
// ...) excepted; the file name in `include "name" is renamed when that file
// is one of the renamed files.
#pragma once

#include <string>
#include <vector>

namespace ipgen::front {

struct VerilogText {
    std::string name; // file name
    std::string text;
};

// The module names the files define, in the order met.
std::vector<std::string> defined_modules(const std::vector<VerilogText>& files);

// Renames in place: every file's name becomes prefix + name, and its text
// is rewritten as described above.
void apply_prefix(std::vector<VerilogText>& files, const std::string& prefix);

// Puts the prefix before every identifier that is one of the given module
// names (their definitions and instances; like the prefix above, an
// instance or signal of the very same name too), in place; file names,
// macros and every other name are left as they are.
void prefix_modules(std::vector<VerilogText>& files, const std::string& prefix,
                    const std::vector<std::string>& modules);

} // namespace ipgen::front
