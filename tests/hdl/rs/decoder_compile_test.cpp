// Every Verilog file corrgen writes compiles with Icarus Verilog after the
// parameter header it relies on, and passes Verilator's lint, for every
// configuration of the matrix (and so under SYNC_RST_ENABLED, FAILPIN,
// ERASURE, CLK_ENABLED and the other defines the option bits switch on).
#include "generated.hpp"

#include <gtest/gtest.h>

#include <map>

namespace ipgen::hdl {
namespace {

struct ModuleFiles {
    std::string top;
    std::vector<std::string> files; // the module's own file first, then what it instantiates
};

const std::vector<ModuleFiles>& decoder_modules() {
    static const std::vector<ModuleFiles> modules{
        {"gfinvrom", {"gfinvrom.v"}},
        {"gfromxp", {"gfromxp.v"}},
        {"mastrovito", {"mastrovito.v"}},
        {"chiensearch", {"chiensearch.v"}},
        {"errmag", {"errmag.v", "gfinvrom.v", "mastrovito.v"}},
        {"synd", {"synd.v", "multiplier.v"}},
        {"multiplier", {"multiplier.v"}},
    };
    return modules;
}

// The warnings of -Wall that the generated text raises by design, waived
// signal by signal; each is harmless.
const std::string& lint_waivers(const std::string& top) {
    static const std::string none;
    static const std::map<std::string, std::string> waivers{
        {"errmag",
         // rootval and rootval_p form a two-stage delay of rootvalin, which
         // errmag declares but does not drive by design: nothing reads the
         // delay line's end, so it holds constants and synthesis drops it.
         "lint_off -rule UNDRIVEN -file \"*errmag.v\" -match \"*'rootvalin'*\"\n"
         "lint_off -rule UNUSEDSIGNAL -file \"*errmag.v\" -match \"*'rootval'*\"\n"
         // foundzero_p delays foundzero for errval's zero gate; under FAILPIN
         // errval copies errvalinreg instead (a non-root position already
         // has errval1reg zero), so the flag is read only without FAILPIN.
         "lint_off -rule UNUSEDSIGNAL -file \"*errmag.v\" -match \"*'foundzero_p'*\"\n"},
    };
    const auto found = waivers.find(top);
    return found == waivers.end() ? none : found->second;
}

class HdlDecoderCompile : public ::testing::TestWithParam<DecoderConfig> {};

TEST_P(HdlDecoderCompile, EveryFileCompilesWithTheParameterHeader) {
    HDL_REQUIRE_TOOLS("iverilog");
    const auto run = run_corrgen(GetParam());
    ASSERT_EQ(run->result().exit_status, 0) << run->result().err;
    std::vector<std::string> sources{"corrgen_params.v"};
    for (const ModuleFiles& module : decoder_modules()) {
        if (run->has(module.files.front())) {
            sources.push_back(module.files.front());
        }
    }
    const ToolResult compiled = iverilog_compile(run->dir(), sources, "all.vvp");
    EXPECT_TRUE(compiled.ok) << compiled.log;
    EXPECT_EQ(compiled.log.find("warning"), std::string::npos) << compiled.log;
}

TEST_P(HdlDecoderCompile, EveryModulePassesVerilatorLint) {
    HDL_REQUIRE_TOOLS("verilator");
    const auto run = run_corrgen(GetParam());
    ASSERT_EQ(run->result().exit_status, 0) << run->result().err;
    int linted = 0;
    for (const ModuleFiles& module : decoder_modules()) {
        bool present = true;
        for (const std::string& file : module.files) {
            present = present && run->has(file);
        }
        if (!present) {
            continue;
        }
        std::vector<std::string> sources{"corrgen_params.v"};
        sources.insert(sources.end(), module.files.begin(), module.files.end());
        const ToolResult lint =
            verilator_lint(run->dir(), sources, module.top, {}, lint_waivers(module.top));
        EXPECT_TRUE(lint.ok) << lint.log;
        EXPECT_EQ(lint.log.find("%Warning"), std::string::npos) << lint.log;
        ++linted;
    }
    EXPECT_GE(linted, 2);
}

// On top of the matrix, whose option bits switch the defines on through
// corrgen_params.v: a header without them, and each combination of the
// defines the modules test given on the command line.
TEST(HdlDecoderDefines, EveryCombinationPreprocessesAndCompiles) {
    HDL_REQUIRE_TOOLS("iverilog");
    const auto run = run_corrgen(decoder_matrix().front());
    ASSERT_EQ(run->result().exit_status, 0) << run->result().err;
    const std::vector<std::string> names{"SYNC_RST_ENABLED", "FAILPIN", "ERASURE", "CLK_ENABLED"};
    std::vector<std::string> sources{"corrgen_params.v"};
    for (const ModuleFiles& module : decoder_modules()) {
        sources.push_back(module.files.front());
    }
    for (unsigned mask = 0; mask < (1U << names.size()); ++mask) {
        std::vector<std::string> defines;
        for (std::size_t bit = 0; bit < names.size(); ++bit) {
            if ((mask >> bit) & 1U) {
                defines.push_back(names[bit]);
            }
        }
        const ToolResult pre = iverilog_preprocess(run->dir(), {"corrgen_params.v"}, defines);
        EXPECT_TRUE(pre.ok) << pre.log;
        const ToolResult compiled = iverilog_compile(run->dir(), sources, "all.vvp", defines);
        EXPECT_TRUE(compiled.ok) << compiled.log;
        EXPECT_EQ(compiled.log.find("warning"), std::string::npos) << compiled.log;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, HdlDecoderCompile, ::testing::ValuesIn(decoder_matrix()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace ipgen::hdl
