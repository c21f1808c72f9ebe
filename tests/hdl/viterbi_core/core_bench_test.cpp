// The Viterbi core through its AXI4-Stream top, over a matrix of
// configurations: for each, trellgen writes parameters.v, the core's
// testbench runs on vectors from our model (random input gaps and output
// stalls), and Verilator lints the core. Every block is terminated; the
// first one is sent without noise and must come back exactly as encoded.
#include "hdl_tools.hpp"
#include "hex_vector.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"
#include "ipgen/cores/viterbi_model.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace ipgen::viterbi {
namespace {

using hdl::HexVector;

struct Case {
    const char* name;
    CoreConfig cfg;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

CoreConfig make(int k, int n, std::array<int, 3> gp, int soft_width, bool sdd_unsigned, int tb) {
    CoreConfig cfg;
    cfg.k = k;
    cfg.n = n;
    cfg.gp = gp;
    cfg.soft = soft_width > 0;
    cfg.soft_width = soft_width;
    cfg.sdd_unsigned = sdd_unsigned;
    cfg.tb = tb;
    return cfg;
}
CoreConfig hybrid(CoreConfig cfg, int index) {
    cfg.hybrid = true;
    cfg.hybrid_index = index;
    return cfg;
}
CoreConfig punctured(CoreConfig cfg, const char* pp0, const char* pp1) {
    cfg.punctured = true;
    cfg.pp0 = pp0;
    cfg.pp1 = pp1;
    return cfg;
}
CoreConfig ber(CoreConfig cfg, int period) {
    cfg.ber = true;
    cfg.ber_period = period;
    return cfg;
}
CoreConfig device(CoreConfig cfg, int dev) {
    cfg.device = dev;
    return cfg;
}

const Case kCases[] = {
    {"k7_soft3_signed", make(7, 2, {0171, 0133}, 3, false, 64)},
    {"k7_soft3_unsigned_ber", ber(make(7, 2, {0171, 0133}, 3, true, 64), 8)},
    {"k7_hard_ber_dev0", device(ber(make(7, 2, {0171, 0133}, 0, false, 40), 6), 0)},
    {"k7_soft5_tb33_dev1", device(make(7, 2, {0171, 0133}, 5, false, 33), 1)},
    {"k7_hybrid2", hybrid(make(7, 2, {0171, 0133}, 3, false, 48), 2)},
    {"k7_punct23", punctured(make(7, 2, {0171, 0133}, 3, false, 64), "11", "10")},
    {"k7_punct34_ber", ber(punctured(make(7, 2, {0171, 0133}, 4, true, 96), "110", "101"), 7)},
    {"k7_rate13", make(7, 3, {0133, 0171, 0165}, 3, false, 64)},
    {"k3_hard", make(3, 2, {07, 05}, 0, false, 16)},
    {"k3_rate13_soft2", make(3, 3, {07, 07, 05}, 2, false, 11)},
    {"k3_hybrid1_punct23",
     ber(hybrid(punctured(make(3, 2, {07, 05}, 3, true, 20), "11", "10"), 1), 5)},
    {"k4_soft8", make(4, 2, {015, 017}, 8, true, 20)},
    {"k4_rate13_punct", punctured(make(4, 3, {015, 017, 013}, 3, false, 24), "10", "01")},
    {"k5_soft4_unsigned", make(5, 2, {023, 035}, 4, true, 30)},
    {"k5_hard_hybrid2", hybrid(make(5, 2, {023, 035}, 0, false, 25), 2)},
    {"k5_hard_punct34", punctured(make(5, 2, {023, 035}, 0, false, 40), "110", "101")},
    {"k6_soft3_dev1", device(make(6, 2, {065, 057}, 3, false, 36), 1)},
    {"k8_soft2_hybrid4", hybrid(make(8, 2, {0247, 0371}, 2, false, 50), 4)},
    {"k9_soft3", make(9, 2, {0753, 0561}, 3, false, 45)},
    {"k9_rate13_hybrid3", hybrid(make(9, 3, {0557, 0663, 0711}, 3, true, 40), 3)},
};

std::string core_dir() {
    return IPGEN_VITERBI_CORE_DIR;
}

// The core's files of one kind, in manifest order.
std::vector<std::string> manifest(const std::string& kind) {
    std::ifstream in(core_dir() + "/manifest.txt");
    std::vector<std::string> files;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string k, file;
        if (line.empty() || line[0] == '#' || !(fields >> k >> file)) {
            continue;
        }
        if (k == kind) {
            files.push_back(file);
        }
    }
    return files;
}

struct Vectors {
    std::string in, out, ber;
    int in_beats = 0, out_beats = 0, ber_windows = 0;
};

// Blocks of random bits: the first without noise, then noisy ones; lengths
// around the traceback chunk so that every flush length occurs.
Vectors make_vectors(const CoreConfig& cfg, unsigned seed) {
    std::mt19937 rng(seed);
    const int chunk = 2 * ((cfg.tb + 1) / 2);
    // the last block: long for small trellises, where simulation is cheap
    const int lengths[] = {3 * chunk + 5, 2, chunk - cfg.k + 1, 2 * chunk + 1,
                           std::max(chunk, 8192 >> (cfg.k - 1))};
    // one beat: n symbols packed low first, or one when punctured
    const std::size_t per_beat = cfg.punctured ? 1 : static_cast<std::size_t>(cfg.n);
    const int in_width = (static_cast<int>(per_beat) * cfg.din_width() + 7) / 8 * 8;
    Vectors v;
    std::vector<int> all_errors;
    Channel noisy(cfg, cfg.punctured ? 3.0 : 1.0, code_rate(cfg), seed);
    bool clean = true;
    for (const int length : lengths) {
        std::vector<int> bits(static_cast<std::size_t>(length) + cfg.k - 1, 0);
        for (int i = 0; i < length; ++i) {
            bits[static_cast<std::size_t>(i)] = static_cast<int>(rng() & 1);
        }
        std::vector<Symbol> steps;
        for (const int c : encode(cfg, bits)) {
            steps.push_back(clean ? Symbol{c != 0 ? cfg.top() : 0, false} : noisy.send(c));
        }
        const std::vector<Symbol> sent = puncture(cfg, steps);
        const Decoded decoded =
            decode_block(cfg, depuncture(cfg, sent, static_cast<int>(bits.size())));
        if (clean) {
            EXPECT_EQ(decoded.bits, bits) << "model, error-free block";
        }
        clean = false;
        for (std::size_t i = 0; i < sent.size(); i += per_beat) {
            // the byte padding above the symbols carries noise: it must be ignored
            const int used = static_cast<int>(per_beat) * cfg.din_width();
            std::uint64_t data = (rng() & ((1U << (in_width - used)) - 1U)) << used;
            for (std::size_t j = 0; j < per_beat; ++j) {
                data |= static_cast<std::uint64_t>(input_code(cfg, sent[i + j].conf))
                        << (j * static_cast<std::size_t>(cfg.din_width()));
            }
            v.in += HexVector()
                        .push(i + per_beat == sent.size() ? 1 : 0, 1)
                        .push(data, in_width)
                        .hex() +
                    "\n";
            ++v.in_beats;
        }
        for (std::size_t i = 0; i < decoded.bits.size(); ++i) {
            v.out += HexVector()
                         .push(i + 1 == decoded.bits.size() ? 1 : 0, 1)
                         .push(static_cast<std::uint64_t>(decoded.bits[i]), 1)
                         .hex() +
                     "\n";
            ++v.out_beats;
        }
        all_errors.insert(all_errors.end(), decoded.errors.begin(), decoded.errors.end());
    }
    if (cfg.ber) {
        for (const int count : ber_windows(cfg, all_errors)) {
            v.ber += HexVector().push(static_cast<std::uint64_t>(count), cfg.ber_period + 2).hex() +
                     "\n";
            ++v.ber_windows;
        }
    }
    return v;
}

// Stages a core folder: parameters.v from trellgen, the core's sources and
// testbench, the vectors and tb_config.vh. Returns the sources in compile
// order (parameters.v first, the testbench last).
std::vector<std::string> stage(const std::string& dir, const CoreConfig& cfg, unsigned seed) {
    test::write_file(dir + "/viterbi_params.v", params_file(cfg));
    const test::RunResult run = test::run_program(TRELLGEN_PATH, {std::to_string(cfg.device)}, dir);
    EXPECT_EQ(run.exit_status, 0) << run.out;
    std::vector<std::string> sources{"parameters.v"};
    for (const char* kind : {"rtl", "tb", "lint"}) {
        for (const std::string& file : manifest(kind)) {
            test::write_file(dir + "/" + file, test::read_file(core_dir() + "/" + file));
            if (std::string(kind) != "lint") {
                sources.push_back(file);
            }
        }
    }
    const Vectors v = make_vectors(cfg, seed);
    test::write_file(dir + "/tb_in.hex", v.in);
    test::write_file(dir + "/tb_out.hex", v.out);
    std::string config = "`define TB_SEED " + std::to_string(seed) + "\n`define TB_IN_BEATS " +
                         std::to_string(v.in_beats) + "\n`define TB_OUT_BEATS " +
                         std::to_string(v.out_beats) + "\n";
    if (cfg.ber) {
        test::write_file(dir + "/tb_ber.hex", v.ber.empty() ? "0\n" : v.ber);
        config += "`define TB_BER_WINDOWS " + std::to_string(v.ber_windows) + "\n";
    }
    test::write_file(dir + "/tb_config.vh", config);
    return sources;
}

class ViterbiCore : public ::testing::TestWithParam<Case> {};

TEST_P(ViterbiCore, DecodesThroughAxiTopAndLintsClean) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp", "verilator");
    const CoreConfig& cfg = GetParam().cfg;
    test::TempDir dir;
    // IPGEN_VITERBI_SEED picks other vectors (soak runs).
    const char* extra = std::getenv("IPGEN_VITERBI_SEED");
    const unsigned seed =
        11U + static_cast<unsigned>(cfg.k * 7 + cfg.tb) +
        (extra != nullptr ? static_cast<unsigned>(std::strtoul(extra, nullptr, 10)) : 0U);
    std::vector<std::string> sources = stage(dir.path(), cfg, seed);

    const hdl::ToolResult sim = hdl::simulate(dir.path(), sources);
    const std::string out = sim.output;
    EXPECT_TRUE(sim.ok) << sim.log;
    EXPECT_TRUE(out.size() >= 5 && out.compare(out.size() - 5, 5, "PASS\n") == 0) << sim.log;

    sources.pop_back(); // the testbench
    std::vector<std::string> lint_sources = manifest("lint");
    lint_sources.insert(lint_sources.end(), sources.begin(), sources.end());
    const hdl::ToolResult lint =
        hdl::verilator_lint(dir.path(), lint_sources, "viterbi_axis", {}, "");
    EXPECT_TRUE(lint.ok) << lint.log;
}

INSTANTIATE_TEST_SUITE_P(Matrix, ViterbiCore, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace ipgen::viterbi
