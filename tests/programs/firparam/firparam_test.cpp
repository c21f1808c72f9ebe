// firparam run in a fresh directory: files, messages and exit statuses.
#include "generators/firparam/coefficients.hpp"
#include "generators/firparam/firparam_files.hpp"
#include "generators/firparam/validation.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

const std::string defaults_message = "Error opening user params file\n"
                                     "Creating file with default values ...\n";
const std::string success = "Design parameter file (parameters.v) generated successfully!\n";

// The worked example of the defaults, as the core's documentation lists
// the file: banner, basic defines, calculated block, enumerations.
std::string default_parameters(const std::string& coefficients) {
    std::string text = "/////////////////////////////////////////////////////////////////\n"
                       "/////////////           Parameters.v              ///////////////\n"
                       "///////////// Automatic file created by C program ///////////////\n"
                       "/////////////////////////////////////////////////////////////////\n\n"
                       "// ------------ Basic user defines\n"
                       "`define TAP_WIDTH        8\n"
                       "`define COEFF_WIDTH      8\n"
                       "`define OUTPUT_WIDTH     19\n"
                       "`define NUM_TAPS         6\n"
                       "`define NUM_TAPS_EQ_6\n"
                       "`define NONSYMMETRIC_COEFF\n"
                       "`define ROUND_TRUNCATION\n"
                       "`define SIGNED\n"
                       "`define REAL_DATA_TYPE\n"
                       "`define COMPLEX_PARA_IN\n"
                       "`define COEFF_DEFAULT\n"
                       "`define NUM_COEFFS       6\n"
                       "`define NUM_MULTS        6\n"
                       "`define NUM_MULTS_EQ_6\n"
                       "`define NUM_CYCLES       1\n"
                       "`define SINGLECYCLE_FIR\n"
                       "`define SINGLE_CYCLE_PROCESSING\n"
                       "`define SCALING_NONE\n"
                       "\n// ------------ Calculated defines\n"
                       "`define MULT_WIDTH       8\n"
                       "`define MULT_OUT_WIDTH   16\n"
                       "`define LOGN             3\n"
                       "`define SOO_DATA_WIDTH   8\n"
                       "`define MBO_DATA_WIDTH   16\n"
                       "`define NUM_ADD_STAGES   3\n"
                       "`define NUM_ADD_STAGES_EQ_3\n"
                       "`define ATO_DATA_WIDTH   19\n"
                       "`define OUTPUT_FULL_WIDTH 19\n"
                       "`define TW_COUNT_WIDTH   4\n"
                       "`define ORDY_COUNT_WIDTH 5\n"
                       "\n"
                       "/////////////////////////////////////////////////////////////////\n"
                       "/////////////////////  ENUMERATED DEFINES ///////////////////////\n"
                       "/////////////////////////////////////////////////////////////////\n"
                       "\n// ------------ Enumerated defines for number of taps\n";
    for (int i = 1; i <= 6; ++i) {
        text += "`define NUM_TAPS_" + std::to_string(i) + "\n";
    }
    text += "\n// ------------ Enumerated defines for Multiplier width\n";
    for (int i = 1; i <= 8; ++i) {
        text += "`define MULT_WIDTH_" + std::to_string(i) + "\n";
    }
    text += "\n// ------------ Enumerated defines for Number of multipliers\n";
    for (int i = 1; i <= 6; ++i) {
        text += "`define NUM_MULTS_" + std::to_string(i) + "\n";
    }
    return text + "\n// ------------ Fixed coefficients values\n" + coefficients;
}

bool contains(const std::string& text, const std::string& piece) {
    return text.find(piece) != std::string::npos;
}

TEST(FirparamUserFile, AHandEditedFileIsReadAndRewrittenInItsOwnLayout) {
    TempDir dir;
    write_file(dir.file("user_params.txt"), "  8 bits per tap\n8\n\n6 taps\n19\t// out\n0\n1 "
                                            "loadable\n0\n0\n0\n0\n1\n1\n1\n0 // parallel\n");
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.exit_status, 0);
    std::string expected = default_user_file;
    expected.replace(expected.find("0   // Coeff loadability"), 1, "1");
    EXPECT_EQ(read_file(dir.file("user_params.txt")), expected);
}

TEST(FirparamUserFile, AFileEndingAfterLineTenReadsZeros) {
    TempDir dir;
    const std::string ten_lines = default_user_file.substr(0, default_user_file.find("1   // N"));
    write_file(dir.file("user_params.txt"), ten_lines);
    write_file(dir.file("cin.dec"), "1 2 3 4 5 6");
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.exit_status, 0);
    // Lines 11 to 14 read as 0; the single-cycle type then sets the cycles to 1.
    std::string expected = default_user_file;
    expected.replace(expected.find("1   // D_RATIO"), 1, "0");
    expected.replace(expected.find("1   // I_RATIO"), 1, "0");
    EXPECT_EQ(read_file(dir.file("user_params.txt")), expected);
}

TEST(Firparam, FirstRunInAnEmptyDirectory) {
    TempDir dir;
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out,
              defaults_message +
                  "Error opening cin.dec\n"
                  "Error reading coeff hex file: cin.hex; Using default coeff values\n" +
                  success);
    EXPECT_EQ(read_file(dir.file("user_params.txt")), default_user_file);
    const std::string params = read_file(dir.file("parameters.v"));
    EXPECT_EQ(params, default_parameters("`define COEFF_FIXED_0   8'h1\n"
                                         "`define COEFF_FIXED_1   8'h2\n"
                                         "`define COEFF_FIXED_2   8'h3\n"
                                         "`define COEFF_FIXED_3   8'h4\n"
                                         "`define COEFF_FIXED_4   8'h5\n"
                                         "`define COEFF_FIXED_5   8'h6\n"));
    EXPECT_EQ(params, expected_file("firparam/defaults/parameters.v", params));
    EXPECT_EQ(list_directory(dir.path()),
              (std::vector<std::string>{"parameters.v", "user_params.txt"}));
}

TEST(Firparam, AParameterFileThatCannotBeCreated) {
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("parameters.v").c_str(), 0755), 0);
    std::string user = default_user_file;
    user.replace(user.find("0   // Coeff loadability"), 1, "1");
    write_file(dir.file("user_params.txt"), user);
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, "Error opening file for writing\n"); // and no success message
    EXPECT_EQ(read_file(dir.file("user_params.txt")), user);
}

TEST(Firparam, FixedCoefficientsInLowerCase) {
    TempDir dir;
    write_file(dir.file("user_params.txt"), default_user_file);
    write_file(dir.file("cin.dec"), "1\n-1\n127\n-128\n-129\n10\n");
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out, "coeff data seems to be out of range; Results may be wrong\n" + success);
    EXPECT_EQ(read_file(dir.file("cin.hex")), "01\nff\n7f\n80\n7f\n0a\n");
    EXPECT_EQ(read_file(dir.file("parameters.v")),
              default_parameters("`define COEFF_FIXED_0   8'h01\n"
                                 "`define COEFF_FIXED_1   8'hff\n"
                                 "`define COEFF_FIXED_2   8'h7f\n"
                                 "`define COEFF_FIXED_3   8'h80\n"
                                 "`define COEFF_FIXED_4   8'h7f\n"
                                 "`define COEFF_FIXED_5   8'h0a\n"));
    EXPECT_EQ(read_file(dir.file("user_params.txt")), default_user_file);
}

TEST(Firparam, AStaleHexFileIsUsedWhenTheDecimalFileIsMissing) {
    TempDir dir;
    write_file(dir.file("user_params.txt"), default_user_file);
    write_file(dir.file("cin.hex"), "a1\nA2\n03\n04\n05\n06\n");
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.out, "Error opening cin.dec\n" + success);
    EXPECT_TRUE(contains(read_file(dir.file("parameters.v")),
                         "`define COEFF_FIXED_0   8'ha1\n`define COEFF_FIXED_1   8'hA2\n"));
    // An incomplete one is not: the numbered defaults instead.
    write_file(dir.file("cin.hex"), "a1\nA2\n");
    const RunResult incomplete = run_in(dir);
    EXPECT_EQ(incomplete.out, "Error opening cin.dec\nError reading coeff hex file: cin.hex; "
                              "Using default coeff values\n" +
                                  success);
    EXPECT_TRUE(contains(read_file(dir.file("parameters.v")), "`define COEFF_FIXED_5   8'h6\n"));
}

TEST(Firparam, ComplexInterpolationUnsignedIsWrittenBackSigned) {
    TempDir dir;
    std::string user = default_user_file;
    user.replace(user.find("0   // Filter type"), 1, "3");
    user.replace(user.find("0   // Arithmetic"), 1, "1");
    user.replace(user.find("0   // Data type"), 1, "1");
    user.replace(user.find("1   // I_RATIO"), 1, "4");
    write_file(dir.file("user_params.txt"), user);
    write_file(dir.file("cin_cmplx.dec"), "1\t-1\n2\t-2\n3 -3\n4\t-4\n5\t-5\n6\t-6\n");
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out, success);
    EXPECT_EQ(read_file(dir.file("cin_cmplx.hex")),
              "01\tff\n02\tfe\n03\tfd\n04\tfc\n05\tfb\n06\tfa\n");
    std::string expected_user = user;
    expected_user.replace(expected_user.find("1   // Arithmetic"), 1, "0");
    expected_user.replace(expected_user.find("19   // Output"), 2,
                          "18"); // lowered to the full width
    EXPECT_EQ(read_file(dir.file("user_params.txt")), expected_user);
    const std::string params = read_file(dir.file("parameters.v"));
    EXPECT_TRUE(contains(params, "`define NUM_TAPS         2\n`define NUM_TAPS_EQ_2\n"));
    // Two multipliers: one adder stage, 8 + 8 + 1 bits, one more for complex data.
    EXPECT_TRUE(contains(params, "`define OUTPUT_FULL_WIDTH 18\n"));
    EXPECT_TRUE(contains(params, "`define COEFF_FIXED_5   {8'h06,8'hfa}\n"));
    EXPECT_EQ(params, expected_file("firparam/complex_interpolation/parameters.v", params));
}

TEST(Firparam, UnsignedOutputWidthClampIsWrittenBack) {
    TempDir dir;
    std::string user = default_user_file;
    user.replace(user.find("19   // Output"), 2, "40");
    user.replace(user.find("0   // Arithmetic"), 1, "1");
    user.replace(user.find("0   // Rounding"), 1, "1");
    write_file(dir.file("user_params.txt"), user);
    write_file(dir.file("cin.dec"), "255\n256\n0\n1\n2\n3\n");
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out, "coeff data seems to be out of range; Results may be wrong\n" + success);
    EXPECT_EQ(read_file(dir.file("cin.hex")), "0ff\n100\n000\n001\n002\n003\n");
    std::string expected_user = user;
    expected_user.replace(expected_user.find("40   // Output"), 2, "19"); // 21 - 2
    EXPECT_EQ(read_file(dir.file("user_params.txt")), expected_user);
    const std::string params = read_file(dir.file("parameters.v"));
    EXPECT_TRUE(contains(params, "`define TAP_WIDTH        9\n`define COEFF_WIDTH      9\n"
                                 "`define OUTPUT_WIDTH     21\n"));
    EXPECT_TRUE(contains(params, "`define SCALING_NONE\n"));
    EXPECT_FALSE(contains(params, "ADDER_IN_OP"));
    EXPECT_TRUE(contains(params, "`define COEFF_FIXED_1   9'h100\n"));
    EXPECT_EQ(params, expected_file("firparam/unsigned_clamp/parameters.v", params));
}

TEST(Firparam, RefusedValuesLeaveEverythingUntouched) {
    TempDir dir;
    std::string user = default_user_file;
    user.replace(user.find("6   // Number of taps"), 1, "0");
    write_file(dir.file("user_params.txt"), user);
    const RunResult result = run_in(dir);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.out, "firparam: user_params.txt line 3 (Number of taps): 0; accepted: 1 "
                          "or more taps\n");
    EXPECT_EQ(read_file(dir.file("user_params.txt")), user);
    EXPECT_EQ(list_directory(dir.path()), std::vector<std::string>{"user_params.txt"});

    write_file(dir.file("user_params.txt"), default_user_file);
    write_file(dir.file("cin.dec"), "1\n2\n3\n");
    const RunResult short_dec = run_in(dir);
    EXPECT_EQ(short_dec.exit_status, 2);
    EXPECT_EQ(short_dec.out, "firparam: cin.dec line 4: no decimal coefficient; accepted: 6 "
                             "decimal numbers, one per line\n");
    EXPECT_EQ(list_directory(dir.path()), (std::vector<std::string>{"cin.dec", "user_params.txt"}));
}

// Counts beyond the 256 of the core's counters are refused: their
// enumerations would run to billions of lines.
TEST(Firparam, CountsBeyondTheCountersAreRefused) {
    const auto refused = [](const std::string& line, const std::string& value,
                            const std::string& filter_type = "0") {
        TempDir dir;
        std::string user = default_user_file;
        user.replace(user.find("0   // Coeff loadability"), 1, "1");
        user.replace(user.find("0   // Filter type"), 1, filter_type);
        user.replace(user.find(line) - 4, 1, value);
        write_file(dir.file("user_params.txt"), user);
        const RunResult result = run_in(dir);
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_EQ(read_file(dir.file("user_params.txt")), user);
        EXPECT_EQ(list_directory(dir.path()), std::vector<std::string>{"user_params.txt"});
        return result.out;
    };
    EXPECT_EQ(refused("// Number of taps", "66666666"),
              "firparam: user_params.txt line 3 (Number of taps): 66666666; accepted: 1 to 256 "
              "taps (LOGN)\n");
    // A filter type outside 0 to 3 is refused before its counts matter.
    EXPECT_EQ(refused("// Number of taps", "6288698", "9"),
              "firparam: user_params.txt line 5 (Filter type): 9; accepted: 0 to 3 (0 "
              "SINGLECYCLE_FIR, 1 MULTICYCLE_FIR, 2 DECIMATION_FIR, 3 INTERPOLATION_FIR)\n");
    EXPECT_EQ(refused("// Tap width", "256"),
              "firparam: user_params.txt line 1 (Tap width): 256; accepted: 1 to 254 bits, 255 "
              "with signed arithmetic (TW_COUNT_WIDTH)\n");
    EXPECT_EQ(refused("// Coeff width", "2000000000"),
              "firparam: user_params.txt: full output width 2000000011 (OUTPUT_FULL_WIDTH); "
              "accepted: at most 255 (ORDY_COUNT_WIDTH): fewer taps or narrower taps or "
              "coefficients\n");
}

TEST(Firparam, FailedWritesKeepTheUserFile) {
    // With a file size limit of 0 every write to a file fails, as on a full
    // disk; the messages reach the test through a pipe, which the limit
    // does not cover, followed by the exit status.
    TempDir dir;
    std::string user = default_user_file;
    user.replace(user.find("0   // Coeff loadability"), 1, "1");
    write_file(dir.file("user_params.txt"), user);
    const RunResult result = run_program("/bin/sh",
                                         {"-c", std::string("(trap '' XFSZ; ulimit -f 0; ") +
                                                    FIRPARAM_PATH + "; echo status $?) | cat"},
                                         dir.path());
    EXPECT_EQ(result.out, "Error opening user params file for writing\n"
                          "Error writing parameters.v\n"
                          "Error opening user params file for writing\n"
                          "status 1\n");
    EXPECT_EQ(read_file(dir.file("user_params.txt")), user);
    EXPECT_EQ(list_directory(dir.path()),
              (std::vector<std::string>{"parameters.v", "user_params.txt"}));
}

// The typed entries: check() gives every problem as data in the run's
// order, and write() the texts of the files a run leaves, in its order.
TEST(FirparamEntry, CheckAndWriteAgreeWithARun) {
    using fir::param::FirUserParams;
    FirUserParams bad = fir::param::default_params();
    bad.m_nNumTaps = 300;
    bad.m_nDeciRatio = 300;
    bad.m_nFilterType = 2;
    std::vector<int> lines;
    for (const fir::Problem& problem : fir::param::check(bad)) {
        lines.push_back(problem.line);
    }
    // LOGN, DS_SEL_WIDTH, ORDY_COUNT_WIDTH (the full width), NUM_COEFFS
    EXPECT_EQ(lines, (std::vector<int>{3, 12, 4, 3}));

    struct Case {
        std::string user_file;
        std::string dec_name;
        std::string dec;
    };
    std::string complex_unsigned = default_user_file;
    complex_unsigned.replace(complex_unsigned.find("0   // Arith"), 1, "1");
    complex_unsigned.replace(complex_unsigned.find("0   // Data"), 1, "1");
    std::string loadable = default_user_file;
    loadable.replace(loadable.find("0   // Coeff load"), 1, "1");
    std::string unsigned_real = default_user_file;
    unsigned_real.replace(unsigned_real.find("0   // Arith"), 1, "1");
    const Case cases[] = {
        {default_user_file, "cin.dec", "1\n-2\n3\n-128\n127\n300\n"},
        {complex_unsigned, "cin_cmplx.dec", "1\t2\n3\t-4\n5\t6\n7\t8\n9\t10\n11\t-128\n"},
        {unsigned_real, "cin.dec", "0\n255\n3\n4\n5\n6\n"},
        {loadable, "", ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        write_file(dir.file("user_params.txt"), c.user_file);
        if (!c.dec_name.empty()) {
            write_file(dir.file(c.dec_name), c.dec);
        }
        const RunResult run = run_in(dir);
        ASSERT_EQ(run.exit_status, 0) << run.out;

        const fir::UserParamLines read = fir::read_user_param_lines(c.user_file);
        const FirUserParams params = fir::param::params_from_lines(read);
        ASSERT_TRUE(fir::param::check(params).empty());
        FirUserParams normalised = params;
        const auto derived = fir::param::OnUpdate(normalised);
        const fir::DecimalCoefficients dec = fir::parse_decimal_coefficients(
            c.dec, static_cast<int>(derived.m_nNumCoeffs), fir::param::decimal_layout(normalised));
        StringSink console;
        std::vector<std::string> names;
        for (const NamedText& file : fir::param::write(params, dec, console)) {
            names.push_back(file.name);
            EXPECT_EQ(file.text, read_file(dir.file(file.name))) << file.name;
        }
        EXPECT_EQ(names.front(), "user_params.txt");
        EXPECT_EQ(names.back(), "parameters.v");
        EXPECT_EQ(names.size(), c.dec_name.empty() ? 2U : 3U);
    }
}

} // namespace
} // namespace ipgen::test
