#include "common/fatal_error.hpp"
#include "test_files.hpp"
#include "viterbi/parameters_file.hpp"
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

// The lines from the one starting with `first` up to the end of the file.
std::string from_line(const std::string& text, const std::string& first) {
    const std::size_t at = ("\n" + text).find("\n" + first);
    return at == std::string::npos ? "" : text.substr(at);
}

const std::string separator =
    "// ----------------------------------------------------------------------------\n";

TEST(ParametersFile, HybridExampleFromTheDerivedSectionOn) {
    std::string expected =
        "`define K_1              6\n"
        "`define NUM_STATES       64\n"
        "`define K_1_C            4\n"
        "`define K_C              5\n"
        "`define NUM_ACSP         16\n"
        "`define ACSP_WIDTH       5\n"
        "`define NUM_BMUP         32\n"
        "`define PROC_CYCLES      4\n"
        "`define DIN_WIDTH        3\n"
        "`define BM_WIDTH         4\n"
        "`define NUM_METRICS      4\n"
        "`define METRIC_WIDTH     16\n"
        "`define NUM_DIN          1\n"
        "`define DINBUS_WIDTH     3\n"
        "`define BMBUS_WIDTH      128\n"
        "`define PMBUS_WIDTH      512\n"
        "`define ACSBUS_WIDTH     128\n"
        "`define SIBUS_WIDTH      64\n"
        "`define ENCOUT_WIDTH     64\n"
        "`define PM_WIDTH         8\n"
        "`define SM_DATA_WIDTH    64\n"
        "`define SM_ADDR_WIDTH    6\n"
        "`define SOFT_WIDTH_1     2\n"
        "`define NULLBYTE         {1'b0,{2{1'b1}}}\n"
        "`define PBCOUNT_WIDTH    3\n"
        "`define BER_RATE         1023\n"
        "`define BER_RATE_WIDTH   10\n"
        "`define DL_LEN           321\n"
        "`define DL_DATA_WIDTH    1\n"
        "`define DL_ADDR_WIDTH    9\n" +
        separator +
        "//                            Enumerated defines                               \n" +
        separator +
        "`define K_EQ_7\n"
        "`define HI_EQ_2\n"
        "`define NUM_STATES_GE_32\n"
        "`define NUM_GP_EQ_2 \n";
    for (int i = 0; i < 32; ++i) {
        expected += "`define BMUP" + std::to_string(i) + "\n";
    }
    expected += "`define NUM_MEM_1\n`define NUM_MEM_2\n";
    EXPECT_EQ(from_line(generate(test::hybrid_example()), "`define K_1 "), expected);
}

TEST(ParametersFile, BasicDefinesOfTheHybridExample) {
    const std::string text = generate(test::hybrid_example());
    const std::string head =
        separator +
        "// ---------------------------- parameters.v ----------------------------------\n" +
        separator + "\n" + separator +
        "//                            Basic user defines                               \n" +
        separator +
        "`define CONS_LENGTH      7\n"
        "`define CODE_RATE        2 \n"
        "`define GP0              7'o171\n"
        "`define GP1              7'o133\n"
        "`define SOFT_DECISION\n"
        "`define SOFT_WIDTH       3\n"
        "`define SDD_UNSIGNED\n"
        "`define PUNCTURED\n"
        "`define PB_SIZE          4\n"
        "`define PP0              4'b1101\n"
        "`define PP1              4'b1011\n"
        "`define TB_LENGTH        64\n"
        "`define IMP_HYBRID\n"
        "`define HYBRID_INDEX     2\n"
        "`define BER_PRESENT\n"
        "`define BER_PERIOD         10\n"
        "`define KESTREL4_DEVICE\n" +
        separator +
        "//                              Derived defines                                \n" +
        separator;
    EXPECT_EQ(text.substr(0, head.size()), head);
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
    EXPECT_TRUE(has_line(text, "`define PREFIX0          2'b00"));
    EXPECT_TRUE(has_line(text, "`define PREFIX1          2'b10"));
    EXPECT_TRUE(has_line(text, "`define NUM_STATES_GE_16"));
    EXPECT_TRUE(has_line(text, "`define NUM_MEM_4"));
    EXPECT_FALSE(has_line(text, "`define NUM_MEM_5"));
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
    write_parameters_file(test::hybrid_example(), dir.file("parameters.v"));
    EXPECT_EQ(ipgen::test::read_file(dir.file("parameters.v")), generate(test::hybrid_example()));

    const auto failure = [](const std::string& path) {
        try {
            write_parameters_file(test::hybrid_example(), path);
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
