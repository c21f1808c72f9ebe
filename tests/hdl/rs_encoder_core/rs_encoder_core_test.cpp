// The Reed-Solomon encoder core over a matrix of configurations: a core
// folder is staged (paritygen's files, the core's sources, testbench
// vectors from libfec), its testbench runs both tops with random gaps and
// backpressure and must print PASS; both tops lint clean under Verilator
// -Wall and synthesize in Yosys.
#include "fec_codec.hpp"
#include "hdl_tools.hpp"
#include "hex_vector.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>

#if IPGEN_HAVE_LIBFEC
extern "C" {
#include <fec.h>
}
#endif

namespace ipgen::hdl {
namespace {

struct CoreConfig {
    std::string name;
    int m;
    int field_poly;
    int n;
    int k;
    int first_root;
    int rootspace;
    int pipe_mode;        // -p
    int registered_input; // -r
    int noncontinuous;    // -t
    int ccsds;            // -c
    int mult_style;       // -a: 1 shared terms, 0 plain

    int r() const { return n - k; }
    int nlong() const { return (1 << m) - 1; }
    std::vector<std::string> args() const {
        std::vector<std::string> a;
        for (const auto& [flag, value] : {std::pair{"-n", n},
                                          {"-k", k},
                                          {"-w", m},
                                          {"-f", field_poly},
                                          {"-g", first_root},
                                          {"-h", rootspace},
                                          {"-p", pipe_mode},
                                          {"-r", registered_input},
                                          {"-t", noncontinuous},
                                          {"-c", ccsds},
                                          {"-a", mult_style}}) {
            a.push_back(flag);
            a.push_back(std::to_string(value));
        }
        return a;
    }
};

void PrintTo(const CoreConfig& config, std::ostream* out) {
    *out << config.name;
}

// name, m, poly, n, k, first root, spacing, -p, -r, -t, -c, -a
const std::vector<CoreConfig> matrix{
    {"rs255_239", 8, 285, 255, 239, 0, 1, 1, 0, 0, 0, 1},
    {"rs204_188_p0_noncont_plain", 8, 285, 204, 188, 0, 1, 0, 0, 1, 0, 0},
    {"ccsds_255_223", 8, 391, 255, 223, 112, 11, 1, 0, 0, 1, 1},
    {"ccsds_120_88_p3_noncont_plain", 8, 391, 120, 88, 112, 11, 3, 0, 1, 1, 0},
    {"gf8_k1_p2r", 3, 11, 7, 1, 0, 1, 2, 1, 0, 0, 1},
    {"gf8_k2_p2_noncont", 3, 11, 7, 2, 1, 1, 2, 0, 1, 0, 1},
    {"gf8_n2_k1", 3, 11, 2, 1, 0, 1, 1, 0, 0, 0, 0},
    {"gf16_15_11_p3_plain", 4, 19, 15, 11, 0, 1, 3, 0, 0, 0, 0},
    {"gf16_k1_p1_noncont", 4, 19, 15, 1, 1, 1, 1, 0, 1, 0, 1},
    {"gf32_31_29_p4_noncont", 5, 37, 31, 29, 0, 1, 4, 0, 1, 0, 1},
    {"gf64_50_34_g2_h5_p2r_plain", 6, 67, 50, 34, 2, 5, 2, 1, 0, 0, 0},
    {"gf128_127_121_p3_noncont", 7, 137, 127, 121, 0, 1, 3, 0, 1, 0, 1},
    {"gf512_200_180_p1", 9, 529, 200, 180, 1, 1, 1, 0, 0, 0, 1},
    {"gf1024_700_692_g3_h7_p4_plain", 10, 1033, 700, 692, 3, 7, 4, 0, 0, 0, 0},
    {"gf2048_400_390_p0_noncont", 11, 2053, 400, 390, 0, 1, 0, 0, 1, 0, 1},
    {"gf4096_300_294_p2", 12, 4179, 300, 294, 1, 1, 2, 0, 0, 0, 1},
};

// A core folder: generated files, the core's sources, and the testbench's
// vectors and configuration. Kept in one function so that it can become
// "run ipgen, check its vectors against libfec" once ipgen carries the core.
struct CoreFolder {
    test::TempDir dir;
    std::vector<std::string> rtl; // compile order: generated, then the core's
    std::vector<std::string> tb;
};

std::vector<std::string> manifest_files(const std::string& kind) {
    std::istringstream manifest(test::read_file(RS_ENCODER_CORE_DIR "/manifest.txt"));
    std::vector<std::string> files;
    std::string line;
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string k;
        std::string file;
        if (fields >> k >> file && k == kind) {
            files.push_back(file);
        }
    }
    return files;
}

// The k data symbols and the codeword of libfec for each message.
std::vector<int> reference_codeword(const CoreConfig& config, const FecCodec& fec,
                                    const std::vector<int>& message) {
    if (config.ccsds == 0) {
        return fec.encode(message);
    }
#if IPGEN_HAVE_LIBFEC
    // Symbols in the CCSDS dual basis, as at the core's ports.
    std::vector<unsigned char> data(message.begin(), message.end());
    std::vector<unsigned char> parity(static_cast<std::size_t>(config.r()));
    encode_rs_ccsds(data.data(), parity.data(), config.nlong() - config.n);
    std::vector<int> word = message;
    word.insert(word.end(), parity.begin(), parity.end());
    return word;
#else
    return {};
#endif
}

std::unique_ptr<CoreFolder> stage_core_folder(const CoreConfig& config, int words, int seed) {
    auto folder = std::make_unique<CoreFolder>();
    const std::string& dir = folder->dir.path();
    test::write_file(folder->dir.file("header.v"), "// rs_encoder core bench\n");
    const test::RunResult run = test::run_program(PARITYGEN_PATH, config.args(), dir);
    EXPECT_EQ(run.exit_status, 0) << run.err;
    folder->rtl = {"rsenc_params.v", "multiplier.v"};
    for (const std::string kind : {"rtl", "tb"}) {
        for (const std::string& file : manifest_files(kind)) {
            test::write_file(folder->dir.file(file),
                             test::read_file(RS_ENCODER_CORE_DIR "/" + file));
            (kind == "rtl" ? folder->rtl : folder->tb).push_back(file);
        }
    }
    // Vectors: {tlast, symbol} per line, tlast on the k-th data symbol and
    // on the n-th codeword symbol.
    const FecCodec fec(config.m, config.field_poly, config.first_root, config.rootspace, config.r(),
                       config.nlong() - config.n);
    std::mt19937 rng(static_cast<unsigned>(seed));
    std::uniform_int_distribution<int> symbol(0, config.nlong());
    std::string in;
    std::string out;
    for (int w = 0; w < words; ++w) {
        std::vector<int> message(static_cast<std::size_t>(config.k));
        for (int& s : message) {
            s = symbol(rng);
        }
        const std::vector<int> word = reference_codeword(config, fec, message);
        for (int i = 0; i < config.n; ++i) {
            const std::string line =
                HexVector().push(i == config.n - 1, 1).push(word[i], config.m).hex() + "\n";
            out += line;
            if (i < config.k) {
                in += HexVector().push(i == config.k - 1, 1).push(word[i], config.m).hex() + "\n";
            }
        }
    }
    test::write_file(folder->dir.file("tb_in.hex"), in);
    test::write_file(folder->dir.file("tb_out.hex"), out);
    test::write_file(folder->dir.file("tb_config.vh"),
                     "`define TB_SEED " + std::to_string(seed) + "\n`define TB_IN_BEATS " +
                         std::to_string(words * config.k) + "\n`define TB_OUT_BEATS " +
                         std::to_string(words * config.n) + "\n");
    return folder;
}

// Enough codewords for the two full-rate ones and some with gaps, about
// 1500 output symbols at most.
int words_for(const CoreConfig& config) {
    return std::max(4, std::min(12, 1500 / config.n));
}

std::string last_line(const std::string& output) {
    std::istringstream lines(output);
    std::string line;
    std::string last;
    while (std::getline(lines, line)) {
        last = line;
    }
    return last;
}

class RsEncoderCore : public ::testing::TestWithParam<CoreConfig> {};

TEST_P(RsEncoderCore, BothTopsGiveLibfecCodewordsUnderGapsAndBackpressure) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    if (!fec_available()) {
        GTEST_SKIP() << "built without libfec";
    }
    const CoreConfig& config = GetParam();
    const int seed = config.n * 131 + config.k; // another gap pattern per configuration
    const auto folder = stage_core_folder(config, words_for(config), seed);
    std::vector<std::string> sources = folder->rtl;
    sources.insert(sources.end(), folder->tb.begin(), folder->tb.end());
    const ToolResult sim = simulate(folder->dir.path(), sources);
    ASSERT_TRUE(sim.ok) << sim.log;
    EXPECT_EQ(sim.log.find("warning"), std::string::npos) << sim.log;
    EXPECT_EQ(last_line(sim.output), "PASS") << sim.log;
}

TEST_P(RsEncoderCore, BothTopsLintCleanAndSynthesize) {
    HDL_REQUIRE_TOOLS("verilator", "yosys");
    const auto folder = stage_core_folder(GetParam(), 1, 1);
    for (const std::string top : {"rs_encoder", "rs_encoder_axis"}) {
        const ToolResult lint = verilator_lint(folder->dir.path(), folder->rtl, top, {}, "");
        EXPECT_TRUE(lint.ok) << lint.log;
        EXPECT_EQ(lint.log.find("%Warning"), std::string::npos) << lint.log;
    }
    std::string read;
    for (const std::string& file : folder->rtl) {
        read += "read_verilog " + file + "\n";
    }
    const ToolResult synth = yosys_script(folder->dir.path(), read + "synth -top rs_encoder_axis\n"
                                                                     "check -assert\n");
    EXPECT_TRUE(synth.ok) << synth.log;
}

INSTANTIATE_TEST_SUITE_P(Matrix, RsEncoderCore, ::testing::ValuesIn(matrix),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace ipgen::hdl
