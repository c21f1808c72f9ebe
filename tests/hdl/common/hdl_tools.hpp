// Runs the Verilog tools the hardware checks rely on (Icarus Verilog,
// Verilator, Yosys) in a test's directory and hands back what they said.
// A tool that is not installed makes the test skip, not fail: CI installs
// them all (scripts/deps/hdl.txt), a developer's machine may lack one.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace ipgen::hdl {

// Full path of an executable found on PATH, or "" when there is none.
std::string find_tool(const std::string& name);

// The names among `names` that are not installed, joined by blanks.
std::string missing_tools(std::initializer_list<const char*> names);

struct ToolResult {
    bool ok = false;    // the tool ran and exited with status 0
    std::string output; // standard output
    std::string log;    // standard output and standard error, for failure messages
};

// iverilog -g2005 -Wall: compiles `sources` (paths relative to `dir`, in this
// order, so a parameter header given first sets the defines of the files
// after it) into the simulation image `image`.
ToolResult iverilog_compile(const std::string& dir, const std::vector<std::string>& sources,
                            const std::string& image, const std::vector<std::string>& defines = {});

// iverilog -E: preprocesses only; the expanded text is in `output`.
ToolResult iverilog_preprocess(const std::string& dir, const std::vector<std::string>& sources,
                               const std::vector<std::string>& defines = {});

// Compiles `sources` and runs the image with vvp; `output` is what the test
// bench printed. ok only when both steps succeed and the bench did not
// report a fatal error.
ToolResult simulate(const std::string& dir, const std::vector<std::string>& sources,
                    const std::vector<std::string>& defines = {});

// verilator --lint-only -Wall with the top module `top`. `waivers` is the
// text of a Verilator configuration file (lint_off lines, each waiving one
// warning of one signal, with the reason it is harmless beside it); empty
// for none.
ToolResult verilator_lint(const std::string& dir, const std::vector<std::string>& sources,
                          const std::string& top, const std::vector<std::string>& defines,
                          const std::string& waivers);

// Runs a Yosys script (the text of a .ys file) in `dir`.
ToolResult yosys_script(const std::string& dir, const std::string& script);

// xmllint --noout --schema: the folder's component.xml against the IP-XACT
// 1685-2014 schema (IPGEN_IPXACT_SCHEMA). Without xmllint it passes, like
// a skipped check; a missing schema fails.
ToolResult ipxact_validate(const std::string& folder);

} // namespace ipgen::hdl

// Skips the current test when one of the named tools is missing.
#define HDL_REQUIRE_TOOLS(...)                                                                     \
    do {                                                                                           \
        const std::string hdl_missing = ::ipgen::hdl::missing_tools({__VA_ARGS__});                \
        if (!hdl_missing.empty()) {                                                                \
            GTEST_SKIP() << "not installed: " << hdl_missing;                                      \
        }                                                                                          \
    } while (0)
