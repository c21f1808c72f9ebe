// firparam run in a fresh directory: files, messages and exit statuses.
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ipgen::test {
namespace {

const std::string default_user_file = "8   // Tap width\n"
                                      "8   // Coeff width\n"
                                      "6   // Number of taps\n"
                                      "19   // Output width\n"
                                      "0   // Filter type: 0-single, 1-multi, 2-deci, 3-inter\n"
                                      "0   // Coeff loadability: 0-fixed, 1-loadable\n"
                                      "0   // Symmetricity: 0-none, 1-even, 2-odd\n"
                                      "0   // Rounding type: 0-truncation, 1-nearest\n"
                                      "0   // Arithmetic type: 0-signed, 1-unsigned\n"
                                      "0   // Data type: 0-real, 1-complex\n"
                                      "1   // Number of cycles (MULTICYCLE)\n"
                                      "1   // D_RATIO (DECIMATION)\n"
                                      "1   // I_RATIO (INTERPOLATION)\n"
                                      "0   // Complex input mode: 0-parallel, 1-serial\n";

RunResult run_in(const TempDir& dir) {
    return run_program(FIRPARAM_PATH, {}, dir.path());
}

TEST(FirparamUserFile, FirstRunCreatesTheDefaults) {
    TempDir dir;
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out.substr(0, 71),
              "Error opening user params file\nCreating file with default values ...\n");
    EXPECT_EQ(read_file(dir.file("user_params.txt")), default_user_file);
}

TEST(FirparamUserFile, AHandEditedFileIsReadAndRewrittenInItsOwnLayout) {
    TempDir dir;
    write_file(dir.file("user_params.txt"),
               "  8 bits per tap\n8\n6 taps\n19\t// out\n0\n1 loadable\n0\n0\n0\n0\n1\n1\n1\n0\n");
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.exit_status, 0);
    std::string expected = default_user_file;
    expected.replace(expected.find("0   // Coeff loadability"), 1, "1");
    EXPECT_EQ(read_file(dir.file("user_params.txt")), expected);
}

} // namespace
} // namespace ipgen::test
