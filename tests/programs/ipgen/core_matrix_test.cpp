// The Reed-Solomon encoder core end to end, for a matrix of configurations:
// ipgen writes the folder, its vectors are checked against libfec (every
// codeword), then the folder's own `make sim` must print PASS. And
// --prefix: an encoder folder and a decoder's files of the same code
// compile together in one Icarus Verilog, Verilator and Yosys run.
#include "fec_codec.hpp"
#include "hdl_tools.hpp"
#include "ipgen/prefix_rename.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

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
    int m, n, k, poly, first_root, rootspace;
    Args options; // pipeline, continuity, CCSDS, netlist
};

std::ostream& operator<<(std::ostream& out, const Config& c) {
    out << "RS(" << c.n << "," << c.k << ") m=" << c.m;
    for (const std::string& option : c.options) {
        out << " " << option;
    }
    return out;
}

const std::vector<Config> matrix = {
    {8, 255, 239, 285, 0, 1, {"--pipeline", "1", "--netlist", "shared"}},
    {8, 204, 188, 285, 0, 1, {"--pipeline", "2", "--no-continuous", "--netlist", "plain"}},
    {8, 204, 188, 391, 112, 11, {"--pipeline", "1", "--registered-input"}},
    {8, 255, 223, 391, 112, 11, {"--ccsds", "--pipeline", "2", "--registered-input"}},
    {8,
     200,
     168,
     391,
     112,
     11,
     {"--ccsds", "--pipeline", "0", "--no-continuous", "--netlist", "plain"}},
    {3, 7, 3, 11, 1, 1, {"--pipeline", "0", "--no-continuous", "--netlist", "plain"}},
    {4, 15, 11, 19, 0, 1, {"--pipeline", "0"}},
    {4, 6, 1, 19, 0, 1, {"--pipeline", "1"}},
    {5, 9, 2, 37, 1, 1, {"--pipeline", "2", "--no-continuous"}},
    {5,
     31,
     25,
     37,
     1,
     3,
     {"--pipeline", "1", "--registered-input", "--no-continuous", "--netlist", "plain"}},
    {6, 50, 40, 67, 0, 5, {"--pipeline", "2"}},
    {7, 127, 121, 137, 1, 1, {"--pipeline", "2", "--registered-input", "--no-continuous"}},
    {9, 100, 90, 529, 0, 1, {"--pipeline", "1", "--netlist", "plain"}},
    {10, 120, 100, 1033, 3, 7, {"--pipeline", "0", "--no-continuous"}},
    {11, 60, 52, 2053, 1, 1, {"--pipeline", "1", "--registered-input", "--netlist", "plain"}},
    {12, 80, 64, 4179, 0, 1, {"--pipeline", "2"}},
};

Args ipgen_args(const Config& c, const std::string& out) {
    Args args = {"rs-encoder",
                 "--symbol-width",
                 std::to_string(c.m),
                 "--n",
                 std::to_string(c.n),
                 "--k",
                 std::to_string(c.k),
                 "--field-poly",
                 std::to_string(c.poly),
                 "--first-root",
                 std::to_string(c.first_root),
                 "--root-spacing",
                 std::to_string(c.rootspace),
                 "--out",
                 out};
    args.insert(args.end(), c.options.begin(), c.options.end());
    return args;
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
    const bool ccsds = std::find(c.options.begin(), c.options.end(), "--ccsds") != c.options.end();
#if IPGEN_HAVE_LIBFEC
    if (ccsds) {
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

class IpgenEncoderCore : public ::testing::TestWithParam<Config> {};

TEST_P(IpgenEncoderCore, VectorsEqualLibfecAndTheFolderSimulatesToPass) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp", "make");
    if (!fec_available()) {
        GTEST_SKIP() << "built without libfec";
    }
    const Config& c = GetParam();
    test::TempDir dir;
    const test::RunResult run = test::run_program(IPGEN_PATH, ipgen_args(c, "core"), dir.path());
    ASSERT_EQ(run.exit_status, 0) << run.err;

    const std::vector<unsigned> in = beats(dir.file("core/tb_in.hex"));
    const std::vector<unsigned> out = beats(dir.file("core/tb_out.hex"));
    const size_t words = in.size() / static_cast<size_t>(c.k);
    ASSERT_GE(words, 3U);
    ASSERT_EQ(in.size(), words * static_cast<size_t>(c.k));
    ASSERT_EQ(out.size(), words * static_cast<size_t>(c.n));
    const unsigned mask = (1U << c.m) - 1;
    for (size_t w = 0; w < words; ++w) {
        std::vector<int> data;
        for (int i = 0; i < c.k; ++i) {
            const unsigned beat = in[w * static_cast<size_t>(c.k) + static_cast<size_t>(i)];
            ASSERT_EQ(beat >> c.m, i == c.k - 1 ? 1U : 0U) << "tlast of input " << i;
            data.push_back(static_cast<int>(beat & mask));
        }
        const std::vector<int> expected = reference_codeword(c, data);
        for (int i = 0; i < c.n; ++i) {
            const unsigned beat = out[w * static_cast<size_t>(c.n) + static_cast<size_t>(i)];
            ASSERT_EQ(beat >> c.m, i == c.n - 1 ? 1U : 0U) << "tlast of output " << i;
            ASSERT_EQ(static_cast<int>(beat & mask), expected[static_cast<size_t>(i)])
                << "codeword " << w << " symbol " << i;
        }
    }

    const test::RunResult sim =
        test::run_program(find_tool("make"), {"-s", "sim"}, dir.file("core"));
    EXPECT_EQ(sim.exit_status, 0) << sim.out << sim.err;
    EXPECT_NE(("\n" + sim.out).find("\nPASS\n"), std::string::npos) << sim.out << sim.err;
}

INSTANTIATE_TEST_SUITE_P(Matrix, IpgenEncoderCore, ::testing::ValuesIn(matrix));

// Every Verilog file of a folder, for the decoder's generated ones.
std::vector<front::VerilogText> verilog_files(const std::string& dir) {
    std::vector<front::VerilogText> files;
    for (const std::string& name : test::list_directory(dir)) {
        if (name.ends_with(".v") && name != "header.v") {
            files.push_back({name, test::read_file(dir + "/" + name)});
        }
    }
    // The parameter file first: the modules rely on its defines.
    std::stable_partition(files.begin(), files.end(), [](const front::VerilogText& f) {
        return f.name.ends_with("_params.v");
    });
    return files;
}

TEST(IpgenPrefix, EncoderAndDecoderOfOneCodeCompileTogether) {
    HDL_REQUIRE_TOOLS("iverilog", "verilator", "yosys");
    test::TempDir dir;
    const Config code = matrix[0];
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
        std::istringstream list(test::read_file(dir.file(enc + "/" + enc + ".f")));
        for (std::string line; std::getline(list, line);) {
            if (!line.starts_with("+")) {
                files.push_back(enc + "/" + line);
            }
        }
        for (const front::VerilogText& file : verilog_files(dir.file(dec))) {
            files.push_back(dec + "/" + file.name);
        }
        return files;
    };
    Args prefixed = ipgen_args(code, "enc_rs_encoder_255_239");
    prefixed.insert(prefixed.end(), {"--prefix", "enc_"});
    ASSERT_EQ(test::run_program(IPGEN_PATH, prefixed, dir.path()).exit_status, 0);
    const Args both = sources("enc_rs_encoder_255_239", "dec");

    Args iverilog = {"-Ienc_rs_encoder_255_239", "-Idec"};
    iverilog.insert(iverilog.end(), both.begin(), both.end());
    const ToolResult compiled = iverilog_compile(dir.path(), iverilog, "both.vvp");
    EXPECT_TRUE(compiled.ok) << compiled.log;

    Args verilator = {"--lint-only", "-Wno-fatal", "+incdir+enc_rs_encoder_255_239", "+incdir+dec"};
    verilator.insert(verilator.end(), both.begin(), both.end());
    const test::RunResult linted = test::run_program(find_tool("verilator"), verilator, dir.path());
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
    Args clash = {"-Irs_encoder_255_239", "-Icorrgen"};
    const Args plain = sources("rs_encoder_255_239", "corrgen");
    clash.insert(clash.end(), plain.begin(), plain.end());
    EXPECT_FALSE(iverilog_compile(dir.path(), clash, "clash.vvp").ok);
}

} // namespace
} // namespace ipgen::hdl
