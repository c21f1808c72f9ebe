// The Reed-Solomon decoder core through its AXI4-Stream top, against libfec.
// For each configuration a core folder is staged as ipgen will write it
// (corrgen's files, the core's sources, tb_config.vh, tb_in.hex, tb_out.hex)
// and its testbench run: random tvalid gaps and tready stalls, every output
// beat compared. The words run from clean through exactly the capability
// (2 errors + erasures = n - k) to beyond it, with erasure flags on correct
// symbols, on clean words, and more of them than the core takes.
//
// The expected output of a word is libfec's decode_rs_int with the same
// erasures: its symbols, its return value as the count, failure when it
// is negative (the received word then passes unchanged). More erasure flags
// than the configured maximum: failure. One limit of the core: its Chien
// search and error evaluator hold (r + e) / 2 locator terms, so a word that
// libfec decodes with a longer locator (only possible beyond the capability,
// and often only in small fields) is a failure for the core.
#include "fec_codec.hpp"
#include "hdl_tools.hpp"
#include "hex_vector.hpp"
#include "program_runner.hpp"
#include "rs_model.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#if IPGEN_HAVE_LIBFEC
extern "C" {
#include <fec.h>
}
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>

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
    int erasures;
    int sync_mode;
    int option_bits;
    int words;
    bool ccsds = false; // dual-basis symbols at the ports (libfec's CCSDS codec)

    int r() const { return n - k; }
    int nlong() const { return (1 << m) - 1; }
    int t() const { return (r() + erasures) / 2; } // locator terms of the core
    int count_width() const {                      // CNTJWIDTH: clog2(r) + 1
        int s = 0;
        while ((1 << s) < r()) {
            ++s;
        }
        return s + 1;
    }
    RsCode code() const { return RsCode{Gf(m, field_poly), n, k, first_root, rootspace}; }
    std::vector<std::string> args() const {
        return {"-w", std::to_string(m),           "-n", std::to_string(n),
                "-k", std::to_string(k),           "-f", std::to_string(field_poly),
                "-g", std::to_string(first_root),  "-h", std::to_string(rootspace),
                "-e", std::to_string(erasures),    "-y", std::to_string(sync_mode),
                "-o", std::to_string(option_bits), "-c", ccsds ? "1" : "0"};
    }
};

void PrintTo(const CoreConfig& config, std::ostream* out) {
    *out << config.name;
}

// m from 3 to 12, full and shortened codes, first root and root spacing
// variants, e in {0, 1, 3, 4, n-k}, every option bit, both sync modes.
const std::vector<CoreConfig>& core_matrix() {
    // name, m, poly, n, k, first root, root spacing, erasures, sync, options, words
    static const std::vector<CoreConfig> matrix{
        {"rs255_239", 8, 285, 255, 239, 0, 1, 0, 0, 0, 200},
        {"rs204_188_clken", 8, 285, 204, 188, 0, 1, 0, 1, 1, 200},
        {"rs120_104_e4_syncrst_failpin", 8, 285, 120, 104, 0, 1, 4, 0, 2 | 32, 200},
        {"rs60_51_e3_g5_h7_all_options", 8, 285, 60, 51, 5, 7, 3, 1, 63, 200},
        {"gf8_rs7_4_e1", 3, 11, 7, 4, 0, 1, 1, 0, 0, 200},
        {"gf8_rs7_3_e4", 3, 11, 7, 3, 1, 1, 4, 1, 8 | 16, 200},
        {"gf16_rs15_11_syncrst", 4, 19, 15, 11, 1, 1, 0, 0, 2, 200},
        {"gf16_rs12_6_e3_g3_h2", 4, 19, 12, 6, 3, 2, 3, 0, 4, 200},
        {"gf32_rs31_21_e10", 5, 37, 31, 21, 1, 1, 10, 1, 32, 200},
        {"gf64_rs63_55_e3_counters", 6, 67, 63, 55, 0, 1, 3, 0, 4 | 8 | 16, 200},
        {"gf128_rs127_121_g120_h3", 7, 137, 127, 121, 120, 3, 0, 1, 1 | 2, 200},
        {"gf512_rs100_90_e1_g2_h3", 9, 529, 100, 90, 2, 3, 1, 0, 32, 200},
        {"gf1024_shortened_failpin", 10, 1033, 160, 152, 3, 7, 0, 1, 32, 200},
        {"gf2048_rs90_80_e4", 11, 2053, 90, 80, 0, 1, 4, 1, 8, 200},
        {"gf4096_shortened_counters", 12, 4179, 80, 74, 1, 1, 0, 0, 4 | 8 | 16, 200},
        {"rs80_64_e16", 8, 285, 80, 64, 0, 1, 16, 0, 0, 200},
        {"ccsds_rs255_223", 8, 391, 255, 223, 112, 11, 0, 0, 0, 200, true},
        {"ccsds_rs160_128_e4_all_options", 8, 391, 160, 128, 112, 11, 4, 1, 63, 200, true},
    };
    return matrix;
}

struct Manifest {
    std::vector<std::string> rtl;
    std::vector<std::string> tb;
    std::vector<std::string> lint;
    std::vector<std::string> all;
};

Manifest read_manifest() {
    Manifest manifest;
    std::istringstream lines(test::read_file(RS_DECODER_CORE_DIR "/manifest.txt"));
    std::string kind;
    std::string file;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        if (line.empty() || line[0] == '#' || !(fields >> kind >> file)) {
            continue;
        }
        manifest.all.push_back(file);
        if (kind == "rtl") {
            manifest.rtl.push_back(file);
        } else if (kind == "tb") {
            manifest.tb.push_back(file);
        } else if (kind == "lint") {
            manifest.lint.push_back(file);
        }
    }
    return manifest;
}

// corrgen's files in compile order: the parameter header first.
const std::vector<std::string> generated_files{"corrgen_params.v", "gfinvrom.v",    "gfromxp.v",
                                               "mastrovito.v",     "chiensearch.v", "errmag.v",
                                               "multiplier.v",     "synd.v"};

struct Vectors {
    std::string in;
    std::string out;
    int in_beats = 0;
    int out_beats = 0;
    int failures = 0;
    int longer_locator = 0; // libfec decoded, the core cannot (see above)
};

// libfec's integer codec, or its CCSDS codec (dual-basis symbols, the
// (255,223) code shortened by pad).
class Reference {
  public:
    explicit Reference(const CoreConfig& config)
        : config_(config), fec_(config.m, config.field_poly, config.first_root, config.rootspace,
                                config.r(), config.nlong() - config.n) {}
    std::vector<int> encode(const std::vector<int>& data) const {
        if (!config_.ccsds) {
            return fec_.encode(data);
        }
#if IPGEN_HAVE_LIBFEC
        std::vector<unsigned char> word(data.begin(), data.end());
        word.resize(static_cast<std::size_t>(config_.n));
        encode_rs_ccsds(word.data(), word.data() + config_.k, pad());
        return {word.begin(), word.end()};
#else
        return {};
#endif
    }
    FecCodec::Decoded decode(const std::vector<int>& word, const std::vector<int>& erasures) const {
        if (!config_.ccsds) {
            return fec_.decode(word, erasures);
        }
        FecCodec::Decoded decoded;
#if IPGEN_HAVE_LIBFEC
        std::vector<unsigned char> data(word.begin(), word.end());
        std::vector<int> positions(static_cast<std::size_t>(config_.r()) + 1, 0);
        std::copy(erasures.begin(), erasures.end(), positions.begin());
        decoded.count = decode_rs_ccsds(data.data(), positions.data(),
                                        static_cast<int>(erasures.size()), pad());
        decoded.word.assign(data.begin(), data.end());
#endif
        return decoded;
    }
    // The word in the polynomial basis, where the syndromes are taken.
    std::vector<int> polynomial_basis(std::vector<int> word) const {
#if IPGEN_HAVE_LIBFEC
        if (config_.ccsds) {
            for (int& symbol : word) {
                symbol = Tal1tab[symbol];
            }
        }
#endif
        return word;
    }

  private:
    int pad() const {
        return config_.nlong() - config_.n;
    }
    const CoreConfig& config_;
    FecCodec fec_;
};

struct Expected {
    std::vector<int> word;
    bool fail = true;
    int count = 0;
};

Expected expected_output(const CoreConfig& config, const RsCode& code, const Reference& fec,
                         const Received& received, Vectors& vectors) {
    const Expected failed{received.word, true, 0};
    const int flags = static_cast<int>(received.erasures.size());
    if (config.erasures > 0 && flags > config.erasures) {
        return failed;
    }
    const std::vector<int> used = config.erasures > 0 ? received.erasures : std::vector<int>{};
    const FecCodec::Decoded decoded = fec.decode(received.word, used);
    if (decoded.count < 0) {
        return failed;
    }
    const std::vector<int> synd = syndromes(code, fec.polynomial_basis(received.word));
    if (std::any_of(synd.begin(), synd.end(), [](int s) { return s != 0; }) &&
        decode_errata(code, synd, used).degree > config.t()) {
        ++vectors.longer_locator;
        return failed;
    }
    return {decoded.word, false, decoded.count};
}

// RS_DECODER_CORE_WORDS=<count> raises the words per configuration (a soak run).
int word_count(const CoreConfig& config) {
    const char* words = std::getenv("RS_DECODER_CORE_WORDS");
    return words == nullptr ? config.words : std::max(config.words, std::atoi(words));
}

Vectors make_vectors(const CoreConfig& config, unsigned seed) {
    const RsCode code = config.code();
    const Reference fec(config);
    std::mt19937 rng(seed);
    Vectors vectors;
    const int r = config.r();
    const int max_rho = std::min(config.erasures, r);
    const int words = word_count(config);
    for (int w = 0; w < words; ++w) {
        const std::vector<int> codeword = fec.encode(random_data(code, rng));
        int rho = max_rho > 0 ? static_cast<int>(rng() % (max_rho + 1)) : 0;
        int errors = 0;
        switch (w % 10) {
        case 0: // clean
            rho = 0;
            break;
        case 1: // flags on a clean word (without erasure decoding: ignored)
            rho = std::max(rho, 1);
            break;
        case 2: // within the capability
        case 8:
            errors = static_cast<int>(rng() % ((r - rho) / 2 + 1));
            break;
        case 3: // exactly the capability
            errors = (r - rho) / 2;
            break;
        case 4: // exactly, with as many erasures as the core takes
            rho = max_rho;
            errors = (r - rho) / 2;
            break;
        case 5: // one beyond
            errors = (r - rho) / 2 + 1;
            break;
        case 6: // far beyond
            errors = (r - rho) / 2 + 1 + static_cast<int>(rng() % (r + 1));
            break;
        case 7: // one flag more than the core takes
            rho = config.erasures + 1;
            errors = static_cast<int>(rng() % 2);
            break;
        default: // errors only, exactly the capability
            rho = 0;
            errors = r / 2;
            break;
        }
        errors = std::min(errors, config.n);
        rho = std::min(rho, config.n - errors);
        const Received received = corrupt(code, codeword, errors, rho, rng);
        const Expected expected = expected_output(config, code, fec, received, vectors);
        vectors.failures += expected.fail ? 1 : 0;
        const int count_bits = config.count_width();
        for (int p = 0; p < config.n; ++p) {
            const bool last = p == config.n - 1;
            const bool erased =
                std::binary_search(received.erasures.begin(), received.erasures.end(), p);
            vectors.in += HexVector()
                              .push(erased ? 1 : 0, 1)
                              .push(last ? 1 : 0, 1)
                              .push(static_cast<std::uint64_t>(received.word[p]), config.m)
                              .hex() +
                          "\n";
            const std::uint64_t tuser =
                (static_cast<std::uint64_t>(expected.count) << 1) | (expected.fail ? 1 : 0);
            vectors.out += HexVector()
                               .push(tuser, count_bits + 1)
                               .push(last ? 1 : 0, 1)
                               .push(static_cast<std::uint64_t>(expected.word[p]), config.m)
                               .hex() +
                           "\n";
        }
        vectors.in_beats += config.n;
        vectors.out_beats += config.n;
    }
    return vectors;
}

// A core folder as ipgen writes it: corrgen's files, the manifest's, the
// testbench configuration and vectors. (When ipgen carries the core, this
// becomes: run ipgen, compare its vectors with the reference.)
void stage_core_folder(const CoreConfig& config, const std::string& dir, const Vectors& vectors,
                       int seed) {
    test::write_file(dir + "/header.v", "// decoder core bench\n");
    const test::RunResult run = test::run_program(CORRGEN_PATH, config.args(), dir);
    ASSERT_EQ(run.exit_status, 0) << run.err;
    for (const std::string& file : read_manifest().all) {
        test::write_file(dir + "/" + file, test::read_file(RS_DECODER_CORE_DIR "/" + file));
    }
    test::write_file(dir + "/tb_config.vh",
                     "`define TB_SEED " + std::to_string(seed) + "\n`define TB_IN_BEATS " +
                         std::to_string(vectors.in_beats) + "\n`define TB_OUT_BEATS " +
                         std::to_string(vectors.out_beats) + "\n`define TB_N " +
                         std::to_string(config.n) + "\n");
    test::write_file(dir + "/tb_in.hex", vectors.in);
    test::write_file(dir + "/tb_out.hex", vectors.out);
}

std::vector<std::string> compile_order(bool with_tb) {
    const Manifest manifest = read_manifest();
    std::vector<std::string> files = generated_files;
    files.insert(files.end(), manifest.rtl.begin(), manifest.rtl.end());
    if (with_tb) {
        files.insert(files.end(), manifest.tb.begin(), manifest.tb.end());
    }
    return files;
}

// RS_DECODER_CORE_KEEP=<dir> stages the folders there (for a look at a failure).
std::string folder_for(const CoreConfig& config, const test::TempDir& temp) {
    const char* keep = std::getenv("RS_DECODER_CORE_KEEP");
    if (keep == nullptr) {
        return temp.path();
    }
    const std::string dir = std::string(keep) + "/" + config.name;
    std::filesystem::create_directories(dir);
    return dir;
}

class RsDecoderCore : public ::testing::TestWithParam<CoreConfig> {};

TEST_P(RsDecoderCore, AxiTopDecodesEveryWordLikeLibfec) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    if (!fec_available()) {
        GTEST_SKIP() << "built without libfec";
    }
    const CoreConfig& config = GetParam();
    const Vectors vectors = make_vectors(config, 1000 + config.n);
    // the words must reach both outcomes
    ASSERT_GT(vectors.failures, word_count(config) / 10);
    ASSERT_LT(vectors.failures, word_count(config) * 3 / 4);
    const test::TempDir temp;
    const std::string dir = folder_for(config, temp);
    stage_core_folder(config, dir, vectors, 7 + config.m);
    const ToolResult sim = simulate(dir, compile_order(true));
    ASSERT_TRUE(sim.ok) << sim.log;
    EXPECT_EQ(sim.output, "PASS\n") << sim.log;
    EXPECT_EQ(sim.log.find("warning"), std::string::npos) << sim.log;
    RecordProperty("longer_locator_words", vectors.longer_locator);
}

TEST_P(RsDecoderCore, BothTopsPassVerilatorLint) {
    HDL_REQUIRE_TOOLS("verilator");
    const CoreConfig& config = GetParam();
    const test::TempDir temp;
    stage_core_folder(config, temp.path(), Vectors{}, 1);
    std::vector<std::string> sources = read_manifest().lint;
    const std::vector<std::string> rtl = compile_order(false);
    sources.insert(sources.end(), rtl.begin(), rtl.end());
    for (const char* top : {"rs_decoder", "rs_decoder_axis"}) {
        const ToolResult lint = verilator_lint(temp.path(), sources, top, {}, "");
        EXPECT_TRUE(lint.ok) << top << "\n" << lint.log;
        EXPECT_EQ(lint.log.find("%Warning"), std::string::npos) << top << "\n" << lint.log;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, RsDecoderCore, ::testing::ValuesIn(core_matrix()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace ipgen::hdl
