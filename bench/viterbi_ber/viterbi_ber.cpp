// viterbi_ber DIR EBN0 BITS [SEED]
//
// One point of the bit-error-rate curve of the Viterbi decoder K = 7,
// polynomials 171 and 133, 3-bit signed soft decision, traceback 64 (the
// folder `ipgen viterbi` writes without options). Random bits in blocks of
// 1000 plus the 6 tail bits go through BPSK over white Gaussian noise at
// EBN0 dB, quantised to 3 bits. Writes DIR/tb_in.hex, DIR/tb_out.hex (the
// bits our model of the core decodes) and DIR/tb_config.vh, so that the
// folder's `make sim` checks the RTL against them; decodes the same symbols
// with libfec's K = 7 rate 1/2 decoder; and prints one line
//   EBN0 BITS CORE_ERRORS LIBFEC_ERRORS
// counted over the data bits (tails left out). When the simulation prints
// PASS, the RTL decoded exactly the bits counted as CORE_ERRORS. DIR "-"
// writes no files (the software points only).
#include "cores/viterbi/viterbi_model.hpp"
#include "fec_viterbi.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace ipgen::viterbi;

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: viterbi_ber DIR EBN0 BITS [SEED]\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    const double ebn0 = std::atof(argv[2]);
    const long bits_wanted = std::atol(argv[3]);
    const unsigned seed = argc > 4 ? static_cast<unsigned>(std::atol(argv[4])) : 1;
    const CoreConfig cfg; // K = 7, (171, 133), 3-bit signed, traceback 64
    const int block = 1000;
    const long blocks = std::max(1L, bits_wanted / block);

    const bool vectors = dir != "-";
    std::ofstream in, out;
    if (vectors) {
        in.open(dir + "/tb_in.hex");
        out.open(dir + "/tb_out.hex");
    }
    Channel channel(cfg, ebn0, 1.0 / cfg.n, seed);
    std::mt19937 rng(seed + 1);
    long core_errors = 0, fec_errors = 0, in_beats = 0, out_beats = 0;
    for (long b = 0; b < blocks; ++b) {
        std::vector<int> bits(block + cfg.k - 1, 0);
        for (int i = 0; i < block; ++i) {
            bits[static_cast<size_t>(i)] = static_cast<int>(rng() & 1);
        }
        std::vector<Symbol> steps;
        std::vector<unsigned char> fec_symbols;
        for (const int c : encode(cfg, bits)) {
            steps.push_back(channel.send(c));
            fec_symbols.push_back(static_cast<unsigned char>(steps.back().conf * 255 / cfg.top()));
        }
        const Decoded decoded = decode_block(cfg, steps);
        const auto reference = libfec_decode(cfg.k, cfg.n, cfg.gp, fec_symbols, block);
        if (!reference) {
            std::fputs("viterbi_ber: libfec has no K = 7 rate 1/2 decoder here\n", stderr);
            return 1;
        }
        for (int i = 0; i < block; ++i) {
            const auto idx = static_cast<size_t>(i);
            core_errors += decoded.bits[idx] != bits[idx] ? 1 : 0;
            fec_errors += (*reference)[idx] != bits[idx] ? 1 : 0;
        }
        if (!vectors) {
            continue;
        }
        // one beat per step: {tlast, 2 symbols of 3 bits in a byte}
        for (size_t t = 0; t < bits.size(); ++t) {
            const int data = input_code(cfg, steps[2 * t].conf) |
                             (input_code(cfg, steps[2 * t + 1].conf) << 3) |
                             (t + 1 == bits.size() ? 0x100 : 0);
            char line[8];
            std::snprintf(line, sizeof line, "%03x\n", data);
            in << line;
            out << ((t + 1 == bits.size() ? 2 : 0) | decoded.bits[t]) << "\n";
            ++in_beats;
            ++out_beats;
        }
    }
    if (vectors) {
        std::ofstream config(dir + "/tb_config.vh");
        config << "// The testbench's run: its seed and the lines of tb_in.hex and tb_out.hex.\n"
               << "`define TB_SEED " << seed << "\n`define TB_IN_BEATS " << in_beats
               << "\n`define TB_OUT_BEATS " << out_beats << "\n";
        if (!in || !out || !config) {
            std::fprintf(stderr, "viterbi_ber: cannot write the vectors into %s\n", dir.c_str());
            return 1;
        }
    }
    std::printf("%.2f %ld %ld %ld\n", ebn0, blocks * block, core_errors, fec_errors);
    return 0;
}
