// viterbi_ber [OPTIONS] DIR EBN0 BITS [SEED]
//
// One point of the bit-error-rate curve of the Viterbi decoder K = 7,
// 3-bit signed soft decision, against libfec's K = 7 decoder on the same
// channel. Without options the code is the folder `ipgen viterbi` writes
// without options (171 and 133, traceback 64, terminated blocks); the
// options pick the mode:
//   --standard 802.11|dvb-s|ccsds   the preset's code: its polynomials in
//                      output order and (ccsds) its inverted 133 output
//   --rate PP0,PP1     punctured by this pattern pair (leftmost character
//                      the first step, PP0 for the first polynomial)
//   --tb N             the traceback (default: ipgen's default for the
//                      rate, 32 / (1 - R) rounded up to a multiple of 8,
//                      at least 64)
//   --stream best|zero one continuous stream per 100,000 bits, its
//                      tracebacks from the best state or from state 0
//   --erasures P       each transmitted symbol flagged erased with
//                      probability P percent (the core adds nothing for it,
//                      libfec gets its neutral soft value 128)
//   --bits-per-clock 2 the two-steps-per-clock core (radix 4): its chunk
//   --offset DB        libfec at EBN0 - DB (default 0), the same noise
//                      sequence scaled
// Random bits go through the encoder (blocks of 1000 data bits plus the 6
// tail bits; a stream runs on without tail), BPSK over white Gaussian noise
// at EBN0 dB (Eb per information bit, puncturing counted), quantised to 3
// bits. Our model of the core decodes them; libfec decodes the same symbols
// (punctured and erased ones as 128) with its own polynomials for the
// standard (fec.h: V27POLYA 0x6d is our 133, V27POLYB 0x4f our 171, a
// negative one inverted). libfec decodes a stream as one terminated block
// (its encoder is flushed with 6 zeros after the stream: a decoder with an
// unlimited traceback), counted over the bits the core delivers of the
// stream, every chunk followed by a complete one. Prints one line
//   EBN0 BITS CORE_ERRORS LIBFEC_ERRORS LIBFEC_EBN0 TB
// counted over the data bits (tails left out).
//
// DIR other than "-" (terminated, unpunctured, no erasures or inverted
// output only) also
// writes DIR/tb_in.hex, DIR/tb_out.hex (the bits our model decodes) and
// DIR/tb_config.vh, so that the folder's `make sim` checks the RTL against
// them: PASS means the RTL decoded exactly the bits counted as
// CORE_ERRORS. With --bits-per-clock 2 the beats carry two steps.
#include "cores/viterbi/viterbi_model.hpp"
#include "fec_viterbi.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace ipgen::viterbi;

namespace {

constexpr int kPolyA = 0x6d; // libfec's V27POLYA: our 133
constexpr int kPolyB = 0x4f; // libfec's V27POLYB: our 171

struct Mode {
    CoreConfig cfg;
    std::array<int, 2> libfec_polys{kPolyB, kPolyA};
    double erasures = 0; // probability of an erased symbol
    double offset = 0;   // dB libfec is worse off
};

int usage(const char* why) {
    std::fprintf(stderr,
                 "viterbi_ber: %s\nusage: viterbi_ber [--standard 802.11|dvb-s|ccsds] "
                 "[--rate PP0,PP1] [--tb N] [--stream best|zero] [--erasures PERCENT] "
                 "[--bits-per-clock 2] [--offset DB] DIR EBN0 BITS [SEED]\n",
                 why);
    return 2;
}

bool is_pattern(const std::string& p) {
    return !p.empty() && p.size() <= 14 && p.find_first_not_of("01") == std::string::npos;
}

// ipgen's default traceback for a rate: 64, or 32 / (1 - R) up to 8s.
int default_tb(const CoreConfig& cfg) {
    const double rate = code_rate(cfg);
    if (rate <= 0.5) {
        return 64;
    }
    const int steps = static_cast<int>(std::ceil(32.0 / (1.0 - rate) - 1e-9));
    return std::max(64, (steps + 7) / 8 * 8);
}

// A line of hex digits, `bits` wide.
std::string hex_line(unsigned long value, int bits) {
    char line[24];
    std::snprintf(line, sizeof line, "%0*lx\n", (bits + 3) / 4, value);
    return line;
}

} // namespace

int main(int argc, char** argv) {
    Mode mode;
    CoreConfig& cfg = mode.cfg; // K = 7, (171, 133), 3-bit signed
    int tb = 0;
    std::vector<std::string> args;
    for (int a = 1; a < argc; ++a) {
        const std::string arg = argv[a];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            args.push_back(arg);
            continue;
        }
        if (a + 1 >= argc) {
            return usage("an option without its value");
        }
        const std::string value = argv[++a];
        if (arg == "--standard") {
            if (value == "802.11") {
                cfg.gp = {0133, 0171};
                mode.libfec_polys = {kPolyA, kPolyB};
            } else if (value == "dvb-s") {
                cfg.gp = {0171, 0133};
            } else if (value == "ccsds") {
                cfg.gp = {0171, 0133};
                cfg.invert = 2; // the 133 output
                mode.libfec_polys = {kPolyB, -kPolyA};
            } else {
                return usage("unknown standard");
            }
        } else if (arg == "--rate") {
            const std::size_t comma = value.find(',');
            cfg.pp0 = value.substr(0, comma);
            cfg.pp1 = comma == std::string::npos ? "" : value.substr(comma + 1);
            if (!is_pattern(cfg.pp0) || cfg.pp0.size() != cfg.pp1.size()) {
                return usage("--rate takes two patterns of one length");
            }
            cfg.punctured = cfg.pp0 != "1" || cfg.pp1 != "1";
        } else if (arg == "--tb") {
            tb = std::atoi(value.c_str());
        } else if (arg == "--stream") {
            if (value != "best" && value != "zero") {
                return usage("--stream takes best or zero");
            }
            cfg.stream = true;
            cfg.best = value == "best";
        } else if (arg == "--erasures") {
            mode.erasures = std::atof(value.c_str()) / 100.0;
            cfg.erasures = mode.erasures > 0;
        } else if (arg == "--bits-per-clock") {
            cfg.bits_per_clock = std::atoi(value.c_str());
            if (cfg.bits_per_clock != 1 && cfg.bits_per_clock != 2) {
                return usage("--bits-per-clock takes 1 or 2");
            }
        } else if (arg == "--offset") {
            mode.offset = std::atof(value.c_str());
        } else {
            return usage("unknown option");
        }
    }
    if (args.size() < 3 || args.size() > 4) {
        return usage("DIR, EBN0 and BITS needed");
    }
    const std::string dir = args[0];
    const double ebn0 = std::atof(args[1].c_str());
    const long bits_wanted = std::atol(args[2].c_str());
    const unsigned seed = args.size() > 3 ? static_cast<unsigned>(std::atol(args[3].c_str())) : 1;
    cfg.tb = tb > 0 ? tb : default_tb(cfg);
    const bool vectors = dir != "-";
    if (vectors && (cfg.punctured || cfg.stream || cfg.erasures || cfg.invert != 0)) {
        return usage("vectors for the RTL are written for terminated unpunctured blocks only");
    }

    // a block of 1000 data bits and its tail; a stream of 100,000
    const int block = cfg.stream ? 100000 : 1000;
    const long blocks = std::max(1L, bits_wanted / block);
    const bool two = cfg.bits_per_clock == 2;
    std::ofstream in, out;
    if (vectors) {
        in.open(dir + "/tb_in.hex");
        out.open(dir + "/tb_out.hex");
    }
    const double rate = code_rate(cfg);
    Channel ours(cfg, ebn0, rate, seed);
    Channel theirs(cfg, ebn0 - mode.offset, rate, seed);
    std::mt19937 rng(seed + 1);
    std::bernoulli_distribution erase(mode.erasures);
    const std::size_t period = cfg.punctured ? cfg.pp0.size() : 1;
    long counted = 0, core_errors = 0, fec_errors = 0, in_beats = 0, out_beats = 0;
    for (long b = 0; b < blocks; ++b) {
        // a block ends with K-1 zero tail bits; so does a stream, for
        // libfec only (the core's last chunks are not counted)
        std::vector<int> bits(static_cast<std::size_t>(block + cfg.k - 1), 0);
        for (int i = 0; i < block; ++i) {
            bits[static_cast<std::size_t>(i)] = static_cast<int>(rng() & 1);
        }
        std::vector<Symbol> steps;
        std::vector<unsigned char> fec_symbols;
        std::size_t j = 0;
        for (const int c : transmit(cfg, encode(cfg, bits))) {
            const auto i = static_cast<int>(j % static_cast<std::size_t>(cfg.n));
            const auto phase = static_cast<int>(j / static_cast<std::size_t>(cfg.n) % period);
            ++j;
            Symbol mine = ours.send(c);
            const Symbol fec = theirs.send(c);
            // punctured or erased: no information, libfec's middle value
            const bool erased = !cfg.sent(phase, i) || (mode.erasures > 0 && erase(rng));
            mine.erased = erased;
            steps.push_back(received(cfg, i, mine));
            fec_symbols.push_back(erased ? 128
                                         : static_cast<unsigned char>(fec.conf * 255 / cfg.top()));
        }
        const Decoded decoded = cfg.stream ? decode_stream(cfg, steps) : decode_block(cfg, steps);
        const auto reference = libfec_decode27(mode.libfec_polys, fec_symbols, block);
        if (!reference) {
            std::fputs("viterbi_ber: libfec has no K = 7 rate 1/2 decoder here\n", stderr);
            return 1;
        }
        const int count = std::min(block, static_cast<int>(decoded.bits.size()));
        for (int i = 0; i < count; ++i) {
            const auto idx = static_cast<std::size_t>(i);
            core_errors += decoded.bits[idx] != bits[idx] ? 1 : 0;
            fec_errors += (*reference)[idx] != bits[idx] ? 1 : 0;
        }
        counted += count;
        if (!vectors) {
            continue;
        }
        // a beat: {tlast, (two steps a beat) tuser, one or two steps of
        // two 3-bit symbols in whole bytes}; two steps a beat, tuser 1
        // marks a beat with the older step only
        const std::size_t per_beat = two ? 2 : 1;
        const int data_bits = two ? 16 : 8;
        const int user_bits = two ? 1 : 0;
        for (std::size_t t = 0; t < bits.size(); t += per_beat) {
            const bool lone = t + per_beat > bits.size();
            const bool last = t + per_beat >= bits.size();
            unsigned long data = 0;
            for (std::size_t s = 0; s < per_beat && t + s < bits.size(); ++s) {
                for (std::size_t i = 0; i < 2; ++i) {
                    data |= static_cast<unsigned long>(input_code(cfg, steps[2 * (t + s) + i].conf))
                            << (3 * (2 * s + i));
                }
            }
            data |= ((static_cast<unsigned long>(last) << user_bits) | (lone ? 1UL : 0UL))
                    << data_bits;
            in << hex_line(data, data_bits + user_bits + 1);
            // {tlast, one bit only, bit 1, bit 0} or {tlast, bit}
            unsigned long bit = static_cast<unsigned long>(decoded.bits[t]);
            if (two) {
                bit |= (lone ? 4UL : static_cast<unsigned long>(decoded.bits[t + 1]) << 1) |
                       (static_cast<unsigned long>(last) << 3);
            } else {
                bit |= static_cast<unsigned long>(last) << 1;
            }
            out << hex_line(bit, two ? 4 : 2);
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
    std::printf("%.2f %ld %ld %ld %.2f %d\n", ebn0, counted, core_errors, fec_errors,
                ebn0 - mode.offset, cfg.tb);
    return 0;
}
