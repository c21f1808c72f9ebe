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
    // --standard NAME instead of the code's values (m .. rootspace above are
    // the standard's, for the reference); dual basis: a CCSDS standard.
    const char* standard = nullptr;
    bool dual_basis = false;

    // Symbols per beat (--symbols-per-clock).
    int p() const {
        const auto it = std::find(options.begin(), options.end(), "--symbols-per-clock");
        return it == options.end() ? 1 : std::stoi(*(it + 1));
    }

    // A code length per word (--variable-length).
    bool variable() const {
        return std::find(options.begin(), options.end(), "--variable-length") != options.end();
    }

    bool is_ccsds() const {
        return dual_basis || std::find(options.begin(), options.end(), "--ccsds") != options.end();
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
Args per_clock(int p) {
    return {"--symbols-per-clock", std::to_string(p)};
}
const Args variable = {"--variable-length"};

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
    // The standards by name, each code value from --standard alone.
    {"standard_dvb", 8, 204, 188, 285, 0, 1, {}, "dvb"},
    {"standard_atsc", 8, 207, 187, 285, 0, 1, p0, "atsc"},
    {"standard_g709", 8, 255, 239, 285, 0, 1, gaps, "g709"},
    {"standard_ccsds", 8, 255, 223, 391, 112, 11, {}, "ccsds", true},
    {"standard_ccsds_e8", 8, 255, 239, 391, 120, 11, p2, "ccsds-e8", true},
    {"standard_kr4", 10, 528, 514, 1033, 0, 1, {}, "kr4"},
    {"standard_kp4", 10, 544, 514, 1033, 0, 1, reg, "kp4"},
    // P symbols per clock: the last data beat full or not, its parity lanes
    // all the parity (kr4 at 16) or part of it, k below P, n below P, P
    // above n-k.
    {"p2_rs255_239", 8, 255, 239, 285, 0, 1, per_clock(2)},
    {"p3_dvb", 8, 204, 188, 285, 0, 1, per_clock(3), "dvb"},
    {"p4_rs255_239", 8, 255, 239, 285, 0, 1, per_clock(4)},
    {"p8_ccsds", 8, 255, 223, 391, 112, 11, per_clock(8), "ccsds", true},
    {"p16_rs255_239_g1_h7", 8, 255, 239, 285, 1, 7, per_clock(16)},
    {"p16_kr4", 10, 528, 514, 1033, 0, 1, per_clock(16), "kr4"},
    {"p4_kp4", 10, 544, 514, 1033, 0, 1, per_clock(4), "kp4"},
    {"p4_gf8_7_3", 3, 7, 3, 11, 0, 1, per_clock(4)},
    {"p8_gf8_7_1_g1", 3, 7, 1, 11, 1, 1, per_clock(8)},
    {"p5_gf16_15_11", 4, 15, 11, 19, 0, 1, per_clock(5)},
    {"p3_gf16_15_13", 4, 15, 13, 19, 0, 1, per_clock(3)},
    // Without the core's output register (the queue registers the beat).
    {"p4_rs255_239_p0", 8, 255, 239, 285, 0, 1, per_clock(4) + p0},
    {"p3_dvb_p0", 8, 204, 188, 285, 0, 1, per_clock(3) + p0, "dvb"},
    // A code length per word: words of random length back to back, a word
    // of one symbol and words longer than k; one symbol per clock (the
    // CCSDS dual basis), the last beat full or not, P above n-k, k below P.
    {"vl_p1_ccsds", 8, 255, 223, 391, 112, 11, variable, "ccsds", true},
    {"vl_p1_gf16_15_11", 4, 15, 11, 19, 0, 1, variable},
    {"vl_p2_gf32_31_25_g1_h3", 5, 31, 25, 37, 1, 3, variable + per_clock(2)},
    {"vl_p3_ccsds_e8", 8, 255, 239, 391, 120, 11, variable + per_clock(3), "ccsds-e8", true},
    {"vl_p4_kp4", 10, 544, 514, 1033, 0, 1, variable + per_clock(4), "kp4"},
    {"vl_p16_g709", 8, 255, 239, 285, 0, 1, variable + per_clock(16), "g709"},
    {"vl_p8_gf8_7_1_g1", 3, 7, 1, 11, 1, 1, variable + per_clock(8)},
};

// Synthesis takes as long as the rest of a configuration's checks: it runs
// for these, which between them take every branch of the defines (PIPE1,
// PIPE2, neither; REGISTERED_INPUT; CONTINUOUS or not; CCSDS; one and two
// data symbols; each netlist; at P > 1 the output register and none).
const Args synthesized = {"rs255_239_minimal",
                          "gf8_k1_p1r_shared",
                          "gf8_k2_g1_p2_gaps_shared",
                          "gf32_31_29_p0_gaps_shared",
                          "ccsds_120_88_p2r_gaps_plain",
                          "p3_dvb_p0",
                          "p8_gf8_7_1_g1",
                          "vl_p3_ccsds_e8"};

Args ipgen_args(const Config& c, const std::string& out) {
    Args args = {"rs-encoder"};
    if (c.standard != nullptr) {
        return args + Args{"--standard", c.standard, "--out", out} + c.options;
    }
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

// libfec's codeword for k data symbols (dual basis at both ends with CCSDS:
// libfec's own CCSDS encoder for 32 parity symbols, else libfec's tables
// between the bases around the code's encoder).
std::vector<int> reference_codeword(const Config& c, const std::vector<int>& data) {
    const int pad = (1 << c.m) - 1 - c.n + (c.k - static_cast<int>(data.size()));
#if IPGEN_HAVE_LIBFEC
    if (c.is_ccsds() && c.n - c.k != 32) {
        std::vector<int> conventional;
        for (const int d : data) {
            conventional.push_back(Tal1tab[d]);
        }
        std::vector<int> word =
            FecCodec(c.m, c.poly, c.first_root, c.rootspace, c.n - c.k, pad).encode(conventional);
        for (size_t i = 0; i < word.size(); ++i) {
            word[i] = i < data.size() ? data[i] : Taltab[word[i]];
        }
        return word;
    }
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

// A vector file's lines as symbol sequences, one per word: {tlast, data}
// per symbol at P = 1; {tlast, tkeep, P symbols} per beat above, the lanes
// without tkeep zero and tkeep all ones but on a word's last beat. Each
// word must be `length` symbols.
std::vector<std::vector<int>> words_of(const std::string& path, int m, int p, size_t length) {
    std::vector<std::vector<int>> words(1);
    std::istringstream lines(test::read_file(path));
    const unsigned mask = (1U << m) - 1;
    for (std::string line; std::getline(lines, line);) {
        std::vector<int>& word = words.back();
        bool last = false;
        if (p == 1) {
            const unsigned beat = static_cast<unsigned>(std::stoul(line, nullptr, 16));
            word.push_back(static_cast<int>(beat & mask));
            last = (beat >> m) != 0;
        } else {
            // hex digits to bits, bit 0 last in the line
            std::vector<bool> bits;
            for (auto c = line.rbegin(); c != line.rend(); ++c) {
                const int digit = std::stoi(std::string(1, *c), nullptr, 16);
                for (int b = 0; b < 4; ++b) {
                    bits.push_back(((digit >> b) & 1) != 0);
                }
            }
            bits.resize(static_cast<size_t>(1 + p + p * m), false);
            last = bits.back();
            const size_t base = word.size();
            for (int lane = 0; lane < p; ++lane) {
                int symbol = 0;
                for (int b = 0; b < m; ++b) {
                    symbol |= bits[static_cast<size_t>(lane * m + b)] ? 1 << b : 0;
                }
                const bool keep = bits[static_cast<size_t>(p * m + lane)];
                const size_t at = base + static_cast<size_t>(lane);
                EXPECT_EQ(keep, at < length) << path << ": tkeep of lane " << lane;
                EXPECT_TRUE(keep || symbol == 0) << path << ": a lane without tkeep is not 0";
                if (keep) {
                    word.push_back(symbol);
                }
            }
            word.resize(std::min(word.size(), length));
        }
        EXPECT_EQ(last, word.size() == length) << path << ": tlast of word " << words.size();
        if (word.size() == length) {
            words.emplace_back();
        }
    }
    EXPECT_TRUE(words.back().empty()) << path << ": a word cut short";
    words.pop_back();
    return words;
}

// A vector line as bits, bit 0 the last hex digit's lowest.
std::vector<bool> bits_of(const std::string& line, size_t width) {
    std::vector<bool> bits;
    for (auto c = line.rbegin(); c != line.rend(); ++c) {
        const int digit = std::stoi(std::string(1, *c), nullptr, 16);
        for (int b = 0; b < 4; ++b) {
            bits.push_back(((digit >> b) & 1) != 0);
        }
    }
    bits.resize(width, false);
    return bits;
}

int lane_symbol(const std::vector<bool>& bits, int lane, int m) {
    int symbol = 0;
    for (int b = 0; b < m; ++b) {
        symbol |= bits[static_cast<size_t>(lane * m + b)] ? 1 << b : 0;
    }
    return symbol;
}

// A code length per word. tb_in.hex: {tlast, tkeep, P symbols} beats; a
// word is the beats up to its tlast, whose symbols are lanes 0 up to the
// highest with tkeep, but at most k symbols: a word without tlast by its
// k-th symbol ends there (the rest of that beat dropped) and its codeword's
// last beat has tuser. tb_out.hex: {tuser, tlast, tkeep, P symbols}, each
// codeword libfec's for its word (the code shortened to it), packed P per
// beat, tkeep the low lanes up to its end, the lanes off 0.
void expect_libfec_variable_vectors(const Config& c, const std::string& folder) {
    const int p = c.p();
    const size_t in_width = static_cast<size_t>(1 + p + p * c.m);
    std::vector<std::vector<int>> words(1);
    std::vector<bool> over;
    std::istringstream in_lines(test::read_file(folder + "/tb_in.hex"));
    for (std::string line; std::getline(in_lines, line);) {
        const std::vector<bool> bits = bits_of(line, in_width);
        const bool tlast = bits.back();
        int lanes = p;
        if (tlast) {
            lanes = 1;
            for (int lane = 1; lane < p; ++lane) {
                lanes = bits[static_cast<size_t>(p * c.m + lane)] ? lane + 1 : lanes;
            }
        }
        std::vector<int>& word = words.back();
        int taken = 0;
        for (; taken < lanes && static_cast<int>(word.size()) < c.k; ++taken) {
            word.push_back(lane_symbol(bits, taken, c.m));
        }
        const bool at_k = static_cast<int>(word.size()) == c.k;
        if (tlast || at_k) {
            over.push_back(at_k && (!tlast || taken < lanes));
            words.emplace_back();
        }
    }
    ASSERT_TRUE(words.back().empty()) << "tb_in.hex ends inside a word";
    words.pop_back();
    ASSERT_GE(words.size(), 6U);
    // The vectors hold a word of one symbol, one of k and two longer than k.
    EXPECT_NE(std::find_if(words.begin(), words.end(), [](const auto& w) { return w.size() == 1; }),
              words.end());
    EXPECT_GE(std::count(over.begin(), over.end(), true), 2);

    const size_t out_width = in_width + 1;
    std::istringstream out_lines(test::read_file(folder + "/tb_out.hex"));
    std::string line;
    for (size_t w = 0; w < words.size(); ++w) {
        const std::vector<int> expected = reference_codeword(c, words[w]);
        std::vector<int> got;
        while (got.size() < expected.size() && std::getline(out_lines, line)) {
            const std::vector<bool> bits = bits_of(line, out_width);
            const size_t left = expected.size() - got.size();
            const bool last = left <= static_cast<size_t>(p);
            EXPECT_EQ(bits[out_width - 2], last) << "tlast, codeword " << w;
            EXPECT_EQ(bits[out_width - 1], last && over[w]) << "tuser, codeword " << w;
            for (int lane = 0; lane < p; ++lane) {
                const bool keep = static_cast<size_t>(lane) < left;
                EXPECT_EQ(bits[static_cast<size_t>(p * c.m + lane)], keep)
                    << "tkeep lane " << lane << ", codeword " << w;
                if (keep) {
                    got.push_back(lane_symbol(bits, lane, c.m));
                } else {
                    EXPECT_EQ(lane_symbol(bits, lane, c.m), 0) << "lane off, codeword " << w;
                }
            }
        }
        ASSERT_EQ(got, expected) << "codeword " << w << " of " << words[w].size() << " data";
    }
    EXPECT_FALSE(std::getline(out_lines, line)) << "beats after the last codeword";
}

// Every codeword of the folder's vectors is libfec's, with tlast on the
// last beat of each message and codeword (and tkeep at P > 1).
void expect_libfec_vectors(const Config& c, const std::string& folder) {
    ASSERT_TRUE(!c.is_ccsds() || c.n - c.k == 32 || c.dual_basis)
        << "libfec's CCSDS code has 32 parity symbols";
    if (c.variable()) {
        expect_libfec_variable_vectors(c, folder);
        return;
    }
    const auto in = words_of(folder + "/tb_in.hex", c.m, c.p(), static_cast<size_t>(c.k));
    const auto out = words_of(folder + "/tb_out.hex", c.m, c.p(), static_cast<size_t>(c.n));
    ASSERT_GE(in.size(), 3U);
    ASSERT_EQ(out.size(), in.size());
    for (size_t w = 0; w < in.size(); ++w) {
        ASSERT_EQ(out[w], reference_codeword(c, in[w])) << "codeword " << w;
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
    const Args tops = c.variable() ? Args{"rs_encoder_vl_axis"}
                      : c.p() == 1 ? Args{"rs_encoder_axis", "rs_encoder"}
                                   : Args{"rs_encoder_wide_axis"};
    for (const std::string& top : tops) {
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
        yosys_script(core, script + "\nsynth -top " + tops.front() + "\ncheck -assert\n");
    EXPECT_TRUE(synth.ok) << synth.log;
}

// P chained one-symbol updates around paritygen's plain multiplier: the
// remainder register's step of the one-symbol core, P times.
std::string chained_steps(const Config& c) {
    const int r = c.n - c.k;
    return "module gold (\n"
           "    input  wire [" +
           std::to_string(r * c.m - 1) +
           ":0] rem_in,\n"
           "    input  wire [" +
           std::to_string(c.p() * c.m - 1) +
           ":0] sym_in,\n"
           "    output wire [" +
           std::to_string(r * c.m - 1) +
           ":0] rem_out\n"
           ");\n"
           "localparam W = " +
           std::to_string(c.m) + ", R = " + std::to_string(r * c.m) +
           ", P = " + std::to_string(c.p()) +
           ";\n"
           "wire [R-1:0] stage [0:P];\n"
           "assign stage[0] = rem_in;\n"
           "genvar i;\n"
           "generate for (i = 0; i < P; i = i + 1) begin : steps\n"
           "    wire [R-1:0] products;\n"
           "    multiplier bank (.mult_out(products),\n"
           "                     .mult_in(sym_in[i*W +: W] ^ stage[i][W-1:0]));\n"
           "    assign stage[i+1] = (stage[i] >> W) ^ products;\n"
           "end endgenerate\n"
           "assign rem_out = stage[P];\n"
           "endmodule\n";
}

// Both sides are linear over GF(2): the generated step is XOR gates only
// (Yosys finds no other cell in it), the chained updates are shifts and
// paritygen's XOR-only multiplier. Two linear maps are equal when they
// agree on zero and on every input with one bit set, so the bench below,
// (r + P)*m + 1 vectors, proves rs_enc_step equal to P chained one-symbol
// updates. (A SAT proof per output bit, equiv_simple, takes minutes from
// P = 3 on: XOR cones are hard for it.) Up to P = 8; the rows above are
// checked by their simulation against libfec.
std::string unit_vector_bench(const Config& c) {
    const int rem_bits = (c.n - c.k) * c.m;
    const int inputs = rem_bits + c.p() * c.m;
    return "module tb_unit;\n"
           "localparam R = " +
           std::to_string(rem_bits) + ", I = " + std::to_string(inputs) +
           ";\n"
           "reg  [I-1:0] in;\n"
           "wire [R-1:0] gold_out, gate_out;\n"
           "gold expected (.rem_in(in[R-1:0]), .sym_in(in[I-1:R]), .rem_out(gold_out));\n"
           "gate step (.rem_in(in[R-1:0]), .sym_in(in[I-1:R]), .rem_out(gate_out));\n"
           "integer i, bad;\n"
           "initial begin\n"
           "    bad = 0;\n"
           "    for (i = 0; i <= I; i = i + 1) begin\n"
           "        in = i == I ? {I{1'b0}} : {{(I-1){1'b0}}, 1'b1} << i;\n"
           "        #1 if (gate_out !== gold_out) begin\n"
           "            if (bad == 0) $display(\"FAIL: input bit %0d\", i);\n"
           "            bad = 1;\n"
           "        end\n"
           "    end\n"
           "    if (bad == 0) $display(\"PASS\");\n"
           "end\n"
           "endmodule\n";
}

TEST_P(RsEncoderCore, StepNetworkEqualsChainedOneSymbolUpdates) {
    const Config& c = GetParam();
    const bool unregistered =
        std::search(c.options.begin(), c.options.end(), p0.begin(), p0.end()) != c.options.end();
    if (c.p() == 1 || c.p() > 8 || c.variable() || unregistered) {
        // beyond P = 8 in the CI budget: the folder's simulation against libfec;
        // a length per word and --pipeline 0 have the same step network
        GTEST_SKIP() << "P = " << c.p();
    }
    HDL_REQUIRE_TOOLS("yosys", "iverilog", "vvp");
    test::TempDir dir;
    // The same code at one symbol per clock with the plain multiplier.
    Args one = ipgen_args(c, "one");
    const auto at = std::find(one.begin(), one.end(), "--symbols-per-clock");
    one.erase(at, at + 2);
    one = one + Args{"--netlist", "plain"};
    ASSERT_EQ(test::run_program(IPGEN_PATH, ipgen_args(c, "wide"), dir.path()).exit_status, 0);
    ASSERT_EQ(test::run_program(IPGEN_PATH, one, dir.path()).exit_status, 0);
    std::string gate = test::read_file(dir.file("wide/rs_enc_step.v"));
    gate.replace(gate.find("module rs_enc_step"), 18, "module gate");
    test::write_file(dir.file("one/gate.v"), gate);
    test::write_file(dir.file("one/gold.v"), chained_steps(c));
    test::write_file(dir.file("one/tb_unit.v"), unit_vector_bench(c));
    const ToolResult linear = yosys_script(dir.file("one"), "read_verilog gate.v\nproc\n"
                                                            "select -assert-none t:* t:$xor %d\n");
    EXPECT_TRUE(linear.ok) << linear.log;
    const ToolResult sim = simulate(
        dir.file("one"), {"rsenc_params.v", "multiplier.v", "gold.v", "gate.v", "tb_unit.v"});
    EXPECT_TRUE(sim.ok) << sim.log;
    EXPECT_EQ(sim.output, "PASS\n") << sim.log;
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
