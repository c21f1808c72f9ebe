// --help and --version of the five generators, each run in an empty
// directory: the answer on standard output, status 0, no file left behind.
// Any other argument list still runs the program.
#include "program_runner.hpp"
#include "test_files.hpp"

#include "generators/corrgen/decoder_params.hpp"
#include "generators/paritygen/encoder_params.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ipgen::test {
namespace {

struct Program {
    std::string name;
    std::string path;
    // What the usage text must name: every switch the program scans, or
    // its argument and input files.
    std::vector<std::string> named;
    // The status of "<program> --help --version" in an empty directory: the
    // program's own answer to those arguments.
    int status_of_two_arguments;
};

std::vector<std::string> switch_entries(const char* letters) {
    std::vector<std::string> entries;
    for (const char* letter = letters; *letter != '\0'; ++letter) {
        entries.push_back(std::string("\n  -") + *letter + " ");
    }
    return entries;
}

const std::vector<Program>& programs() {
    static const std::vector<Program> table = {
        {"corrgen", CORRGEN_PATH, switch_entries(rs::decoder_switch_letters), 2},
        {"paritygen", PARITYGEN_PATH, switch_entries(rsenc::encoder_switch_letters), 2},
        // "--help" reads as device class 0; then viterbi_params.v is missing.
        {"trellgen", TRELLGEN_PATH, {"\n  DEVICE ", "viterbi_params.v", "parameters.v"}, 255},
        {"firgen", FIRGEN_PATH, {"user_params.txt", "cin.dec", "cin_cmplx.dec"}, 255},
        // Arguments are ignored: the defaults are created and used.
        {"firparam", FIRPARAM_PATH, {"user_params.txt", "cin.dec", "cin_cmplx.dec"}, 0},
    };
    return table;
}

TEST(ProgramInfo, HelpAndVersionAnswerAloneAndWriteNothing) {
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        TempDir dir;
        const RunResult help = run_program(program.path, {"--help"}, dir.path());
        EXPECT_EQ(help.exit_status, 0);
        EXPECT_EQ(help.err, "");
        EXPECT_EQ(help.out.rfind("usage: " + program.name, 0), 0u) << help.out;
        EXPECT_NE(help.out.find("Example"), std::string::npos);
        for (const std::string& entry : program.named) {
            EXPECT_NE(help.out.find(entry), std::string::npos) << "usage lacks '" << entry << "'";
        }

        const RunResult version = run_program(program.path, {"--version"}, dir.path());
        EXPECT_EQ(version.exit_status, 0);
        EXPECT_EQ(version.err, "");
        EXPECT_EQ(version.out, program.name + " (fpga-ip-generators) " IPGEN_VERSION "\n");
        EXPECT_EQ(list_directory(dir.path()), std::vector<std::string>{});
    }
}

TEST(ProgramInfo, AnsweredOnlyAsTheOneArgument) {
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        TempDir dir;
        const RunResult run = run_program(program.path, {"--help", "--version"}, dir.path());
        EXPECT_EQ(run.exit_status, program.status_of_two_arguments);
        EXPECT_EQ(run.out.find("usage: " + program.name), std::string::npos);
        EXPECT_EQ(run.out.find("fpga-ip-generators"), std::string::npos);
    }
}

} // namespace
} // namespace ipgen::test
