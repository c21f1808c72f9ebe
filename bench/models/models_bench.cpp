// The model library's batch calls against libfec on the same machine, in
// one run: RS(255,239) decoding of random words with up to t errors, and
// K = 7 rate 1/2 Viterbi decoding of 3-bit soft symbols. Prints words and
// bits per second of each and the ratio ipgen / libfec.
// Usage: models_bench [words] [viterbi bits]
#include "ipgen/models.hpp"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" {
#include <fec.h>
}

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void rs_bench(int words) {
    constexpr int n = 255;
    constexpr int k = 239;
    constexpr int t = 8;
    void* rs = init_rs_char(8, 0x11d, 0, 1, n - k, 0);
    std::mt19937 random(1);
    std::vector<int> received(static_cast<std::size_t>(words) * n);
    std::vector<unsigned char> bytes(received.size());
    for (int w = 0; w < words; ++w) {
        unsigned char* word = bytes.data() + static_cast<std::size_t>(w) * n;
        for (int i = 0; i < k; ++i) {
            word[i] = static_cast<unsigned char>(random());
        }
        encode_rs_char(rs, word, word + k);
        const int errors = static_cast<int>(random() % (t + 1));
        for (int e = 0; e < errors; ++e) {
            word[random() % n] ^= static_cast<unsigned char>(1 + random() % 255);
        }
    }
    std::copy(bytes.begin(), bytes.end(), received.begin());

    std::vector<unsigned char> work = bytes;
    auto start = std::chrono::steady_clock::now();
    long fec_failures = 0;
    for (int w = 0; w < words; ++w) {
        fec_failures +=
            decode_rs_char(rs, work.data() + static_cast<std::size_t>(w) * n, nullptr, 0) < 0;
    }
    const double fec_seconds = seconds_since(start);

    const ipgen::models::RsDecoder decoder({{"symbol-width", "8"}, {"n", "255"}, {"k", "239"}});
    start = std::chrono::steady_clock::now();
    const ipgen::models::RsDecoder::Decoded out = decoder.decode(received);
    const double ipgen_seconds = seconds_since(start);
    long same = 0;
    for (std::size_t i = 0; i < work.size(); ++i) {
        same += out.words[i] == work[i];
    }
    std::printf("RS(255,239) decode, %d words, 0..8 errors: libfec %.0f words/s, ipgen %.0f "
                "words/s, ratio %.2f (symbols equal to libfec's: %ld of %zu)\n",
                words, words / fec_seconds, words / ipgen_seconds, fec_seconds / ipgen_seconds,
                same, work.size());
    free_rs_char(rs);
}

void viterbi_bench(int bits_total) {
    constexpr int block = 10000;
    const int blocks = std::max(1, bits_total / block);
    const ipgen::models::Viterbi model(
        {{"constraint-length", "7"}, {"polynomials", "171,133"}, {"soft-width", "3"}});
    std::mt19937 random(2);
    std::normal_distribution<double> noise(0.0, 0.7);
    std::vector<std::vector<int>> symbols;
    std::vector<std::vector<unsigned char>> fec_symbols;
    for (int b = 0; b < blocks; ++b) {
        std::vector<std::uint8_t> bits(block);
        for (auto& bit : bits) {
            bit = static_cast<std::uint8_t>(random() & 1);
        }
        std::vector<double> y;
        for (const std::uint8_t c : model.encode(bits)) {
            y.push_back((c != 0 ? 1.0 : -1.0) + noise(random));
        }
        symbols.push_back(model.quantise(y));
        std::vector<unsigned char> eight;
        for (const int s : symbols.back()) {
            eight.push_back(static_cast<unsigned char>(std::lround((s + 4) * 255.0 / 7)));
        }
        fec_symbols.push_back(std::move(eight));
    }
    // libfec's polynomials are ours mirrored (bit 0 the newest bit)
    int polys[2] = {0x4f, 0x6d};
    set_viterbi27_polynomial(polys);
    std::vector<unsigned char> packed(block / 8 + 1);
    auto start = std::chrono::steady_clock::now();
    for (auto& s : fec_symbols) {
        void* vp = create_viterbi27(block);
        init_viterbi27(vp, 0);
        update_viterbi27_blk(vp, s.data(), block + 6);
        chainback_viterbi27(vp, packed.data(), block, 0);
        delete_viterbi27(vp);
    }
    const double fec_seconds = seconds_since(start);
    start = std::chrono::steady_clock::now();
    std::size_t decoded = 0;
    for (const auto& s : symbols) {
        decoded += model.decode(s).size();
    }
    const double ipgen_seconds = seconds_since(start);
    const double bits = static_cast<double>(blocks) * block;
    std::printf("Viterbi K=7 1/2 3-bit soft, %d blocks of %d bits: libfec %.0f bit/s, ipgen %.0f "
                "bit/s, ratio %.3f (%zu bits delivered)\n",
                blocks, block, bits / fec_seconds, bits / ipgen_seconds,
                fec_seconds / ipgen_seconds, decoded);
}

} // namespace

int main(int argc, char** argv) {
    const int words = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int bits = argc > 2 ? std::atoi(argv[2]) : 1000000;
    rs_bench(words);
    viterbi_bench(bits);
}
