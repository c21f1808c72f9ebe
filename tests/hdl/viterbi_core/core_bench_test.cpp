// The Viterbi core as a user gets it, over a matrix of configurations:
// ipgen writes the folder; its parameters.v is trellgen's for the folder's
// viterbi_params.v; the first block of its vectors is noise-free and the
// expected bits must be exactly the ones that encode to it (tail zeros
// included); then the folder's own `make sim` (the RTL bit for bit against
// the model, random input gaps and output stalls) and `make lint` must pass,
// also with every name prefixed.
#include "hdl_tools.hpp"
#include "model_beats.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <filesystem>
#include <sstream>

namespace ipgen::viterbi {
namespace {

using Args = std::vector<std::string>;

struct Case {
    const char* name;
    int k, n;
    std::array<const char*, 3> gp; // octal
    int soft_width;                // 0: hard decision
    bool sdd_unsigned;
    int tb;
    const char* pp0 = ""; // punctured when not empty
    const char* pp1 = "";
    int hybrid_index = -1; // -1: fully parallel
    int ber_period = 0;    // 0: no BER monitor
    int device = 2;
    const char* prefix = ""; // --prefix
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

const Case kCases[] = {
    {"k7_soft3_signed", 7, 2, {"171", "133"}, 3, false, 64},
    {"k7_soft3_unsigned_ber", 7, 2, {"171", "133"}, 3, true, 64, "", "", -1, 8},
    {"k7_hard_ber_dev0", 7, 2, {"171", "133"}, 0, false, 40, "", "", -1, 6, 0},
    {"k7_soft5_tb33_dev1", 7, 2, {"171", "133"}, 5, false, 33, "", "", -1, 0, 1},
    {"k7_hybrid2", 7, 2, {"171", "133"}, 3, false, 48, "", "", 2},
    {"k7_punct23", 7, 2, {"171", "133"}, 3, false, 64, "11", "10"},
    {"k7_punct34_ber_prefix", 7, 2, {"171", "133"}, 4, true, 96, "110", "101", -1, 7, 2, "v1_"},
    {"k7_rate13", 7, 3, {"133", "171", "165"}, 3, false, 64},
    {"k3_hard", 3, 2, {"7", "5"}, 0, false, 16},
    {"k3_rate13_soft2", 3, 3, {"7", "5", "3"}, 2, false, 11},
    {"k3_hybrid1_punct23_ber", 3, 2, {"7", "5"}, 3, true, 20, "11", "10", 1, 5},
    {"k4_soft8", 4, 2, {"15", "17"}, 8, true, 20},
    {"k4_rate13_punct", 4, 3, {"15", "17", "13"}, 3, false, 24, "10", "01"},
    {"k5_soft4_unsigned", 5, 2, {"23", "35"}, 4, true, 30},
    {"k5_hard_hybrid2", 5, 2, {"23", "35"}, 0, false, 25, "", "", 2},
    {"k5_hard_punct34", 5, 2, {"23", "35"}, 0, false, 40, "110", "101"},
    {"k6_soft3_dev1", 6, 2, {"65", "57"}, 3, false, 36, "", "", -1, 0, 1},
    {"k8_soft2_hybrid4", 8, 2, {"247", "371"}, 2, false, 50, "", "", 4},
    {"k9_soft3", 9, 2, {"753", "561"}, 3, false, 45},
    {"k9_rate13_hybrid3", 9, 3, {"557", "663", "711"}, 3, true, 40, "", "", 3},
};

Args ipgen_args(const Case& c) {
    std::string polys = c.gp[0];
    for (int i = 1; i < c.n; ++i) {
        polys = polys + "," + c.gp[static_cast<size_t>(i)];
    }
    Args args = {"viterbi", "--constraint-length", std::to_string(c.k), "--polynomials", polys};
    if (c.soft_width > 0) {
        args.insert(args.end(), {"--soft-width", std::to_string(c.soft_width)});
        args.push_back(c.sdd_unsigned ? "--unsigned" : "--no-unsigned");
    } else {
        args.push_back("--no-soft-decision");
    }
    if (*c.pp0 != '\0') {
        args.insert(args.end(), {"--puncture-patterns", std::string(c.pp0) + "," + c.pp1});
    }
    args.insert(args.end(), {"--traceback-length", std::to_string(c.tb)});
    if (c.hybrid_index >= 0) {
        args.insert(args.end(), {"--hybrid-index", std::to_string(c.hybrid_index)});
    }
    if (c.ber_period > 0) {
        args.insert(args.end(), {"--ber-period", std::to_string(c.ber_period)});
    }
    if (*c.prefix != '\0') {
        args.insert(args.end(), {"--prefix", c.prefix});
    }
    args.insert(args.end(), {"--device", std::to_string(c.device), "--out", "core"});
    return args;
}

std::vector<std::uint64_t> beats(const std::string& path) {
    std::vector<std::uint64_t> values;
    std::istringstream lines(test::read_file(path));
    for (std::string line; std::getline(lines, line);) {
        values.push_back(std::stoull(line, nullptr, 16));
    }
    return values;
}

// The first block of the vectors is sent without noise: every input symbol
// is a sure 0 or a sure 1, and the expected bits, run through the encoder
// and the puncture patterns, give exactly those symbols.
void expect_clean_first_block(const Case& c, const std::string& dir) {
    const int width = c.soft_width > 0 ? c.soft_width : 1;
    const bool punctured = *c.pp0 != '\0';
    const int per_beat = punctured ? 1 : c.n;
    const int in_width = (per_beat * width + 7) / 8 * 8;
    const unsigned top = (1U << width) - 1;
    const unsigned flip = c.soft_width > 0 && !c.sdd_unsigned ? 1U << (width - 1) : 0U;

    std::vector<int> received; // hard code bits, in sending order
    for (const std::uint64_t beat : beats(dir + "/tb_in.hex")) {
        for (int j = 0; j < per_beat; ++j) {
            const unsigned conf = ((beat >> (j * width)) & top) ^ flip;
            ASSERT_TRUE(conf == 0 || conf == top) << "noisy symbol " << conf << " in block 1";
            received.push_back(conf == top ? 1 : 0);
        }
        if ((beat >> in_width) != 0) {
            break;
        }
    }
    std::vector<int> bits;
    for (const std::uint64_t beat : beats(dir + "/tb_out.hex")) {
        bits.push_back(static_cast<int>(beat & 1));
        if ((beat >> 1) != 0) {
            break;
        }
    }
    ASSERT_GE(bits.size(), static_cast<size_t>(c.k));
    std::vector<int> sent;
    unsigned reg = 0;
    for (size_t t = 0; t < bits.size(); ++t) {
        if (t + static_cast<size_t>(c.k) > bits.size()) {
            EXPECT_EQ(bits[t], 0) << "tail bit " << t;
        }
        reg = (reg >> 1) | (static_cast<unsigned>(bits[t]) << (c.k - 1));
        const size_t phase = punctured ? t % std::string(c.pp0).size() : 0;
        for (int i = 0; i < c.n; ++i) {
            const unsigned gp =
                static_cast<unsigned>(std::stoul(c.gp[static_cast<size_t>(i)], nullptr, 8));
            if (!punctured || i == 2 || (i == 0 ? c.pp0 : c.pp1)[phase] == '1') {
                sent.push_back(std::popcount(reg & gp) & 1);
            }
        }
    }
    EXPECT_EQ(sent, received) << "block 1: the expected bits do not encode to the input";
}

class ViterbiCore : public ::testing::TestWithParam<Case> {};

TEST_P(ViterbiCore, IpgenFolderDecodesErrorFreeAndBitExactAndLintsClean) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp", "verilator", "make");
    const Case& c = GetParam();
    test::TempDir dir;
    const test::RunResult run = test::run_program(IPGEN_PATH, ipgen_args(c), dir.path());
    ASSERT_EQ(run.exit_status, 0) << run.err;
    const std::string core = dir.file("core");
    EXPECT_TRUE(hdl::ipxact_validate(core).ok) << hdl::ipxact_validate(core).log;
    EXPECT_TRUE(test::model_gives_folder_vectors(IPGEN_PATH, ipgen_args(c), dir.path(), core));

    // parameters.v is trellgen's for the folder's viterbi_params.v
    std::filesystem::create_directory(dir.file("trellgen"));
    std::filesystem::copy_file(core + "/viterbi_params.v", dir.file("trellgen/viterbi_params.v"));
    const test::RunResult trellgen =
        test::run_program(TRELLGEN_PATH, {std::to_string(c.device)}, dir.file("trellgen"));
    ASSERT_EQ(trellgen.exit_status, 0) << trellgen.out;
    if (*c.prefix == '\0') {
        EXPECT_EQ(test::read_file(core + "/parameters.v"),
                  test::read_file(dir.file("trellgen/parameters.v")));
    }

    expect_clean_first_block(c, core);

    const std::string make = hdl::find_tool("make");
    const test::RunResult sim = test::run_program(make, {"-s", "sim"}, core);
    EXPECT_EQ(sim.exit_status, 0) << sim.out << sim.err;
    EXPECT_NE(("\n" + sim.out).find("\nPASS\n"), std::string::npos) << sim.out << sim.err;
    const test::RunResult lint = test::run_program(make, {"-s", "lint"}, core);
    EXPECT_EQ(lint.exit_status, 0) << lint.out << lint.err;
}

INSTANTIATE_TEST_SUITE_P(Matrix, ViterbiCore, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

// Refused values: status 2, nothing written, one line naming the option,
// the value, why and what is accepted.
TEST(IpgenViterbi, RefusesNamingTheOptionAndWritesNothing) {
    struct Refusal {
        Args options;
        std::string says; // the message after "ipgen: "
    };
    const std::string polys = "accepted: octal numbers separated by commas, each 1 to 777; 2 or "
                              "3, distinct, each below 2^K, bit 0 and bit K-1 each in some "
                              "polynomial";
    const std::string tb = "accepted: 2 to 1024; 2 to 256 with --device 0";
    const Refusal refusals[] = {
        {{"--constraint-length", "10"}, "--constraint-length 10: out of range; accepted: 3 to 9"},
        {{"--polynomials", "171,181"},
         "--polynomials 171,181: item '181' is no octal number; " + polys},
        {{"--polynomials", "171,133,165,117"},
         "--polynomials 171,133,165,117: 4 polynomials: the core decodes rate 1/2 or 1/3; "
         "accepted: 2 or 3 polynomials"},
        {{"--polynomials", "171"},
         "--polynomials 171: 1 polynomial: the core decodes rate 1/2 or 1/3; accepted: 2 or 3 "
         "polynomials"},
        {{"--constraint-length", "5", "--polynomials", "23,43"},
         "--polynomials 23,43: polynomial 43 has taps beyond K = 5 bits; accepted: each below "
         "2^K = 40 (octal)"},
        {{"--puncture-patterns", "110,10"},
         "--puncture-patterns 110,10: not two patterns of one length; accepted: two patterns of 0 "
         "and 1 of one length (1 to 14) separated by a comma, sending more symbols than the "
         "block has bits and, at rate 1/2, at least one 1 in every column"},
        {{"--puncture-patterns", "1110,1100"},
         "--puncture-patterns 1110,1100: step 3 sends no symbol; accepted: at least one 1 in "
         "every column at rate 1/2"},
        {{"--puncture-patterns", "110,101", "--puncture-block-size", "2"},
         "--puncture-block-size 2: the patterns are 3 steps long; accepted: the length of the "
         "patterns, 3"},
        {{"--puncture-block-size", "3"},
         "--puncture-block-size 3: there is no puncturing to size; accepted: "
         "--puncture-block-size with --puncture-patterns only"},
        {{"--traceback-length", "1025"}, "--traceback-length 1025: out of range; " + tb},
        {{"--traceback-length", "6 4"}, "--traceback-length 6 4: not a decimal number; " + tb},
        {{"--soft-width", "17"}, "--soft-width 17: out of range; accepted: 1 to 16"},
        {{"--no-soft-decision", "--soft-width", "4"},
         "--soft-width 4: hard-decision input has no soft symbols; accepted: --soft-width with "
         "soft decision only (not with --no-soft-decision)"},
        {{"--hybrid-index", "6"},
         "--hybrid-index 6: the hybrid unit needs two states or more (K = 7); accepted: 1 to K-2 "
         "= 5; without --hybrid-index the core is fully parallel"},
        {{"--ber-period", "33"}, "--ber-period 33: out of range; accepted: 1 to 32"},
        {{"--device", "3"}, "--device 3: out of range; accepted: 0 to 2"},
    };
    for (const Refusal& r : refusals) {
        test::TempDir dir;
        Args args = {"viterbi"};
        args.insert(args.end(), r.options.begin(), r.options.end());
        args.insert(args.end(), {"--out", "core"});
        const test::RunResult run = test::run_program(IPGEN_PATH, args, dir.path());
        EXPECT_EQ(run.exit_status, 2) << r.says;
        EXPECT_EQ(run.err, "ipgen: " + r.says + "\n");
        EXPECT_FALSE(std::filesystem::exists(dir.file("core"))) << r.says;
    }
}

} // namespace
} // namespace ipgen::viterbi
