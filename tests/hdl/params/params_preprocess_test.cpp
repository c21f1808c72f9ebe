// `iverilog -E` over every parameters.v of the Viterbi and FIR test
// configurations (the expected files the program tests compare the
// programs' output with, byte for byte) and over the files the programs
// write for the demo's configurations: no error, no warning.
#include "hdl_tools.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace ipgen::hdl {
namespace {

namespace fs = std::filesystem;

// Preprocesses `file` in `dir`; the tool must exit 0 and say nothing.
void expect_clean_preprocess(const std::string& dir, const std::string& file,
                             const std::string& what) {
    const ToolResult pre = iverilog_preprocess(dir, {file});
    EXPECT_TRUE(pre.ok) << what << "\n" << pre.log;
    EXPECT_EQ(pre.log.find("warning"), std::string::npos) << what << "\n" << pre.log;
    EXPECT_EQ(pre.log.find("error"), std::string::npos) << what << "\n" << pre.log;
}

TEST(HdlParameterFiles, TestConfigurationsPreprocessCleanly) {
    HDL_REQUIRE_TOOLS("iverilog");
    int checked = 0;
    for (const char* program : {"trellgen", "firgen", "firparam"}) {
        const fs::path folder = test::data_path(program);
        if (!fs::is_directory(folder)) {
            continue;
        }
        for (const auto& config : fs::directory_iterator(folder)) {
            if (fs::exists(config.path() / "parameters.v")) {
                expect_clean_preprocess(config.path().string(), "parameters.v",
                                        config.path().string());
                ++checked;
            }
        }
    }
    if (checked == 0) {
        GTEST_SKIP() << "no Viterbi or FIR test configurations in this tree";
    }
}

// The viterbi_params.v texts the demo writes with here-documents.
std::vector<std::string> demo_viterbi_inputs() {
    std::istringstream demo(test::read_file(std::string(IPGEN_SOURCE_DIR) + "/scripts/demo.sh"));
    std::vector<std::string> inputs;
    std::string line;
    while (std::getline(demo, line)) {
        const std::size_t heredoc = line.find("viterbi_params.v <<'");
        if (line.rfind("cat > ", 0) != 0 || heredoc == std::string::npos) {
            continue;
        }
        const std::size_t tag_start = heredoc + std::string("viterbi_params.v <<'").size();
        const std::string tag = line.substr(tag_start, line.find('\'', tag_start) - tag_start);
        std::string text;
        while (std::getline(demo, line) && line != tag) {
            text += line + "\n";
        }
        inputs.push_back(text);
    }
    return inputs;
}

TEST(HdlParameterFiles, ViterbiDemoConfigurationsPreprocessCleanly) {
    HDL_REQUIRE_TOOLS("iverilog");
#ifndef TRELLGEN_PATH
    GTEST_SKIP() << "trellgen is not part of this build";
#else
    const std::vector<std::string> inputs = demo_viterbi_inputs();
    ASSERT_FALSE(inputs.empty()) << "the demo writes no viterbi_params.v";
    for (const std::string& input : inputs) {
        for (const char* device_class : {"0", "1", "2"}) {
            test::TempDir dir;
            test::write_file(dir.file("viterbi_params.v"), input);
            const test::RunResult run =
                test::run_program(TRELLGEN_PATH, {device_class}, dir.path());
            ASSERT_EQ(run.exit_status, 0) << run.out << run.err;
            expect_clean_preprocess(dir.path(), "parameters.v",
                                    std::string("trellgen ") + device_class + "\n" + input);
        }
    }
#endif
}

TEST(HdlParameterFiles, FirDemoConfigurationPreprocessesCleanly) {
    HDL_REQUIRE_TOOLS("iverilog");
#if !defined(FIRPARAM_PATH) || !defined(FIRGEN_PATH)
    GTEST_SKIP() << "firparam and firgen are not part of this build";
#else
    // As the demo does: firparam creates user_params.txt with its defaults
    // and writes its parameters.v; firgen then reads the same file and the
    // demo's coefficients and writes its own parameters.v.
    test::TempDir dir;
    test::write_file(dir.file("cin.dec"), "3\n-7\n21\n21\n-7\n3\n");
    ASSERT_EQ(test::run_program(FIRPARAM_PATH, {}, dir.path()).exit_status, 0);
    expect_clean_preprocess(dir.path(), "parameters.v", "firparam defaults");
    ASSERT_EQ(test::run_program(FIRGEN_PATH, {}, dir.path()).exit_status, 0);
    expect_clean_preprocess(dir.path(), "parameters.v", "firgen on firparam's defaults");
#endif
}

} // namespace
} // namespace ipgen::hdl
