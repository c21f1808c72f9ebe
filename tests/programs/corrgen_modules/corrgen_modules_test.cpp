// corrgen run as a user runs it: the general multiplier, the Chien search
// and the error-magnitude unit land in the working directory, each below
// the user's header.v, with the text of the expected modules.
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ipgen::test {
namespace {

const std::string header = "// header line one\n// a line without its end";

void expect_modules(const std::string& folder, const std::vector<std::string>& switches) {
    TempDir dir;
    write_file(dir.file("header.v"), header);
    const RunResult result = run_program(CORRGEN_PATH, switches, dir.path());
    ASSERT_EQ(result.exit_status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    for (const char* name : {"mastrovito.v", "chiensearch.v", "errmag.v"}) {
        ASSERT_TRUE(file_exists(dir.file(name))) << name;
        EXPECT_EQ(read_file(dir.file(name)),
                  header + read_file(data_path("corrgen_modules/" + folder + "/" + name)))
            << folder << "/" << name;
    }
}

TEST(CorrgenModules, UnshortenedCodeWithErasuresAndOptions) {
    expect_modules("rs255_239_e4_o63",
                   {"-w", "8", "-n", "255", "-k", "239", "-f", "285", "-g", "0",
                    "-h", "1", "-e", "4",   "-y", "1",   "-o", "63",  "-c", "1"});
}

TEST(CorrgenModules, ShortenedCodeWithFirstRootAndRootSpacing) {
    expect_modules("rs204_188_f391_g112_h11",
                   {"-w", "8",  "-n", "204", "-k", "188", "-f", "391", "-g", "112",
                    "-h", "11", "-e", "0",   "-y", "0",   "-o", "0",   "-c", "0"});
}

TEST(CorrgenModules, MissingHeaderWritesNoModule) {
    TempDir dir;
    const RunResult result = run_program(CORRGEN_PATH,
                                         {"-w", "8", "-n", "255", "-k", "239", "-f", "285", "-g",
                                          "0", "-h", "1", "-y", "0", "-o", "0", "-c", "0"},
                                         dir.path());
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Cannot open header.v\n");
    for (const char* name : {"mastrovito.v", "chiensearch.v", "errmag.v"}) {
        EXPECT_FALSE(file_exists(dir.file(name))) << name;
    }
}

} // namespace
} // namespace ipgen::test
