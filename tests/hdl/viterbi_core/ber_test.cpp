// Bit-error rate of our decoder model (bit-exact with the core, see
// core_bench_test.cpp) against libfec's Viterbi decoders on the same
// quantised symbols: at every Eb/N0 ours makes no more errors than libfec
// 0.2 dB worse off (same noise sequence, scaled), within counting noise.
#include "cores/viterbi/viterbi_model.hpp"
#include "fec_viterbi.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace ipgen::viterbi {
namespace {

struct Code {
    const char* name;
    int k, n;
    std::array<int, 3> gp;
    int tb;
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
    const int block = 2000;
    const long blocks = bits_per_point() / block;
    Channel ours(cfg, ebn0, 1.0 / cfg.n, 1234 + seed_offset());
    Channel theirs(cfg, ebn0 - 0.2, 1.0 / cfg.n, 1234 + seed_offset());
    std::mt19937 rng(99 + seed_offset());
    Count count;
    for (long b = 0; b < blocks; ++b) {
        std::vector<int> bits(block + cfg.k - 1, 0);
        for (int i = 0; i < block; ++i) {
            bits[static_cast<std::size_t>(i)] = static_cast<int>(rng() & 1);
        }
        std::vector<Symbol> steps;
        std::vector<unsigned char> fec_syms;
        for (const int c : encode(cfg, bits)) {
            steps.push_back(ours.send(c));
            fec_syms.push_back(static_cast<unsigned char>(theirs.send(c).conf * 255 / cfg.top()));
        }
        const Decoded decoded = decode_block(cfg, steps);
        const auto reference = libfec_decode(cfg.k, cfg.n, cfg.gp, fec_syms, block);
        if (!reference) {
            return Count{-1, -1};
        }
        for (int i = 0; i < block; ++i) {
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
    for (const double ebn0 : {3.0, 4.0, 5.0}) {
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

INSTANTIATE_TEST_SUITE_P(Codes, ViterbiBer,
                         ::testing::Values(Code{"k7_rate12", 7, 2, {0171, 0133}, 64},
                                           Code{"k9_rate12", 9, 2, {0753, 0561}, 96},
                                           Code{"k9_rate13", 9, 3, {0557, 0663, 0711}, 96}),
                         [](const ::testing::TestParamInfo<Code>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace ipgen::viterbi
