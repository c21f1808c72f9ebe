// The Reed-Solomon decoder core through its AXI4-Stream top, against libfec.
// For each configuration ipgen writes the core folder; its vectors are
// checked word by word against libfec, then the folder's own `make sim`
// (random tvalid gaps and tready stalls, every output beat compared) must
// print PASS and `make lint` be clean for both tops. The rows marked native
// also simulate the native top (the testbench with TB_NATIVE): clk_en gaps,
// sync or din_en framing, sr raised inside words, and the received symbol,
// failure flag and both counters beside every output symbol. ipgen's words run from clean through
// exactly the capability (2 errors + erasures = n - k) to beyond it, with
// erasure flags on correct symbols, on clean words, and more of them than
// the core takes.
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
#include "model_beats.hpp"
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
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
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
    bool ccsds = false; // dual-basis symbols at the ports (libfec's CCSDS codec)
    const char* solver = "auto";
    int tops = axis_top;   // the tops simulated
    int words = 0;         // received words; 0: word_count()
    int p = 1;             // symbols per clock
    bool variable = false; // a length per word
    int stats = 0;         // 1: --statistics, 2: and --detect-only

    bool lanes() const { return p > 1 || variable || stats > 0; }

    static constexpr int axis_top = 1;
    static constexpr int native_top = 2;

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
    RsCode code() const { return code_of(n); }
    // The code shortened to a word of `length` symbols, the same check symbols.
    RsCode code_of(int length) const {
        return RsCode{Gf(m, field_poly), length, length - r(), first_root, rootspace};
    }
    std::vector<std::string> ipgen_args(int words, const std::string& out) const {
        std::vector<std::string> args{"rs-decoder",
                                      "--symbol-width",
                                      std::to_string(m),
                                      "--n",
                                      std::to_string(n),
                                      "--k",
                                      std::to_string(k),
                                      "--field-poly",
                                      std::to_string(field_poly),
                                      "--first-root",
                                      std::to_string(first_root),
                                      "--root-spacing",
                                      std::to_string(rootspace),
                                      "--erasures",
                                      std::to_string(erasures),
                                      "--sync",
                                      sync_mode == 0 ? "start-pulse" : "symbol-enable",
                                      "--tb-words",
                                      std::to_string(words),
                                      "--out",
                                      out};
        const char* bits[] = {"--clock-enable", "--sync-reset",    "--data-delayed",
                              "--error-count",  "--erasure-count", "--fail-pin"};
        for (int bit = 0; bit < 6; ++bit) {
            if ((option_bits >> bit & 1) != 0) {
                args.emplace_back(bits[bit]);
            }
        }
        if (ccsds) {
            args.emplace_back("--ccsds");
        }
        args.insert(args.end(), {"--solver", solver});
        if (lanes()) {
            args.insert(args.end(), {"--symbols-per-clock", std::to_string(p)});
        }
        if (variable) {
            args.emplace_back("--variable-length");
        }
        if (stats > 0) {
            // windows of five words, so that the flag goes up and down
            args.insert(args.end(), {"--statistics", "--ser-window", "5", "--ser-threshold", "6"});
        }
        if (stats > 1) {
            args.emplace_back("--detect-only");
        }
        return args;
    }
};

void PrintTo(const CoreConfig& config, std::ostream* out) {
    *out << config.name;
}

// m from 3 to 12, full and shortened codes, first root and root spacing
// variants, e in {0, 1, 3, 4, n-k}, every option bit, both sync modes. The
// *_parallel ones take the parallel key-equation solver: three continuous
// codes too short for the serial one (they must still run back to back; the
// testbench checks the gaps), and two by --solver. The *_native rows
// simulate the native top too (both framings), a short CCSDS one with the
// dual basis on din, dout and din_dly.
const std::vector<CoreConfig>& core_matrix() {
    // name, m, poly, n, k, first root, root spacing, erasures, sync, options
    static const std::vector<CoreConfig> matrix{
        {"rs255_239", 8, 285, 255, 239, 0, 1, 0, 0, 0},
        {"rs204_188_clken", 8, 285, 204, 188, 0, 1, 0, 1, 1},
        {"rs120_104_e4_syncrst_failpin_parallel", 8, 285, 120, 104, 0, 1, 4, 0, 2 | 32, false,
         "parallel"},
        {"rs60_51_e3_g5_h7_all_options_native", 8, 285, 60, 51, 5, 7, 3, 1, 63, false, "auto",
         CoreConfig::axis_top | CoreConfig::native_top},
        {"gf8_rs7_4_e1", 3, 11, 7, 4, 0, 1, 1, 0, 0},
        {"gf8_rs7_3_e4", 3, 11, 7, 3, 1, 1, 4, 1, 8 | 16},
        {"gf16_rs15_11_syncrst", 4, 19, 15, 11, 1, 1, 0, 0, 2},
        {"gf16_rs12_6_e3_g3_h2", 4, 19, 12, 6, 3, 2, 3, 0, 4},
        {"gf32_rs31_21_e10", 5, 37, 31, 21, 1, 1, 10, 1, 32},
        {"gf64_rs63_55_e3_counters", 6, 67, 63, 55, 0, 1, 3, 0, 4 | 8 | 16},
        {"gf128_rs127_121_g120_h3", 7, 137, 127, 121, 120, 3, 0, 1, 1 | 2},
        {"gf512_rs100_90_e1_g2_h3", 9, 529, 100, 90, 2, 3, 1, 0, 32},
        {"gf1024_shortened_failpin", 10, 1033, 160, 152, 3, 7, 0, 1, 32},
        {"gf2048_rs90_80_e4", 11, 2053, 90, 80, 0, 1, 4, 1, 8},
        {"gf4096_shortened_counters", 12, 4179, 80, 74, 1, 1, 0, 0, 4 | 8 | 16},
        {"rs80_64_e16", 8, 285, 80, 64, 0, 1, 16, 0, 0},
        {"gf8_rs7_5_parallel", 3, 11, 7, 5, 0, 1, 0, 0, 0},
        {"gf32_rs20_16_g2_h3_parallel", 5, 37, 20, 16, 2, 3, 0, 1, 4 | 8 | 16 | 32},
        {"rs190_174_parallel_clken_syncrst", 8, 285, 190, 174, 0, 1, 0, 0, 1 | 2},
        {"ccsds_rs255_223", 8, 391, 255, 223, 112, 11, 0, 0, 0, true},
        {"ccsds_rs160_128_e4_all_options", 8, 391, 160, 128, 112, 11, 4, 1, 63, true},
        {"ccsds_rs90_58_e2_all_options_parallel_native", 8, 391, 90, 58, 112, 11, 2, 0, 63, true,
         "parallel", CoreConfig::native_top, 40},
        // P symbols per clock (AXI4-Stream top only): P from 2 to 16, words
        // that fill their last beat or not, erasures, first root and root
        // spacing, small fields where ceil(n / P) P passes 2^m - 1, a beat
        // longer than the word; variable lengths (tlast, tkeep), P = 1 too;
        // the Ethernet codes RS(528,514) and RS(544,514) over GF(2^10). The
        // solver of one multiplier bank, three clocks a step, is auto's
        // choice for p4_rs255_239, p1_rs60_44 and the GF(16) P = 1 rows
        // (its clocks equal to the word's beats), p2_rs141_125 and kp4;
        // a locator of one term (T = 1) in p1_gf16_rs15_13.
        {"p4_rs255_239_statistics", 8, 285, 255, 239, 0, 1, 0, 0, 0, false, "auto",
         CoreConfig::axis_top, 30, 4, false, 1},
        {"p1_rs60_44_statistics_detect_only", 8, 285, 60, 44, 0, 1, 0, 0, 0, false, "auto",
         CoreConfig::axis_top, 60, 1, false, 2},
        {"p3_rs120_104_e4", 8, 285, 120, 104, 0, 1, 4, 0, 0, false, "auto", CoreConfig::axis_top,
         30, 3},
        {"p16_rs60_51_e3_g5_h7_serial", 8, 285, 60, 51, 5, 7, 3, 0, 0, false, "serial",
         CoreConfig::axis_top, 40, 16},
        {"p2_gf8_rs7_3_e4_g1", 3, 11, 7, 3, 1, 1, 4, 0, 0, false, "auto", CoreConfig::axis_top, 150,
         2},
        {"p8_gf8_rs7_5", 3, 11, 7, 5, 0, 1, 0, 0, 0, false, "auto", CoreConfig::axis_top, 150, 8},
        {"p4_ccsds_rs160_128_e2_serial", 8, 391, 160, 128, 112, 11, 2, 0, 0, true, "serial",
         CoreConfig::axis_top, 30, 4},
        {"p3_gf16_rs15_9_e4_variable_statistics", 4, 19, 15, 9, 0, 1, 4, 0, 0, false, "auto",
         CoreConfig::axis_top, 150, 3, true, 1},
        {"p1_gf32_rs31_21_e10_variable", 5, 37, 31, 21, 1, 1, 10, 0, 0, false, "auto",
         CoreConfig::axis_top, 80, 1, true},
        {"p8_rs255_239_e4_variable", 8, 285, 255, 239, 0, 1, 4, 0, 0, false, "auto",
         CoreConfig::axis_top, 40, 8, true},
        {"p4_kp4_rs544_514_variable", 10, 1033, 544, 514, 0, 1, 0, 0, 0, false, "auto",
         CoreConfig::axis_top, 20, 4, true},
        {"p16_kr4_rs528_514_e2", 10, 1033, 528, 514, 0, 1, 2, 0, 0, false, "auto",
         CoreConfig::axis_top, 20, 16},
        {"p2_rs141_125_e4_g5_h7", 8, 285, 141, 125, 5, 7, 4, 0, 0, false, "auto",
         CoreConfig::axis_top, 40, 2},
        {"p1_gf16_rs15_13_variable", 4, 19, 15, 13, 0, 1, 0, 0, 0, false, "auto",
         CoreConfig::axis_top, 150, 1, true},
        {"p1_gf16_rs15_12_e1_g3_h2_variable", 4, 19, 15, 12, 3, 2, 1, 0, 0, false, "auto",
         CoreConfig::axis_top, 150, 1, true},
    };
    return matrix;
}

struct Tally {
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
    // A word of any length n' from r + 1 to n: the code shortened to n'.
    FecCodec::Decoded decode(const std::vector<int>& word, const std::vector<int>& erasures) {
        const int pad = config_.nlong() - static_cast<int>(word.size());
        if (!config_.ccsds) {
            if (pad == config_.nlong() - config_.n) {
                return fec_.decode(word, erasures);
            }
            auto codec = shortened_.find(pad);
            if (codec == shortened_.end()) {
                codec = shortened_
                            .emplace(pad, std::make_unique<FecCodec>(
                                              config_.m, config_.field_poly, config_.first_root,
                                              config_.rootspace, config_.r(), pad))
                            .first;
            }
            return codec->second->decode(word, erasures);
        }
        FecCodec::Decoded decoded;
#if IPGEN_HAVE_LIBFEC
        std::vector<unsigned char> data(word.begin(), word.end());
        std::vector<int> positions(static_cast<std::size_t>(config_.r()) + 1, 0);
        std::copy(erasures.begin(), erasures.end(), positions.begin());
        decoded.count =
            decode_rs_ccsds(data.data(), positions.data(), static_cast<int>(erasures.size()), pad);
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
    const CoreConfig& config_;
    FecCodec fec_;
    std::map<int, std::unique_ptr<FecCodec>> shortened_; // by pad
};

struct Expected {
    std::vector<int> word;
    bool fail = true;
    int count = 0;
};

Expected expected_output(const CoreConfig& config, Reference& fec, const Received& received,
                         Tally& tally) {
    const Expected failed{received.word, true, 0};
    const int length = static_cast<int>(received.word.size());
    const int flags = static_cast<int>(received.erasures.size());
    if (length < config.r() + 1 || (config.erasures > 0 && flags > config.erasures)) {
        return failed;
    }
    const RsCode code = config.code_of(length);
    const std::vector<int> used = config.erasures > 0 ? received.erasures : std::vector<int>{};
    const FecCodec::Decoded decoded = fec.decode(received.word, used);
    if (decoded.count < 0) {
        return failed;
    }
    const std::vector<int> synd = syndromes(code, fec.polynomial_basis(received.word));
    if (std::any_of(synd.begin(), synd.end(), [](int s) { return s != 0; }) &&
        decode_errata(code, synd, used).degree > config.t()) {
        ++tally.longer_locator;
        return failed;
    }
    return {decoded.word, false, decoded.count};
}

// 200 words per configuration (fewer where a row says so: the parallel
// CCSDS solver is slow in Icarus); RS_DECODER_CORE_WORDS=<count> sets
// another number for every row (a soak run).
int word_count(const CoreConfig& config) {
    const char* words = std::getenv("RS_DECODER_CORE_WORDS");
    if (words != nullptr) {
        return std::max(10, std::atoi(words));
    }
    return config.words > 0 ? config.words : 200;
}

std::vector<std::uint64_t> beats(const std::string& file) {
    std::vector<std::uint64_t> values;
    std::istringstream lines(test::read_file(file));
    for (std::string line; std::getline(lines, line);) {
        values.push_back(std::stoull(line, nullptr, 16));
    }
    return values;
}

// ipgen's vectors against libfec: every received word of tb_in.hex decoded
// by the reference must give the lines of tb_out.hex.
void check_vectors(const CoreConfig& config, const std::string& dir, int words, Tally& tally) {
    Reference fec(config);
    const std::vector<std::uint64_t> in = beats(dir + "/tb_in.hex");
    const std::string out = test::read_file(dir + "/tb_out.hex");
    ASSERT_EQ(in.size(), static_cast<std::size_t>(words) * static_cast<std::size_t>(config.n));
    std::string expected_out;
    const std::uint64_t mask = (std::uint64_t{1} << config.m) - 1;
    for (int w = 0; w < words; ++w) {
        Received received;
        for (int p = 0; p < config.n; ++p) {
            const std::uint64_t beat = in[static_cast<std::size_t>(w * config.n + p)];
            ASSERT_EQ(beat >> config.m & 1, p == config.n - 1 ? 1U : 0U) << "tlast, word " << w;
            received.word.push_back(static_cast<int>(beat & mask));
            if ((beat >> (config.m + 1)) != 0) {
                received.erasures.push_back(p);
            }
        }
        const Expected expected = expected_output(config, fec, received, tally);
        tally.failures += expected.fail ? 1 : 0;
        const std::uint64_t tuser =
            (static_cast<std::uint64_t>(expected.count) << 1) | (expected.fail ? 1 : 0);
        std::string word_out;
        for (int p = 0; p < config.n; ++p) {
            word_out += HexVector()
                            .push(tuser, config.count_width() + 1)
                            .push(p == config.n - 1 ? 1 : 0, 1)
                            .push(static_cast<std::uint64_t>(expected.word[p]), config.m)
                            .hex() +
                        "\n";
        }
        const std::size_t at = expected_out.size();
        ASSERT_EQ(out.substr(at, word_out.size()), word_out) << "word " << w;
        expected_out += word_out;
    }
    EXPECT_EQ(out.size(), expected_out.size());
}

// A hex line as bits, least significant first.
std::vector<bool> bits_of(const std::string& line) {
    std::vector<bool> bits;
    for (auto digit = line.rbegin(); digit != line.rend(); ++digit) {
        const int value = std::stoi(std::string(1, *digit), nullptr, 16);
        for (int b = 0; b < 4; ++b) {
            bits.push_back((value >> b & 1) != 0);
        }
    }
    return bits;
}

std::uint64_t field_of(const std::vector<bool>& bits, int low, int width) {
    std::uint64_t value = 0;
    for (int b = width - 1; b >= 0; --b) {
        const auto at = static_cast<std::size_t>(low + b);
        value = value << 1 | (at < bits.size() && bits[at] ? 1 : 0);
    }
    return value;
}

// The same at P symbols per beat: tb_in.hex lines {erasure flags, tkeep,
// tlast, P symbols}, a word ending with tlast, its symbols those tkeep
// marks; every word decoded by libfec with the pad of its length (a word
// shorter than n - k + 1: passed unchanged, failure), and tb_out.hex must
// hold {count, failure, tlast, tkeep, P symbols} with the lanes after the
// word's end zero.
void check_lanes_vectors(const CoreConfig& config, const std::string& dir, int words,
                         Tally& tally) {
    Reference fec(config);
    std::istringstream in_lines(test::read_file(dir + "/tb_in.hex"));
    std::istringstream out_lines(test::read_file(dir + "/tb_out.hex"));
    const int p = config.p;
    const int m = config.m;
    int word_count = 0;
    Received received;
    std::vector<std::uint64_t> keeps;
    for (std::string line; std::getline(in_lines, line);) {
        const std::vector<bool> bits = bits_of(line);
        const std::uint64_t keep = field_of(bits, p * m + 1, p);
        const std::uint64_t flags = field_of(bits, p * m + 1 + p, p);
        const bool last = field_of(bits, p * m, 1) != 0;
        for (int l = 0; l < p; ++l) {
            if ((keep >> l & 1) != 0) {
                if ((flags >> l & 1) != 0) {
                    received.erasures.push_back(static_cast<int>(received.word.size()));
                }
                received.word.push_back(static_cast<int>(field_of(bits, l * m, m)));
            }
        }
        keeps.push_back(keep);
        if (!last) {
            continue;
        }
        if (!config.variable) {
            ASSERT_EQ(static_cast<int>(received.word.size()), config.n) << "word " << word_count;
        }
        Expected expected = expected_output(config, fec, received, tally);
        tally.failures += expected.fail ? 1 : 0;
        if (config.stats > 1) {
            expected.word = received.word; // detection only: flagged, counted, not corrected
        }
        const std::uint64_t tuser =
            (static_cast<std::uint64_t>(expected.count) << 1) | (expected.fail ? 1 : 0);
        std::size_t at = 0;
        for (std::size_t b = 0; b < keeps.size(); ++b) {
            HexVector beat;
            beat.push(tuser, config.count_width() + 1)
                .push(b + 1 == keeps.size() ? 1 : 0, 1)
                .push(keeps[b], p);
            std::vector<int> lanes(static_cast<std::size_t>(p), 0);
            for (int l = 0; l < p; ++l) {
                if ((keeps[b] >> l & 1) != 0) {
                    lanes[static_cast<std::size_t>(l)] = expected.word[at++];
                }
            }
            for (int l = p - 1; l >= 0; --l) {
                beat.push(static_cast<std::uint64_t>(lanes[static_cast<std::size_t>(l)]), m);
            }
            std::string out;
            ASSERT_TRUE(static_cast<bool>(std::getline(out_lines, out))) << "word " << word_count;
            ASSERT_EQ(out, beat.hex()) << "word " << word_count << ", beat " << b;
        }
        ++word_count;
        received = Received{};
        keeps.clear();
    }
    EXPECT_EQ(word_count, words);
    std::string extra;
    EXPECT_FALSE(static_cast<bool>(std::getline(out_lines, extra)));
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

TEST_P(RsDecoderCore, IpgenVectorsAreLibfecsAndTheFolderSimulatesToPass) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp", "make");
    if (!fec_available()) {
        GTEST_SKIP() << "built without libfec";
    }
    const CoreConfig& config = GetParam();
    const test::TempDir temp;
    const std::string dir = folder_for(config, temp);
    const int words = word_count(config);
    const test::RunResult run =
        test::run_program(IPGEN_PATH, config.ipgen_args(words, "core"), dir);
    ASSERT_EQ(run.exit_status, 0) << run.err;
    EXPECT_TRUE(ipxact_validate(dir + "/core").ok) << ipxact_validate(dir + "/core").log;
    EXPECT_TRUE(test::model_gives_folder_vectors(IPGEN_PATH, config.ipgen_args(words, "core"), dir,
                                                 dir + "/core"));
    Tally tally;
    if (config.lanes()) {
        check_lanes_vectors(config, dir + "/core", words, tally);
    } else {
        check_vectors(config, dir + "/core", words, tally);
    }
    if (HasFatalFailure()) {
        return;
    }
    // the words must reach both outcomes (with r = 2 a word beyond the
    // capability is mostly miscorrected, not refused: about 5% fail)
    EXPECT_GT(tally.failures, words / 50);
    EXPECT_LT(tally.failures, words * 3 / 4);
    if ((config.tops & CoreConfig::axis_top) != 0) {
        const test::RunResult sim =
            test::run_program(find_tool("make"), {"-s", "sim"}, dir + "/core");
        EXPECT_EQ(sim.exit_status, 0) << sim.out << sim.err;
        EXPECT_EQ(sim.out, "PASS\n") << sim.err;
        EXPECT_EQ(sim.err.find("warning"), std::string::npos) << sim.err;
    }
    if ((config.tops & CoreConfig::native_top) != 0) {
        // the folder's sources in its own order, the testbench on the native top
        const std::string sources =
            "rs_decoder_" + std::to_string(config.n) + "_" + std::to_string(config.k) + ".f";
        const test::RunResult compile =
            test::run_program(find_tool("iverilog"),
                              {"-g2005", "-Wall", "-DTB_NATIVE", "-I.", "-s", "tb_rs_decoder", "-o",
                               "native.vvp", "-c", sources, "tb_rs_decoder.v"},
                              dir + "/core");
        ASSERT_EQ(compile.exit_status, 0) << compile.out << compile.err;
        EXPECT_EQ(compile.err.find("warning"), std::string::npos) << compile.err;
        const test::RunResult sim =
            test::run_program(find_tool("vvp"), {"-n", "native.vvp"}, dir + "/core");
        EXPECT_EQ(sim.exit_status, 0) << sim.out << sim.err;
        EXPECT_EQ(sim.out, "PASS\n") << "native top\n" << sim.err;
    }
    // One line per configuration for the soak totals.
    std::printf("rs_decoder_core %s: %d words, %d failures, %d longer locators\n",
                config.name.c_str(), words, tally.failures, tally.longer_locator);
}

// Both tops: the folder's lint target checks the AXI4-Stream one, TOP= the
// native one.
TEST_P(RsDecoderCore, FolderPassesVerilatorLint) {
    HDL_REQUIRE_TOOLS("verilator", "make");
    const CoreConfig& config = GetParam();
    const test::TempDir temp;
    ASSERT_EQ(test::run_program(IPGEN_PATH, config.ipgen_args(1, "core"), temp.path()).exit_status,
              0);
    const std::vector<std::string> tops =
        config.lanes() ? std::vector<std::string>{"rs_decoder_lanes_axis"}
                       : std::vector<std::string>{"rs_decoder_axis", "rs_decoder"};
    for (const std::string& top : tops) {
        const test::RunResult lint = test::run_program(
            find_tool("make"), {"-s", "lint", "TOP=" + top}, temp.path() + "/core");
        EXPECT_EQ(lint.exit_status, 0) << top << "\n" << lint.out << lint.err;
        EXPECT_EQ((lint.out + lint.err).find("%Warning"), std::string::npos)
            << top << "\n"
            << lint.out << lint.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, RsDecoderCore, ::testing::ValuesIn(core_matrix()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace ipgen::hdl
