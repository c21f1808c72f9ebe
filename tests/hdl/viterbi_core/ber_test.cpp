// Bit-error rate of our decoder model (bit-exact with the core, see
// core_bench_test.cpp) against libfec's Viterbi decoders on the same
// quantised symbols: at every Eb/N0 ours makes no more errors than libfec
// 0.2 dB worse off (same noise sequence, scaled), within counting noise.
#include "cores/viterbi/viterbi_model.hpp"
#include "fec_viterbi.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace ipgen::viterbi {
namespace {

struct Code {
    const char* name;
    int k, n;
    std::array<int, 3> gp;
    int tb;
    const char* pp0 = ""; // punctured when not empty
    const char* pp1 = "";
    bool erasures = false; // one symbol in 16 flagged erased
    std::vector<double> points{3.0, 4.0, 5.0};
    bool stream = false;    // one unterminated stream, tracebacks from the best state
    int bits_per_clock = 1; // 2: the chunk of two steps per clock
};

void PrintTo(const Code& c, std::ostream* os) {
    *os << c.name;
}

// Total information bits per Eb/N0 point; scripts may raise it.
long bits_per_point() {
    const char* env = std::getenv("IPGEN_VITERBI_BER_BITS");
    return env != nullptr ? std::atol(env) : 100000;
}

// Added to the noise and data seeds; scripts may vary it.
unsigned seed_offset() {
    const char* env = std::getenv("IPGEN_VITERBI_SEED");
    return env != nullptr ? static_cast<unsigned>(std::strtoul(env, nullptr, 10)) : 0U;
}

struct Count {
    long ours = 0, libfec = 0;
};

// Decodes the same blocks with our model at `ebn0` and libfec at ebn0 - 0.2.
Count count_errors(const Code& code, double ebn0) {
    CoreConfig cfg;
    cfg.k = code.k;
    cfg.n = code.n;
    cfg.gp = code.gp;
    cfg.tb = code.tb;
    cfg.punctured = *code.pp0 != '\0';
    cfg.pp0 = code.pp0;
    cfg.pp1 = code.pp1;
    cfg.bits_per_clock = code.bits_per_clock;
    cfg.stream = code.stream;
    cfg.best = code.stream;
    // a stream: one block without tail; its last bits are left out (libfec
    // ends in state 0, the core keeps its last chunks)
    const int block = code.stream ? static_cast<int>(bits_per_point()) : 2000;
    const long blocks = bits_per_point() / block;
    const int counted = code.stream ? block - 4 * cfg.tb : block;
    Channel ours(cfg, ebn0, code_rate(cfg), 1234 + seed_offset());
    Channel theirs(cfg, ebn0 - 0.2, code_rate(cfg), 1234 + seed_offset());
    std::mt19937 rng(99 + seed_offset());
    Count count;
    for (long b = 0; b < blocks; ++b) {
        std::vector<int> bits(block + cfg.k - 1, 0);
        for (int i = 0; i < (code.stream ? block + cfg.k - 1 : block); ++i) {
            bits[static_cast<std::size_t>(i)] = static_cast<int>(rng() & 1);
        }
        std::vector<Symbol> steps;
        std::vector<unsigned char> fec_syms;
        std::size_t j = 0;
        for (const int c : encode(cfg, bits)) {
            const int phase = static_cast<int>(j / static_cast<std::size_t>(cfg.n) %
                                               std::max<std::size_t>(1, cfg.pp0.size()));
            const int i = static_cast<int>(j++ % static_cast<std::size_t>(cfg.n));
            Symbol mine = ours.send(c);
            const Symbol theirs_sym = theirs.send(c);
            // punctured or erased: no information, libfec's middle value
            const bool erased = !cfg.sent(phase, i) || (code.erasures && (rng() & 15) == 0);
            mine.erased = erased;
            steps.push_back(mine);
            fec_syms.push_back(
                erased ? 128 : static_cast<unsigned char>(theirs_sym.conf * 255 / cfg.top()));
        }
        const Decoded decoded = code.stream ? decode_stream(cfg, steps) : decode_block(cfg, steps);
        const auto reference = libfec_decode(cfg.k, cfg.n, cfg.gp, fec_syms, block);
        if (!reference) {
            return Count{-1, -1};
        }
        for (int i = 0; i < counted; ++i) {
            const auto idx = static_cast<std::size_t>(i);
            count.ours += decoded.bits[idx] != bits[idx] ? 1 : 0;
            count.libfec += (*reference)[idx] != bits[idx] ? 1 : 0;
        }
    }
    return count;
}

class ViterbiBer : public ::testing::TestWithParam<Code> {};

TEST_P(ViterbiBer, WithinPointTwoDecibelsOfLibfec) {
    const Code& code = GetParam();
    for (const double ebn0 : code.points) {
        const Count count = count_errors(code, ebn0);
        if (count.ours < 0) {
            GTEST_SKIP() << "libfec is not available";
        }
        std::printf("%s Eb/N0 %.1f dB: %ld bit errors (libfec at %.1f dB: %ld) in %ld bits\n",
                    code.name, ebn0, count.ours, ebn0 - 0.2, count.libfec, bits_per_point());
        // Poisson slack: three standard deviations of libfec's count, plus 3.
        const double slack = 3.0 * std::sqrt(static_cast<double>(count.libfec)) + 3.0;
        EXPECT_LE(static_cast<double>(count.ours), static_cast<double>(count.libfec) + slack)
            << code.name << " at " << ebn0 << " dB";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ViterbiBer,
    ::testing::Values(
        Code{"k7_rate12", 7, 2, {0171, 0133}, 64}, Code{"k9_rate12", 9, 2, {0753, 0561}, 96},
        Code{"k9_rate13", 9, 3, {0557, 0663, 0711}, 96},
        // punctured at ipgen's default traceback
        Code{"k7_rate23", 7, 2, {0171, 0133}, 96, "11", "10", false, {4.0, 5.0}},
        Code{"k7_rate34", 7, 2, {0171, 0133}, 128, "110", "101", false, {4.0, 5.0}},
        Code{"k7_rate78", 7, 2, {0171, 0133}, 256, "1000101", "1111010", false, {5.0, 6.0}},
        Code{"k7_erasures", 7, 2, {0171, 0133}, 64, "", "", true, {4.0}},
        Code{"k7_stream_best", 7, 2, {0171, 0133}, 64, "", "", false, {3.0, 4.0}, true},
        Code{"k7_stream_best_rate34",
             7,
             2,
             {0171, 0133},
             128,
             "110",
             "101",
             false,
             {4.0, 5.0},
             true},
        Code{"k7_rate12_2bits_tb42",
             7,
             2,
             {0171, 0133},
             42,
             "",
             "",
             false,
             {3.0, 4.0, 5.0},
             false,
             2}),
    [](const ::testing::TestParamInfo<Code>& info) { return std::string(info.param.name); });

} // namespace
} // namespace ipgen::viterbi
