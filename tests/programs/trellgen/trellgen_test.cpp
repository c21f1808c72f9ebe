// trellgen run as a user runs it: in a fresh directory holding a
// viterbi_params.v, with the device class as its argument.
#include "program_runner.hpp"
#include "test_files.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

namespace ipgen::test {
namespace {

const std::string program = TRELLGEN_PATH;

struct TrellgenRun {
    RunResult result;
    std::vector<std::string> files;
    std::string parameters; // parameters.v, "" when not written
};

TrellgenRun run_in(TempDir& dir, const std::string& params, const std::vector<std::string>& args) {
    write_file(dir.file("viterbi_params.v"), params);
    TrellgenRun run;
    run.result = run_program(program, args, dir.path());
    run.files = list_directory(dir.path());
    if (file_exists(dir.file("parameters.v"))) {
        run.parameters = read_file(dir.file("parameters.v"));
    }
    return run;
}

TrellgenRun run(const std::string& params, const std::vector<std::string>& args = {}) {
    TempDir dir;
    return run_in(dir, params, args);
}

const std::vector<std::string> both_files = {"parameters.v", "viterbi_params.v"};
const std::vector<std::string> input_only = {"viterbi_params.v"};

std::string example_input(const std::string& name) {
    return read_file(data_path("trellgen/" + name + "/viterbi_params.v"));
}

// A hard-decision, unpunctured, parallel rate-1/2 K = 5 input with the last
// five items given as text, so tests can vary them.
std::string k5_input(const std::string& tail) {
    return "5 // K\n2 // n\n23 // GP0\n35 // GP1\n0 // hard decision\n0 // not punctured\n" + tail;
}

bool has_line(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(Trellgen, ParallelExampleOnAnotherVendorsDevice) {
    const TrellgenRun r = run(example_input("parallel_k7"), {"0"});
    EXPECT_EQ(r.result.exit_status, 0);
    EXPECT_EQ(r.result.out, "");
    EXPECT_EQ(r.result.err, "");
    EXPECT_EQ(r.files, both_files);
    EXPECT_EQ(r.parameters, expected_file("trellgen/parallel_k7/parameters.v", r.parameters));
    // The worked example's values, straight from the file.
    for (const char* line : {"`define K_1              6",
                             "`define NUM_STATES       64",
                             "`define NUM_ACSP         64",
                             "`define ACSP_WIDTH       7",
                             "`define NUM_BMUP         128",
                             "`define PROC_CYCLES      1",
                             "`define DIN_WIDTH        3",
                             "`define BM_WIDTH         4",
                             "`define NUM_METRICS      4",
                             "`define METRIC_WIDTH     16",
                             "`define NUM_DIN          2",
                             "`define DINBUS_WIDTH     6",
                             "`define BMBUS_WIDTH      512",
                             "`define PMBUS_WIDTH      512",
                             "`define ACSBUS_WIDTH     512",
                             "`define SIBUS_WIDTH      64",
                             "`define ENCOUT_WIDTH     256",
                             "`define PM_WIDTH         8",
                             "`define SM_DATA_WIDTH    64",
                             "`define SM_ADDR_WIDTH    6",
                             "`define PREFIX0          2'b00",
                             "`define PREFIX1          2'b10",
                             "`define NUM_STATES_GE_16",
                             "`define NUM_GP_EQ_2 ",
                             "`define BMUP0",
                             "`define BMUP127",
                             "`define NUM_MEM_4",
                             "`define NONQUARRY_DEVICE"}) {
        EXPECT_TRUE(has_line(r.parameters, line)) << line;
    }
    EXPECT_FALSE(has_line(r.parameters, "`define BMUP128"));
    EXPECT_FALSE(has_line(r.parameters, "`define NUM_MEM_5"));
}

TEST(Trellgen, HybridExampleWithoutArgumentIsKestrel4) {
    const TrellgenRun r = run(example_input("hybrid_k7"));
    EXPECT_EQ(r.result.exit_status, 0);
    EXPECT_EQ(r.result.out, "");
    EXPECT_EQ(r.files, both_files);
    EXPECT_EQ(r.parameters, expected_file("trellgen/hybrid_k7/parameters.v", r.parameters));
    for (const char* line : {"`define KESTREL4_DEVICE",
                             "`define K_1_C            4",
                             "`define K_C              5",
                             "`define NUM_ACSP         16",
                             "`define ACSP_WIDTH       5",
                             "`define NUM_BMUP         32",
                             "`define PROC_CYCLES      4",
                             "`define NUM_DIN          1",
                             "`define DINBUS_WIDTH     3",
                             "`define BMBUS_WIDTH      128",
                             "`define ACSBUS_WIDTH     128",
                             "`define ENCOUT_WIDTH     64",
                             "`define SOFT_WIDTH_1     2",
                             "`define NULLBYTE         {1'b0,{2{1'b1}}}",
                             "`define PBCOUNT_WIDTH    3",
                             "`define BER_RATE         1023",
                             "`define BER_RATE_WIDTH   10",
                             "`define DL_LEN           321",
                             "`define DL_DATA_WIDTH    1",
                             "`define DL_ADDR_WIDTH    9",
                             "`define K_EQ_7",
                             "`define HI_EQ_2",
                             "`define NUM_STATES_GE_32",
                             "`define NUM_GP_EQ_2 ",
                             "`define BMUP31",
                             "`define NUM_MEM_2"}) {
        EXPECT_TRUE(has_line(r.parameters, line)) << line;
    }
    for (const char* absent : {"PREFIX", "DL_AW_EQ_10", "NUM_MEM_3", "BMUP32"}) {
        EXPECT_EQ(r.parameters.find(absent), std::string::npos) << absent;
    }
}

TEST(Trellgen, DeviceClassArgument) {
    const std::string input = example_input("parallel_k7");
    const auto device_line = [&](const std::vector<std::string>& args) {
        const TrellgenRun r = run(input, args);
        EXPECT_EQ(r.result.exit_status, 0);
        for (const char* line :
             {"`define NONQUARRY_DEVICE", "`define QUARRY_DEVICE", "`define KESTREL4_DEVICE"}) {
            if (has_line(r.parameters, line)) {
                return std::string(line);
            }
        }
        return std::string();
    };
    EXPECT_EQ(device_line({"1"}), "`define QUARRY_DEVICE");
    EXPECT_EQ(device_line({"2"}), "`define KESTREL4_DEVICE");
    EXPECT_EQ(device_line({}), "`define KESTREL4_DEVICE");
    // Read like atoi(): no digits is class 0, later arguments are ignored.
    EXPECT_EQ(device_line({"abc"}), "`define NONQUARRY_DEVICE");
    EXPECT_EQ(device_line({" 1xyz", "7"}), "`define QUARRY_DEVICE");
}

TEST(Trellgen, BadDeviceClassReadsAndWritesNothing) {
    for (const std::string arg : {"3", "-1", "4294967296"}) {
        TempDir dir;
        write_file(dir.file("parameters.v"), "previous\n");
        // Not even a missing input is noticed.
        const RunResult r = run_program(program, {arg}, dir.path());
        EXPECT_EQ(r.exit_status, 24) << arg;
        EXPECT_EQ(r.out, "Choose correct device !\n") << arg;
        EXPECT_EQ(read_file(dir.file("parameters.v")), "previous\n");
    }
}

TEST(Trellgen, MissingInput) {
    TempDir dir;
    const RunResult r = run_program(program, {}, dir.path());
    EXPECT_EQ(r.exit_status, 255);
    EXPECT_EQ(r.out, "Error ! viterbi_params.v not existed\n");
    EXPECT_TRUE(list_directory(dir.path()).empty());
}

TEST(Trellgen, ParametersFileThatCannotBeCreated) {
    TempDir dir;
    write_file(dir.file("viterbi_params.v"), example_input("parallel_k7"));
    run_program("/bin/mkdir", {"parameters.v"}, dir.path());
    const RunResult r = run_program(program, {}, dir.path());
    EXPECT_EQ(r.exit_status, 255);
    EXPECT_EQ(r.out, "Error ! parameters.v cannot be open for write\n");
}

TEST(Trellgen, FullDiskIsReported) {
    TempDir dir;
    write_file(dir.file("viterbi_params.v"), example_input("parallel_k7"));
    run_program("/bin/ln", {"-s", "/dev/full", "parameters.v"}, dir.path());
    const RunResult r = run_program(program, {}, dir.path());
    EXPECT_EQ(r.exit_status, 255);
    EXPECT_EQ(r.out, "Error ! parameters.v could not be written completely\n");
}

TEST(Trellgen, LayoutsOfTheInputFile) {
    // Values alone on the lines of items 11 to 15, a polynomial with a
    // leading zero, blank lines before items, CR LF line ends.
    const TrellgenRun loose = run("7 // K\r\n2 // n\r\n\n0171 // GP0\n133 // GP1\n0 // hard\n"
                                  "0 // not punctured\n\n64\n1\n3\n1\n12",
                                  {"2"});
    EXPECT_EQ(loose.result.exit_status, 0) << loose.result.out;
    EXPECT_TRUE(has_line(loose.parameters, "`define GP0              7'o171"));
    EXPECT_TRUE(has_line(loose.parameters, "`define TB_LENGTH        64"));
    EXPECT_TRUE(has_line(loose.parameters, "`define HYBRID_INDEX     3"));
    EXPECT_TRUE(has_line(loose.parameters, "`define BER_PERIOD         12"));
    EXPECT_TRUE(has_line(loose.parameters, "`define DL_LEN           255"));
    // DL_ADDR_WIDTH 8: no DL_AW_EQ_10.
    EXPECT_FALSE(has_line(loose.parameters, "`define DL_AW_EQ_10"));
}

TEST(Trellgen, ShiftedItemsAreJudgedAfterReading) {
    // The constraint length alone on its line: its line end is skipped and
    // the discard swallows the n line, so n becomes 171 and is refused.
    const TrellgenRun swallowed = run("7\n2 // n\n171 // GP0\n133 // GP1\n0\n0\n64\n0\n0\n", {"2"});
    EXPECT_EQ(swallowed.result.exit_status, 2);
    EXPECT_EQ(swallowed.result.out, "trellgen: viterbi_params.v: number of polynomials 171: "
                                    "accepted: 1 to 3 (code rate 1/n)\n");
    EXPECT_EQ(swallowed.files, input_only);
    // A heading line makes K 0.
    const TrellgenRun heading = run("// my decoder\n" + example_input("parallel_k7"));
    EXPECT_EQ(heading.result.exit_status, 2);
    EXPECT_EQ(heading.result.out,
              "trellgen: viterbi_params.v: constraint length 0: accepted: 3 to 9\n");
    EXPECT_EQ(heading.files, input_only);
    // A file that ends early: the traceback length is still 0.
    const TrellgenRun early =
        run("7 // K\n1 // n\n171 // GP0\n0 // hard\n0 // not punctured\n", {"2"});
    EXPECT_EQ(early.result.exit_status, 2);
    EXPECT_EQ(early.result.out,
              "trellgen: viterbi_params.v: traceback length 0: accepted: 1 or more\n");
    const TrellgenRun empty = run("", {"1"});
    EXPECT_EQ(empty.result.exit_status, 2);
    EXPECT_EQ(empty.files, input_only);
}

TEST(Trellgen, RefusedInputLeavesAnExistingParametersFileAlone) {
    struct Case {
        std::string input;
        std::string device;
        std::string message;
    };
    const std::string head = "7 // K\n2 // n\n171 // GP0\n133 // GP1\n";
    const std::string soft = head + "1 // soft\n3 // SW\n0 // signed\n";
    const std::string punct = soft + "1 // punctured\n4 // PB\n";
    const std::string k5_tail = "64\n0\n0\n";
    const std::vector<Case> cases = {
        {"10 // K\n" + k5_input(k5_tail).substr(8), "2", "constraint length 10: accepted: 3 to 9"},
        {"7 // K\n4 // n\n1\n2\n3\n4\n", "2",
         "number of polynomials 4: accepted: 1 to 3 (code rate 1/n)"},
        {"7 // K\n1 // n\n191 // GP0\n0\n0\n64\n0\n0\n", "2",
         "polynomial GP0 191: accepted: octal digits (0 to 7) of a polynomial below 2^7 (K bits)"},
        {head + "2 // soft\n", "2", "soft-decision flag 2: accepted: 0 or 1"},
        {head + "1 // soft\n17 // SW\n", "2",
         "soft width 17: accepted: 1 to 16 bits per soft symbol"},
        {head + "1 // soft\n3 // SW\n2 // unsigned\n", "2", "unsigned flag 2: accepted: 0 or 1"},
        {soft + "-1 // punctured\n", "2", "punctured flag -1: accepted: 0 or 1"},
        {soft + "1 // punctured\n15 // PB\n", "2", "puncture block size 15: accepted: 1 to 14"},
        {punct + "110 // PP0\n1011 // PP1\n64\n0\n0\n", "2",
         "first puncture pattern \"110\": accepted: exactly 4 characters 0 or 1 (one per symbol "
         "of the puncture block)"},
        {punct + "1101 // PP0\n10x1 // PP1\n64\n0\n0\n", "2",
         "second puncture pattern \"10x1\": accepted: exactly 4 characters 0 or 1 (one per "
         "symbol of the puncture block)"},
        {punct + "1101 // PP0\n" + std::string(40, '1') + " // PP1\n64\n0\n0\n", "2",
         "second puncture pattern \"" + std::string(32, '1') +
             "...\" (40 characters): accepted: exactly 4 characters 0 or 1 (one per symbol of the "
             "puncture block)"},
        {k5_input("0\n0\n0\n"), "2", "traceback length 0: accepted: 1 or more"},
        {k5_input("257\n0\n0\n"), "0",
         "traceback length 257: accepted: 1 to 256 for device class 0 (the address prefixes "
         "are 8 - L(TB) bits)"},
        {k5_input("64\n3\n"), "2", "hybrid flag 3: accepted: 0 or 1"},
        {k5_input("64\n1\n5\n0\n"), "2", "hybrid index 5: accepted: 0 to 4 (K-1)"},
        {k5_input("64\n0\n2\n"), "2", "BER flag 2: accepted: 0 or 1"},
        {k5_input("64\n0\n1\n33\n"), "2",
         "BER period exponent 33: accepted: 1 to 32 (BER_RATE is 2^BP - 1)"},
        {k5_input("64\n0\n1\n"), "2",
         "BER period exponent 0: accepted: 1 to 32 (BER_RATE is 2^BP - 1)"},
        {k5_input("600000000\n0\n1\n8\n"), "1",
         "traceback length 600000000: accepted: a length that keeps DL_LEN (here 2399999999) "
         "within the 32-bit integer range"},
        {k5_input("4294967360\n0\n0\n"), "2",
         "traceback length 4294967360: accepted: a number within the 32-bit integer range"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        write_file(dir.file("parameters.v"), "previous\n");
        const TrellgenRun r = run_in(dir, c.input, {c.device});
        EXPECT_EQ(r.result.exit_status, 2) << c.message;
        EXPECT_EQ(r.result.out, "trellgen: viterbi_params.v: " + c.message + "\n");
        EXPECT_EQ(r.parameters, "previous\n") << c.message;
    }
}

TEST(Trellgen, EdgeValuesAreAccepted) {
    // Hard decision with puncturing: the soft width was never read.
    const TrellgenRun hard = run("5 // K\n2 // n\n23 // GP0\n35 // GP1\n0 // hard decision\n"
                                 "1 // punctured\n2 // PB\n11 // PP0\n10 // PP1\n1\n0\n1\n32\n",
                                 {"0"});
    EXPECT_EQ(hard.result.exit_status, 0) << hard.result.out;
    EXPECT_TRUE(has_line(hard.parameters, "`define PP1              2'b10"));
    EXPECT_TRUE(has_line(hard.parameters, "`define SOFT_WIDTH_1     -1"));
    EXPECT_TRUE(has_line(hard.parameters, "`define NULLBYTE         {0{1'b0}}"));
    EXPECT_TRUE(has_line(hard.parameters, "`define SM_ADDR_WIDTH    0"));
    EXPECT_TRUE(has_line(hard.parameters, "`define PREFIX0          8'b00000000"));
    EXPECT_TRUE(has_line(hard.parameters, "`define PREFIX1          8'b10000000"));
    EXPECT_TRUE(has_line(hard.parameters, "`define BER_RATE         4294967295"));

    const TrellgenRun long_traceback = run(k5_input("256\n0\n0\n"), {"0"});
    EXPECT_EQ(long_traceback.result.exit_status, 0);
    EXPECT_TRUE(has_line(long_traceback.parameters, "`define PREFIX0          0'b"));
    EXPECT_TRUE(has_line(long_traceback.parameters, "`define PREFIX1          0'b1"));
}

// The file must be valid Verilog preprocessor input: every define can be
// expanded by a tool that reads it.
TEST(Trellgen, PreprocessesInIcarusVerilog) {
    if (std::system("command -v iverilog >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "iverilog is not installed";
    }
    for (const std::string name : {"parallel_k7", "hybrid_k7"}) {
        TempDir dir;
        write_file(dir.file("viterbi_params.v"), example_input(name));
        ASSERT_EQ(run_program(program, {"0"}, dir.path()).exit_status, 0);
        write_file(dir.file("use.v"),
                   "`include \"parameters.v\"\n"
                   "module use_defines(output [`PMBUS_WIDTH-1:0] pm, output [`K_1:0] gp0);\n"
                   "  assign pm = 0;\n"
                   "  assign gp0 = `GP0;\n"
                   "endmodule\n");
        const RunResult r = run_program("/bin/sh",
                                        {"-c", "iverilog -E -o pre.v use.v && iverilog -o "
                                               "sim use.v"},
                                        dir.path());
        EXPECT_EQ(r.exit_status, 0) << name << ": " << r.out << r.err;
        EXPECT_EQ(r.err, "") << name;
    }
}

} // namespace
} // namespace ipgen::test
