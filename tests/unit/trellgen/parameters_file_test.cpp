#include "generators/common/fatal_error.hpp"
#include "generators/trellgen/parameters_file.hpp"
#include "test_files.hpp"
#include "viterbi_examples.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

namespace ipgen::viterbi {
namespace {

std::string generate(const ViterbiUserParams& p) {
    StringSink out;
    write_parameters(out, p, derive_values(p).values);
    return out.take();
}

bool has_line(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(ParametersFile, ParallelExampleLeavesOutHybridLines) {
    const std::string text = generate(test::parallel_example());
    for (const char* absent :
         {"`define K_1_C ", "`define K_C ", "`define HYBRID_INDEX", "`define K_EQ_",
          "`define HI_EQ_", "`define SOFT_WIDTH_1", "`define BER_", "`define DL_"}) {
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    }
    EXPECT_TRUE(has_line(text, "`define IMP_PARALLEL"));
    EXPECT_TRUE(has_line(text, "`define NUM_ACSP         64"));
}

TEST(ParametersFile, HardDecisionWithPuncturing) {
    // Soft width and signedness were never read: SW - 1 is -1 and the null
    // symbol is an empty replication.
    ViterbiUserParams p = test::hybrid_example();
    p.soft_decision = 0;
    p.soft_width = 0;
    p.sdd_unsigned = 0;
    const std::string text = generate(p);
    EXPECT_TRUE(has_line(text, "`define HARD_DECISION"));
    EXPECT_FALSE(has_line(text, "`define SDD_SIGNED"));
    EXPECT_TRUE(has_line(text, "`define DIN_WIDTH        1"));
    EXPECT_TRUE(has_line(text, "`define SOFT_WIDTH_1     -1"));
    EXPECT_TRUE(has_line(text, "`define NULLBYTE         {0{1'b0}}"));
}

TEST(ParametersFile, PrefixLinesAtTheTracebackEdges) {
    ViterbiUserParams p = test::parallel_example();
    for (const int tb : {129, 256}) {
        p.tb_length = tb;
        const std::string text = generate(p);
        EXPECT_TRUE(has_line(text, "`define PREFIX0          0'b")) << tb;
        EXPECT_TRUE(has_line(text, "`define PREFIX1          0'b1")) << tb;
    }
    p.tb_length = 1;
    const std::string text = generate(p);
    EXPECT_TRUE(has_line(text, "`define SM_ADDR_WIDTH    0"));
    EXPECT_TRUE(has_line(text, "`define PREFIX0          8'b00000000"));
    EXPECT_TRUE(has_line(text, "`define PREFIX1          8'b10000000"));
    p.device = 2;
    EXPECT_EQ(generate(p).find("PREFIX"), std::string::npos);
}

TEST(ParametersFile, BerMonitorWithFullPeriodAndTenBitDelayLine) {
    ViterbiUserParams p = test::parallel_example();
    p.ber_present = 1;
    p.ber_period = 32;
    p.ber_rate = 4294967295U;
    p.tb_length = 256;
    const std::string text = generate(p);
    EXPECT_TRUE(has_line(text, "`define BER_PERIOD         32"));
    EXPECT_TRUE(has_line(text, "`define BER_RATE         4294967295"));
    EXPECT_TRUE(has_line(text, "`define BER_RATE_WIDTH   32"));
    EXPECT_TRUE(has_line(text, "`define DL_LEN           1023"));
    EXPECT_TRUE(has_line(text, "`define DL_DATA_WIDTH    2"));
    EXPECT_TRUE(has_line(text, "`define DL_ADDR_WIDTH    10"));
    EXPECT_EQ(text.substr(text.size() - 20), "`define DL_AW_EQ_10\n");
    p.device = 2;
    EXPECT_TRUE(has_line(generate(p), "`define DL_AW_EQ_10"));
    p.device = 1;
    EXPECT_FALSE(has_line(generate(p), "`define DL_AW_EQ_10"));
}

TEST(ParametersFile, DeviceLinesAndStateCountDefines) {
    ViterbiUserParams p = test::parallel_example();
    const auto state_lines = [](const std::string& text) {
        std::string found;
        for (const char* line : {"`define NUM_STATES_EQ_4", "`define NUM_STATES_EQ_8",
                                 "`define NUM_STATES_GE_16", "`define NUM_STATES_GE_32"}) {
            if (has_line(text, line)) {
                found += std::string(line).substr(8) + " ";
            }
        }
        return found;
    };
    p.cons_length = 3;
    p.gp = {7, 5, 0};
    EXPECT_EQ(state_lines(generate(p)), "NUM_STATES_EQ_4 ");
    p.cons_length = 4;
    EXPECT_EQ(state_lines(generate(p)), "NUM_STATES_EQ_8 ");
    EXPECT_TRUE(has_line(generate(p), "`define NONQUARRY_DEVICE"));
    p.device = 1;
    p.cons_length = 9;
    EXPECT_EQ(state_lines(generate(p)), "");
    EXPECT_TRUE(has_line(generate(p), "`define QUARRY_DEVICE"));
    EXPECT_TRUE(has_line(generate(p), "`define NUM_MEM_3"));
    EXPECT_FALSE(has_line(generate(p), "`define NUM_MEM_4"));
    p.device = 2;
    p.cons_length = 5;
    EXPECT_EQ(state_lines(generate(p)), "");
    p.cons_length = 6;
    EXPECT_EQ(state_lines(generate(p)), "NUM_STATES_GE_32 ");
}

TEST(ParametersFile, ThreePolynomials) {
    ViterbiUserParams p = test::parallel_example();
    p.code_rate = 3;
    p.gp = {133, 145, 175};
    const std::string text = generate(p);
    EXPECT_TRUE(has_line(text, "`define GP2              7'o175"));
    EXPECT_TRUE(has_line(text, "`define NUM_GP_EQ_3 "));
    EXPECT_TRUE(has_line(text, "`define ENCOUT_WIDTH     384"));
}

TEST(ParametersFile, FileIsWrittenOrTheFailureReported) {
    ipgen::test::TempDir dir;
    const ViterbiDerived derived = derive_values(test::hybrid_example()).values;
    write_parameters_file(test::hybrid_example(), derived, dir.file("parameters.v"));
    EXPECT_EQ(ipgen::test::read_file(dir.file("parameters.v")), generate(test::hybrid_example()));

    const auto failure = [&derived](const std::string& path) {
        try {
            write_parameters_file(test::hybrid_example(), derived, path);
        } catch (const FatalError& error) {
            EXPECT_EQ(error.status(), -1);
            return error.message();
        }
        return std::string();
    };
    EXPECT_EQ(failure(dir.file("no/such/parameters.v")),
              "Error ! parameters.v cannot be open for write\n");
    ASSERT_EQ(::symlink("/dev/full", dir.file("full.v").c_str()), 0);
    EXPECT_EQ(failure(dir.file("full.v")),
              "Error ! parameters.v could not be written completely\n");
}

} // namespace
} // namespace ipgen::viterbi
