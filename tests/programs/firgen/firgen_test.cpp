// firgen run in a fresh directory: files, messages and exit statuses.
#include "generators/firgen/firgen_files.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

namespace ipgen::test {
namespace {

// user_params.txt as firparam writes it, line 1 to 14.
std::string user_params(const std::vector<int>& v) {
    const char* comments[] = {"Tap width",
                              "Coeff width",
                              "Number of taps",
                              "Output width",
                              "Filter type: 0-single, 1-multi, 2-deci, 3-inter",
                              "Coeff loadability: 0-fixed, 1-loadable",
                              "Symmetricity: 0-none, 1-even, 2-odd",
                              "Rounding type: 0-truncation, 1-nearest",
                              "Arithmetic type: 0-signed, 1-unsigned",
                              "Data type: 0-real, 1-complex",
                              "Number of cycles (MULTICYCLE)",
                              "D_RATIO (DECIMATION)",
                              "I_RATIO (INTERPOLATION)",
                              "Complex input mode: 0-parallel, 1-serial"};
    std::string text;
    for (std::size_t i = 0; i < v.size(); ++i) {
        text += std::to_string(v[i]) + "   // " + comments[i] + "\n";
    }
    return text;
}

// The defaults: the first worked example.
const std::vector<int> example_one = {8, 8, 6, 19, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0};
// W 8, OW 20, T 11, multi-cycle, symmetric, complex, parallel, nearest, NC 2.
const std::vector<int> example_two = {8, 8, 11, 20, 1, 0, 1, 1, 0, 1, 2, 1, 1, 0};

struct Workdir {
    TempDir dir;
    RunResult result;
    std::string file(const std::string& name) const { return read_file(dir.file(name)); }
    bool has(const std::string& name) const { return file_exists(dir.file(name)); }
};

void run_in(Workdir& run) {
    run.result = run_program(FIRGEN_PATH, {}, run.dir.path());
}

void setup(Workdir& run, const std::vector<int>& params, const std::string& dec_name = "",
           const std::string& dec = "") {
    write_file(run.dir.file("user_params.txt"), user_params(params));
    if (!dec_name.empty()) {
        write_file(run.dir.file(dec_name), dec);
    }
    run_in(run);
}

// Part of the first worked example's file, define by define, as the
// core's documentation lists it.
std::string example_one_file(const std::string& coeff_value) {
    std::string text;
    for (const char* define : {"SINGLECYCLE_FIR", "INPUT_DATA_WIDTH 8", "OUTPUT_DATA_WIDTH 19",
                               "NUM_TAPS 6", "COEFF_DEFAULT"}) {
        text += std::string("`define ") + define + "\n\n";
    }
    text += "`define COEFF_VALUE 48'h" + coeff_value + "\n\n";
    for (const char* define : {"NONSYMMETRIC_COEFF",
                               "REAL_DATA_TYPE",
                               "SIGNED",
                               "ROUND_TRUNCATION",
                               "INPUT_PORT_WIDTH 8",
                               "OUTPUT_PORT_WIDTH 19",
                               "INTERNAL_DATA_WIDTH 8",
                               "NUM_TAP_REGS_EQ_6",
                               "NUM_COEFFS 6",
                               "EVEN_NUM_COEFF",
                               "NUM_MULTIPLIERS 6",
                               "MULTIPLIER_DATA_WIDTH 8",
                               "TAO_WIDTH 48",
                               "CAO_WIDTH 48",
                               "DSO_WIDTH 96",
                               "MBO_WIDTH 96",
                               "ATO_WIDTH 19",
                               "TEMP_BUS_WIDTH 48",
                               "STAGE3",
                               "STAGE2",
                               "STAGE1",
                               "ST3_NUM_ADDERS 3",
                               "ST2_NUM_ADDERS 1",
                               "ST1_NUM_ADDERS 1",
                               "ST3_NUM_DIRECT 0",
                               "ST2_NUM_DIRECT 1",
                               "ST1_NUM_DIRECT 0",
                               "ST3_IN_DATA_WIDTH 16",
                               "ST2_IN_DATA_WIDTH 17",
                               "ST1_IN_DATA_WIDTH 18",
                               "ST3_IN_BUS_WIDTH 96",
                               "ST2_IN_BUS_WIDTH 51",
                               "ST1_IN_BUS_WIDTH 36",
                               "ST3_OUT_DATA_WIDTH 17",
                               "ST2_OUT_DATA_WIDTH 18",
                               "ST1_OUT_DATA_WIDTH 19",
                               "ST3_OUT_BUS_WIDTH 51",
                               "ST2_OUT_BUS_WIDTH 36",
                               "ST1_OUT_BUS_WIDTH 19",
                               "ST3_EXP_IN_ADDR 96",
                               "ST2_EXP_IN_ADDR 34",
                               "ST1_EXP_IN_ADDR 36",
                               "ST3_EXP_OUT_ADDR 51",
                               "ST2_EXP_OUT_ADDR 18",
                               "ST1_EXP_OUT_ADDR 19",
                               "SINGLE_CYCLE_PROCESSING",
                               "OUTPUT_FULL_WIDTH 19",
                               "OUTPUT_WIDTH 19",
                               "SCALING_NONE",
                               "ATO_WIDTH_REAL 9",
                               "OUTPUT_WIDTH_REAL 9",
                               "OUTPUT_FULL_WIDTH_REAL 9",
                               "NUM_TAPS_EQ_6",
                               "NUM_MULTIPLIERS_EQ_6"}) {
        text += std::string("`define ") + define + "\n\n";
    }
    return text;
}

bool contains(const std::string& text, const std::string& piece) {
    return text.find(piece) != std::string::npos;
}

TEST(Firgen, FirstWorkedExample) {
    Workdir run;
    setup(run, example_one, "cin.dec", "1\n-1\n127\n-128\n0\n5\n");
    EXPECT_EQ(run.result.exit_status, 0);
    EXPECT_EQ(run.result.out, "");
    EXPECT_EQ(run.file("cin.hex"), "01\nFF\n7F\n80\n00\n05\n");
    EXPECT_EQ(run.file("parameters.v"), example_one_file("01FF7F800005"));
    EXPECT_EQ(run.file("parameters.v"),
              expected_file("firgen/example_one/parameters.v", run.file("parameters.v")));
    EXPECT_EQ(list_directory(run.dir.path()),
              (std::vector<std::string>{"cin.dec", "cin.hex", "parameters.v", "user_params.txt"}));
}

TEST(Firgen, LineOneHasNoEffect) {
    Workdir run;
    std::vector<int> params = example_one;
    params[0] = 13;
    setup(run, params, "cin.dec", "1\n-1\n127\n-128\n0\n5\n");
    EXPECT_EQ(run.result.exit_status, 0);
    EXPECT_EQ(run.file("parameters.v"), example_one_file("01FF7F800005"));
}

TEST(Firgen, SecondWorkedExampleComplexMultiCycle) {
    Workdir run;
    setup(run, example_two, "cin_cmplx.dec", "1\t-1\n2\t-2\n3\t-3\n4\t-4\n5\t-5\n-128\t127\n");
    EXPECT_EQ(run.result.exit_status, 0);
    EXPECT_EQ(run.result.out, "");
    EXPECT_EQ(run.file("cin_cmplx.hex"), "01\tFF\n02\tFE\n03\tFD\n04\tFC\n05\tFB\n80\t7F\n");
    const std::string params = run.file("parameters.v");
    EXPECT_TRUE(contains(params, "`define COEFF_VALUE 96'h01FF02FE03FD04FC05FB807F\n\n"));
    EXPECT_TRUE(contains(params, "`define ROUND_NEAREST\n\n`define NUM_CYCLES 2\n\n"
                                 "`define NUM_CYCLES_ADJ 2\n\n`define COMPLEX_PARA_IN\n\n"
                                 "`define INPUT_PORT_WIDTH 16\n\n"));
    EXPECT_TRUE(contains(params, "`define ODD_NUM_COEFF\n\n"));
    EXPECT_TRUE(contains(params, "`define SCHEDULER_SELECT_WIDTH 1\n\n`define TEMP_BUS_WIDTH 108"));
    EXPECT_TRUE(contains(params, "`define ATO_EQUALS_OFW_MINUS_ONE\n\n`define ATO_WIDTH_REAL 21"));
    EXPECT_TRUE(contains(params, "`define NUM_CYCLES_EQ_2\n\n`define ADDER_IN_OP\n\n"));
    EXPECT_FALSE(contains(params, "NUM_ZERO_PADDING"));
    EXPECT_EQ(params, expected_file("firgen/example_two/parameters.v", params));
}

TEST(Firgen, DecimationWithPaddingAndLoadableCoefficients) {
    Workdir run;
    setup(run, {8, 12, 10, 24, 2, 1, 0, 0, 1, 0, 1, 4, 1, 1});
    EXPECT_EQ(run.result.exit_status, 0);
    const std::string params = run.file("parameters.v");
    EXPECT_TRUE(contains(params, "`define COEFF_LOAD\n\n`define NONSYMMETRIC_COEFF\n\n"));
    EXPECT_FALSE(contains(params, "COEFF_VALUE"));
    EXPECT_TRUE(contains(params, "`define UNSIGNED\n\n"));
    EXPECT_TRUE(contains(params, "`define D_RATIO 4\n\n`define INPUT_PORT_WIDTH 12\n\n"));
    EXPECT_TRUE(contains(params, "`define NUM_ZERO_PADDING 2\n\n`define D_RATIO_ADJ 4\n\n"
                                 "`define NUM_ZERO_PADDING_ADJ 2\n\n"));
    EXPECT_TRUE(contains(params, "`define D_RATIO_EQ_4\n\n`define ADDER_IN_OP\n\n"));
    EXPECT_EQ(params, expected_file("firgen/decimation/parameters.v", params));
    EXPECT_EQ(list_directory(run.dir.path()),
              (std::vector<std::string>{"parameters.v", "user_params.txt"}));
}

TEST(Firgen, OneMultiplierWritesNoStageDefines) {
    Workdir run;
    setup(run, {8, 8, 1, 16, 0, 1, 0, 0, 0, 0, 1, 1, 1, 0});
    EXPECT_EQ(run.result.exit_status, 0);
    const std::string params = run.file("parameters.v");
    EXPECT_TRUE(contains(params, "`define ATO_WIDTH 16\n\n`define TEMP_BUS_WIDTH 8\n\n"
                                 "`define SINGLE_CYCLE_PROCESSING\n\n"));
    EXPECT_FALSE(contains(params, "STAGE"));
    EXPECT_FALSE(contains(params, "`define ST"));
}

TEST(Firgen, MissingUserParameterFile) {
    Workdir run;
    run_in(run);
    EXPECT_EQ(run.result.exit_status, 255);
    EXPECT_EQ(run.result.out, "Cannot open user defined par for reading\n");
    EXPECT_TRUE(list_directory(run.dir.path()).empty());
}

TEST(Firgen, MissingDecimalFileUsesAStaleHexFile) {
    Workdir run;
    write_file(run.dir.file("cin.hex"), "0A\n0B\n0C\n0D\n0E\n0F\n");
    setup(run, example_one);
    EXPECT_EQ(run.result.exit_status, 0);
    EXPECT_EQ(run.result.out, "Error opening cin.dec\n");
    EXPECT_EQ(run.file("parameters.v"), example_one_file("0A0B0C0D0E0F"));
}

TEST(Firgen, NoCoefficientsAtAllWritesNoParameterFile) {
    Workdir run;
    setup(run, example_one);
    EXPECT_EQ(run.result.exit_status, 1);
    EXPECT_EQ(run.result.out, "Error opening cin.dec\nError opening cin.hex\n"
                              "No coefficient values for COEFF_VALUE; parameters.v not written\n");
    EXPECT_EQ(list_directory(run.dir.path()), (std::vector<std::string>{"user_params.txt"}));
}

TEST(Firgen, AStaleHexFileWithTooFewValuesIsNotUsed) {
    Workdir run;
    write_file(run.dir.file("cin.hex"), "0A\n0B\n");
    setup(run, example_one);
    EXPECT_EQ(run.result.exit_status, 1);
    EXPECT_EQ(run.result.out,
              "Error opening cin.dec\n"
              "Error reading cin.hex: no hexadecimal coefficient on line 3; 6 needed\n"
              "No coefficient values for COEFF_VALUE; parameters.v not written\n");
    EXPECT_FALSE(run.has("parameters.v"));
}

TEST(Firgen, RangeMessagesAndTheUnsignedExit) {
    Workdir signed_run;
    setup(signed_run, example_one, "cin.dec", "-129\n128\n0\n0\n0\n0\n");
    EXPECT_EQ(signed_run.result.exit_status, 0);
    EXPECT_EQ(signed_run.result.out, "coeff data seems to be out of range; Results may be wrong\n"
                                     "coeff data seems to be out of range; Results may be wrong\n");
    EXPECT_EQ(signed_run.file("cin.hex"), "7F\n80\n00\n00\n00\n00\n");

    // Unsigned W = 6: 100 is written as 64 and then stops the packing.
    Workdir unsigned_run;
    setup(unsigned_run, {6, 6, 2, 19, 0, 0, 0, 0, 1, 0, 1, 1, 1, 0}, "cin.dec", "100\n3\n");
    EXPECT_EQ(unsigned_run.result.exit_status, 1);
    EXPECT_EQ(unsigned_run.result.out, "coeff data seems to be out of range; Results may be wrong\n"
                                       "coeff data out of range; exiting\n");
    EXPECT_EQ(unsigned_run.file("cin.hex"), "64\n03\n");
    EXPECT_FALSE(unsigned_run.has("parameters.v"));

    // Unsigned W = 8: 256 is reported, written as 00 and accepted.
    Workdir wrap_run;
    setup(wrap_run, {8, 8, 2, 19, 0, 0, 0, 0, 1, 0, 1, 1, 1, 0}, "cin.dec", "255\n256\n");
    EXPECT_EQ(wrap_run.result.exit_status, 0);
    EXPECT_EQ(wrap_run.file("cin.hex"), "FF\n00\n");
    EXPECT_TRUE(contains(wrap_run.file("parameters.v"), "`define COEFF_VALUE 16'hFF00\n\n"));
}

TEST(Firgen, AParameterFileThatCannotBeCreated) {
    Workdir run;
    ASSERT_EQ(::mkdir(run.dir.file("parameters.v").c_str(), 0755), 0);
    setup(run, {8, 8, 6, 19, 0, 1, 0, 0, 0, 0, 1, 1, 1, 0});
    EXPECT_EQ(run.result.exit_status, 1);
    EXPECT_EQ(run.result.out, "Error opening parameters.v\n");
}

TEST(Firgen, AHexFileThatCannotBeCreated) {
    Workdir run;
    ASSERT_EQ(::mkdir(run.dir.file("cin.hex").c_str(), 0755), 0);
    setup(run, example_one, "cin.dec", "1\n2\n3\n4\n5\n6\n");
    EXPECT_EQ(run.result.exit_status, 1);
    EXPECT_EQ(run.result.out, "Error opening cin.hex\nError opening cin.hex\n"
                              "No coefficient values for COEFF_VALUE; parameters.v not written\n");
    EXPECT_FALSE(run.has("parameters.v"));
}

// A refused file: one line on standard output, status 2, nothing written.
void expect_refused(const std::string& user_file, const std::string& message,
                    const std::string& dec = "1\n2\n3\n4\n5\n6\n") {
    Workdir run;
    write_file(run.dir.file("user_params.txt"), user_file);
    write_file(run.dir.file("cin.dec"), dec);
    run_in(run);
    EXPECT_EQ(run.result.exit_status, 2);
    EXPECT_EQ(run.result.out, message);
    EXPECT_EQ(list_directory(run.dir.path()),
              (std::vector<std::string>{"cin.dec", "user_params.txt"}));
}

TEST(Firgen, RefusedFiles) {
    std::vector<int> bad = example_one;
    bad[4] = 4;
    expect_refused(user_params(bad),
                   "firgen: user_params.txt line 5 (Filter type): 4; accepted: 0 to 3 (0 "
                   "SINGLECYCLE_FIR, 1 MULTICYCLE_FIR, 2 DECIMATION_FIR, 3 INTERPOLATION_FIR)\n");
    expect_refused("8\n8\n6\n19\n0\n0\n0\n0\n0\n0\n",
                   "firgen: user_params.txt line 11 (Number of cycles (MULTICYCLE)): no number; "
                   "accepted: a decimal number at the start of the line\n");
    std::string long_comment = user_params(example_one);
    long_comment.insert(long_comment.find("// Output width") + 2, std::string(90, '-'));
    expect_refused(long_comment,
                   "firgen: user_params.txt line 4 (Output width): 108 characters after the "
                   "number; accepted: at most 99 (a longer line is split and shifts the later "
                   "values)\n");
    expect_refused(user_params(example_one),
                   "firgen: cin.dec line 4: no decimal coefficient; accepted: 6 decimal numbers, "
                   "one per line\n",
                   "1\n2\n3\nfour\n5\n6\n");
}

// The typed entry writes, in memory, exactly the files a run writes for
// the same values and cin.dec (cin_cmplx.dec), in the run's order.
TEST(FirgenEntry, WriteGivesTheFilesOfARun) {
    struct Case {
        std::vector<int> params;
        std::vector<std::int64_t> coefficients;
    };
    const Case cases[] = {
        {example_one, {1, -2, 3, -128, 127, 0}},
        {{12, 12, 7, 30, 2, 0, 2, 1, 1, 0, 1, 3, 1, 0}, {4095, 0, 17, 2048}},
        {example_two, {1, -1, 2, -2, 3, -3, 4, -4, 5, -5, -128, 127}},
        {{8, 8, 9, 20, 3, 1, 0, 0, 0, 0, 1, 1, 2, 0}, {}},
    };
    for (const Case& c : cases) {
        const bool is_complex = c.params[9] == 1;
        std::string dec;
        for (std::size_t i = 0; i < c.coefficients.size(); i += is_complex ? 2 : 1) {
            dec += std::to_string(c.coefficients[i]) +
                   (is_complex ? "\t" + std::to_string(c.coefficients[i + 1]) : "") + "\n";
        }
        Workdir run;
        setup(run, c.params, is_complex ? "cin_cmplx.dec" : "cin.dec", dec);
        ASSERT_EQ(run.result.exit_status, 0) << run.result.out;

        fir::gen::FirGenParams p;
        const std::vector<int>& v = c.params;
        p.data_width = v[1];
        p.num_taps = v[2];
        p.output_width = v[3];
        p.filter_index = v[4];
        p.coeff_index = v[5];
        p.symmetry_index = v[6];
        p.rounding_index = v[7];
        p.arithmetic_index = v[8];
        p.data_type_index = v[9];
        p.num_cycles = v[10];
        p.deci_ratio = v[11];
        p.inter_ratio = v[12];
        p.complex_in_index = v[13];
        ASSERT_TRUE(fir::gen::check(p).empty());
        std::vector<std::string> names;
        for (const NamedText& file : fir::gen::write(p, c.coefficients)) {
            names.push_back(file.name);
            EXPECT_EQ(file.text, run.file(file.name)) << file.name;
        }
        const std::vector<std::string> want =
            v[5] == 1 ? std::vector<std::string>{"parameters.v"}
                      : std::vector<std::string>{is_complex ? "cin_cmplx.hex" : "cin.hex",
                                                 "parameters.v"};
        EXPECT_EQ(names, want);
    }
}

} // namespace
} // namespace ipgen::test
