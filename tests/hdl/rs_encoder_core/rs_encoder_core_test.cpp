// The Reed-Solomon encoder core as a user gets it, over a matrix of
// configurations (m 2 to 12, full and shortened codes, first root and root
// spacing, CCSDS, every pipeline choice, with and without CONTINUOUS, each
// multiplier netlist): ipgen writes the folder; every codeword of its
// vectors must be libfec's (encode_rs_int, encode_rs_ccsds in the dual
// basis); the folder's own `make sim` (both tops, random input gaps and
// output backpressure) must print PASS; `make lint` must be clean for the
// stream top and for the native one; for a few configurations Yosys
// synthesizes the stream top and its netlist passes `check -assert`. And
// --prefix: an encoder folder and a decoder's files of the same code
// compile together in one Icarus Verilog, Verilator and Yosys run.
#include "fec_codec.hpp"
#include "hdl_tools.hpp"
#include "ipgen/prefix_rename.hpp"
#include "model_beats.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#if IPGEN_HAVE_LIBFEC
extern "C" {
#include <fec.h>
}
#endif

namespace ipgen::hdl {
namespace {

using Args = std::vector<std::string>;

struct Config {
    const char* name;
    int m, n, k, poly, first_root, rootspace;
    Args options; // pipeline, registered input, continuity, CCSDS, netlist

    bool is_ccsds() const {
        return std::find(options.begin(), options.end(), "--ccsds") != options.end();
    }
};

void PrintTo(const Config& c, std::ostream* out) {
    *out << c.name;
}

const Args p0 = {"--pipeline", "0"};
const Args p1 = {"--pipeline", "1"};
const Args p2 = {"--pipeline", "2"};

const Args reg = {"--registered-input"};
const Args ccsds = {"--ccsds"};
const Args gaps = {"--no-continuous"};
const Args shared = {"--netlist", "shared"};
const Args plain = {"--netlist", "plain"};

Args operator+(Args a, const Args& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Without --netlist a folder has the minimal multiplier netlist.
const Config matrix[] = {
    {"rs255_239_minimal", 8, 255, 239, 285, 0, 1, {}},
    {"rs255_239_shared", 8, 255, 239, 285, 0, 1, p1 + shared},
    {"rs204_188_p0_gaps_plain", 8, 204, 188, 285, 0, 1, p0 + gaps + plain},
    {"rs204_188_p2_gaps_plain", 8, 204, 188, 285, 0, 1, p2 + gaps + plain},
    {"rs204_188_g112_h11_p1r", 8, 204, 188, 391, 112, 11, p1 + reg},
    {"ccsds_255_223_shared", 8, 255, 223, 391, 112, 11, p1 + ccsds + shared},
    {"ccsds_255_223_p2r", 8, 255, 223, 391, 112, 11, p2 + ccsds + reg},
    {"ccsds_200_168_p0_gaps_plain", 8, 200, 168, 391, 112, 11, p0 + ccsds + gaps + plain},
    {"ccsds_120_88_p2r_gaps_plain", 8, 120, 88, 391, 112, 11, p2 + ccsds + reg + gaps + plain},
    {"ccsds_33_1_p1r_gaps", 8, 33, 1, 391, 112, 11, p1 + ccsds + reg + gaps},
    {"ccsds_34_2_p2r_shared", 8, 34, 2, 391, 112, 11, p2 + ccsds + reg + shared},
    {"ccsds_40_8_p0", 8, 40, 8, 391, 112, 11, p0 + ccsds},
    {"gf4_3_1_p1r", 2, 3, 1, 7, 0, 1, p1 + reg},
    {"gf4_3_2_g1_p0_gaps_plain", 2, 3, 2, 7, 1, 1, p0 + gaps + plain},
    {"gf8_n2_k1_plain", 3, 2, 1, 11, 0, 1, p1 + plain},
    {"gf8_k1_p1r_shared", 3, 7, 1, 11, 0, 1, p1 + reg + shared},
    {"gf8_k2_g1_p2_gaps_shared", 3, 7, 2, 11, 1, 1, p2 + gaps + shared},
    {"gf8_7_3_g1_p0_gaps_plain", 3, 7, 3, 11, 1, 1, p0 + gaps + plain},
    {"gf16_15_11_p0", 4, 15, 11, 19, 0, 1, p0},
    {"gf16_15_11_p2r_plain", 4, 15, 11, 19, 0, 1, p2 + reg + plain},
    {"gf16_6_1", 4, 6, 1, 19, 0, 1, p1},
    {"gf16_k1_g1_gaps_shared", 4, 15, 1, 19, 1, 1, p1 + gaps + shared},
    {"gf32_9_2_g1_p2_gaps", 5, 9, 2, 37, 1, 1, p2 + gaps},
    {"gf32_31_25_g1_h3_p1r_gaps_plain", 5, 31, 25, 37, 1, 3, p1 + reg + gaps + plain},
    {"gf32_31_29_p0_gaps_shared", 5, 31, 29, 37, 0, 1, p0 + gaps + shared},
    {"gf64_50_34_g2_h5_p1r_plain", 6, 50, 34, 67, 2, 5, p1 + reg + plain},
    {"gf64_50_40_h5_p2", 6, 50, 40, 67, 0, 5, p2},
    {"gf128_127_121_p2r_gaps_shared", 7, 127, 121, 137, 0, 1, p2 + reg + gaps + shared},
    {"gf128_127_121_g1_p2r_gaps", 7, 127, 121, 137, 1, 1, p2 + reg + gaps},
    {"gf512_100_90_plain", 9, 100, 90, 529, 0, 1, p1 + plain},
    {"gf512_200_180_g1_shared", 9, 200, 180, 529, 1, 1, p1 + shared},
    {"gf1024_120_100_g3_h7_p0_gaps", 10, 120, 100, 1033, 3, 7, p0 + gaps},
    {"gf1024_700_692_g3_h7_p0_plain", 10, 700, 692, 1033, 3, 7, p0 + plain},
    {"gf2048_60_52_g1_p1r_plain", 11, 60, 52, 2053, 1, 1, p1 + reg + plain},
    {"gf2048_400_390_p0_gaps_shared", 11, 400, 390, 2053, 0, 1, p0 + gaps + shared},
    {"gf4096_80_64_p2", 12, 80, 64, 4179, 0, 1, p2},
    {"gf4096_300_294_g1_p2_shared", 12, 300, 294, 4179, 1, 1, p2 + shared},
};

// Synthesis takes as long as the rest of a configuration's checks: it runs
// for these, which between them take every branch of the defines (PIPE1,
// PIPE2, neither; REGISTERED_INPUT; CONTINUOUS or not; CCSDS; one and two
// data symbols; each netlist).
const Args synthesized = {"rs255_239_minimal", "gf8_k1_p1r_shared", "gf8_k2_g1_p2_gaps_shared",
                          "gf32_31_29_p0_gaps_shared", "ccsds_120_88_p2r_gaps_plain"};

Args ipgen_args(const Config& c, const std::string& out) {
    Args args = {"rs-encoder"};
    for (const auto& [option, value] : {std::pair{"--symbol-width", c.m},
                                        {"--n", c.n},
                                        {"--k", c.k},
                                        {"--field-poly", c.poly},
                                        {"--first-root", c.first_root},
                                        {"--root-spacing", c.rootspace}}) {
        args = args + Args{option, std::to_string(value)};
    }
    return args + Args{"--out", out} + c.options;
}

// The hex beats of a vector file: {tlast, symbol} as numbers.
std::vector<unsigned> beats(const std::string& path) {
    std::vector<unsigned> values;
    std::istringstream lines(test::read_file(path));
    for (std::string line; std::getline(lines, line);) {
        values.push_back(static_cast<unsigned>(std::stoul(line, nullptr, 16)));
    }
    return values;
}

// libfec's codeword for k data symbols (dual basis at both ends with CCSDS).
std::vector<int> reference_codeword(const Config& c, const std::vector<int>& data) {
    const int pad = (1 << c.m) - 1 - c.n;
#if IPGEN_HAVE_LIBFEC
    if (c.is_ccsds()) {
        std::vector<unsigned char> bytes(data.begin(), data.end());
        std::vector<unsigned char> parity(32);
        encode_rs_ccsds(bytes.data(), parity.data(), pad);
        std::vector<int> word(data);
        word.insert(word.end(), parity.begin(), parity.end());
        return word;
    }
#endif
    return FecCodec(c.m, c.poly, c.first_root, c.rootspace, c.n - c.k, pad).encode(data);
}

// Every codeword of the folder's vectors is libfec's, with tlast on the
// k-th data symbol and on the n-th codeword symbol.
void expect_libfec_vectors(const Config& c, const std::string& folder) {
    ASSERT_TRUE(!c.is_ccsds() || c.n - c.k == 32) << "libfec's CCSDS code has 32 parity symbols";
    const std::vector<unsigned> in = beats(folder + "/tb_in.hex");
    const std::vector<unsigned> out = beats(folder + "/tb_out.hex");
    const size_t k = static_cast<size_t>(c.k);
    const size_t n = static_cast<size_t>(c.n);
    const size_t words = in.size() / k;
    ASSERT_GE(words, 3U);
    ASSERT_EQ(in.size(), words * k);
    ASSERT_EQ(out.size(), words * n);
    const unsigned mask = (1U << c.m) - 1;
    for (size_t w = 0; w < words; ++w) {
        std::vector<int> data;
        for (size_t i = 0; i < k; ++i) {
            const unsigned beat = in[w * k + i];
            ASSERT_EQ(beat >> c.m, i == k - 1 ? 1U : 0U) << "tlast of input " << i;
            data.push_back(static_cast<int>(beat & mask));
        }
        const std::vector<int> expected = reference_codeword(c, data);
        for (size_t i = 0; i < n; ++i) {
            const unsigned beat = out[w * n + i];
            ASSERT_EQ(beat >> c.m, i == n - 1 ? 1U : 0U) << "tlast of output " << i;
            ASSERT_EQ(static_cast<int>(beat & mask), expected[i])
                << "codeword " << w << " symbol " << i;
        }
    }
}

// The synthesizable files of a folder in compile order, from its <name>.f.
Args compile_order(const std::string& folder, const std::string& name) {
    Args files;
    std::istringstream list(test::read_file(folder + "/" + name + ".f"));
    for (std::string line; std::getline(list, line);) {
        if (!line.starts_with("+")) {
            files.push_back(line);
        }
    }
    return files;
}

class RsEncoderCore : public ::testing::TestWithParam<Config> {};

TEST_P(RsEncoderCore, IpgenFolderGivesLibfecCodewordsSimulatesAndLints) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp", "verilator", "yosys", "make");
    if (!fec_available()) {
        GTEST_SKIP() << "built without libfec";
    }
    const Config& c = GetParam();
    test::TempDir dir;
    const test::RunResult run = test::run_program(IPGEN_PATH, ipgen_args(c, "core"), dir.path());
    ASSERT_EQ(run.exit_status, 0) << run.err;
    const std::string core = dir.file("core");
    EXPECT_TRUE(ipxact_validate(core).ok) << ipxact_validate(core).log;
    EXPECT_TRUE(
        test::model_gives_folder_vectors(IPGEN_PATH, ipgen_args(c, "core"), dir.path(), core));

    expect_libfec_vectors(c, core);

    const std::string make = find_tool("make");
    const test::RunResult sim = test::run_program(make, {"-s", "sim"}, core);
    EXPECT_EQ(sim.exit_status, 0) << sim.out << sim.err;
    EXPECT_NE(("\n" + sim.out).find("\nPASS\n"), std::string::npos) << sim.out << sim.err;
    EXPECT_EQ(sim.err.find("warning"), std::string::npos) << sim.err;
    for (const std::string top : {"rs_encoder_axis", "rs_encoder"}) {
        const test::RunResult lint = test::run_program(make, {"-s", "lint", "TOP=" + top}, core);
        EXPECT_EQ(lint.exit_status, 0) << top << "\n" << lint.out << lint.err;
        EXPECT_EQ(lint.out, "lint: clean\n") << top << "\n" << lint.err;
    }

    if (std::find(synthesized.begin(), synthesized.end(), std::string(c.name)) ==
        synthesized.end()) {
        return;
    }
    std::string script = "read_verilog -I.";
    for (const std::string& file :
         compile_order(core, "rs_encoder_" + std::to_string(c.n) + "_" + std::to_string(c.k))) {
        script += " " + file;
    }
    const ToolResult synth =
        yosys_script(core, script + "\nsynth -top rs_encoder_axis\ncheck -assert\n");
    EXPECT_TRUE(synth.ok) << synth.log;
}

INSTANTIATE_TEST_SUITE_P(Matrix, RsEncoderCore, ::testing::ValuesIn(matrix),
                         [](const auto& info) { return std::string(info.param.name); });

// Every Verilog file of a folder, the parameter file first (the modules
// rely on its defines).
std::vector<front::VerilogText> verilog_files(const std::string& dir) {
    std::vector<front::VerilogText> files;
    for (const std::string& name : test::list_directory(dir)) {
        if (name.ends_with(".v") && name != "header.v") {
            files.push_back({name, test::read_file(dir + "/" + name)});
        }
    }
    std::stable_partition(files.begin(), files.end(), [](const front::VerilogText& f) {
        return f.name.ends_with("_params.v");
    });
    return files;
}

TEST(IpgenPrefix, EncoderAndDecoderOfOneCodeCompileTogether) {
    HDL_REQUIRE_TOOLS("iverilog", "verilator", "yosys");
    test::TempDir dir;
    const Config& code = matrix[1]; // RS(255,239)
    // The decoder's files as corrgen writes them, then with the prefix dec_.
    std::filesystem::create_directory(dir.file("corrgen"));
    test::write_file(dir.file("corrgen/header.v"), "// decoder\n");
    ASSERT_EQ(test::run_program(CORRGEN_PATH,
                                {"-w", "8", "-n", "255", "-k", "239", "-f", "285", "-g", "0",
                                 "-h", "1", "-e", "0",   "-y", "0",   "-o", "0",   "-c", "0"},
                                dir.file("corrgen"))
                  .exit_status,
              0);
    std::vector<front::VerilogText> decoder = verilog_files(dir.file("corrgen"));
    front::apply_prefix(decoder, "dec_");
    std::filesystem::create_directory(dir.file("dec"));
    for (const front::VerilogText& file : decoder) {
        test::write_file(dir.file("dec/" + file.name), file.text);
    }

    // sources(encoder folder, decoder folder) in compile order.
    const auto sources = [&](const std::string& enc, const std::string& dec) {
        Args files;
        for (const std::string& file : compile_order(dir.file(enc), enc)) {
            files.push_back(enc + "/" + file);
        }
        for (const front::VerilogText& file : verilog_files(dir.file(dec))) {
            files.push_back(dec + "/" + file.name);
        }
        return files;
    };
    ASSERT_EQ(test::run_program(
                  IPGEN_PATH, ipgen_args(code, "enc_rs_encoder_255_239") + Args{"--prefix", "enc_"},
                  dir.path())
                  .exit_status,
              0);
    const Args both = sources("enc_rs_encoder_255_239", "dec");

    const ToolResult compiled =
        iverilog_compile(dir.path(), Args{"-Ienc_rs_encoder_255_239", "-Idec"} + both, "both.vvp");
    EXPECT_TRUE(compiled.ok) << compiled.log;

    const test::RunResult linted = test::run_program(
        find_tool("verilator"),
        Args{"--lint-only", "-Wno-fatal", "+incdir+enc_rs_encoder_255_239", "+incdir+dec"} + both,
        dir.path());
    EXPECT_EQ(linted.exit_status, 0) << linted.err;
    EXPECT_EQ(linted.err.find("%Error"), std::string::npos) << linted.err;

    std::string script = "read_verilog -Ienc_rs_encoder_255_239 -Idec";
    for (const std::string& file : both) {
        script += " " + file;
    }
    const ToolResult read = yosys_script(dir.path(), script + "\nhierarchy -check\nproc\n");
    EXPECT_TRUE(read.ok) << read.log;

    // The same two folders without prefixes clash (module multiplier twice).
    ASSERT_EQ(test::run_program(IPGEN_PATH, ipgen_args(code, "rs_encoder_255_239"), dir.path())
                  .exit_status,
              0);
    EXPECT_FALSE(iverilog_compile(dir.path(),
                                  Args{"-Irs_encoder_255_239", "-Icorrgen"} +
                                      sources("rs_encoder_255_239", "corrgen"),
                                  "clash.vvp")
                     .ok);
}

} // namespace
} // namespace ipgen::hdl
