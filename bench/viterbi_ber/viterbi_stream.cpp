// viterbi_stream MODE DIR EBN0 BITS [SEED]
//
// Testbench vectors of one long continuous stream for a folder of the
// Viterbi decoder, with the stream run's checks on (TB_FULL_RATE: a beat
// offered and a bit taken on every clock, no clock without a beat taken):
//   k7     the folder of `ipgen viterbi --stream continuous` (K = 7,
//          171/133, 3-bit signed soft decision, traceback 64, tracebacks
//          from the best state); one beat per step, so also TB_STEADY_OUT
//          (a bit on every clock once they start: a fixed latency).
//   k7x2   the same code and traceback at two steps per clock (`ipgen
//          viterbi --stream continuous --bits-per-clock 2`): a beat of two
//          steps in and a beat of two bits out on every clock (TB_STEADY_OUT).
//   dvb-s  the folder of `ipgen viterbi --standard dvb-s` (its five rates
//          chosen per frame on s_axis_tuser, traceback 256, best state);
//          the frames change the rate: 1/2, 3/4, 7/8, 2/3, 5/6, again.
// Random bits in frames of 1000 (tlast on each frame's last beat) through
// BPSK over white Gaussian noise at EBN0 dB, quantised to 3 bits. Writes
// DIR/tb_in.hex, DIR/tb_out.hex (the bits our model of the core delivers)
// and DIR/tb_config.vh, so that the folder's `make sim` checks the RTL
// against them; prints one line
//   EBN0 BITS ERRORS
// with the model's bit errors over the delivered bits. Beats: {tlast, pair
// index (dvb-s), 8 bits} one step each; {tlast, tuser bit 0 (one step
// only: never in a stream), 16 bits} two steps each (k7x2). Decoded bits:
// {tlast, bit}; {tlast, 0, newer bit, older bit} (k7x2, tlast the newer
// bit's frame mark).
#include "cores/viterbi/viterbi_model.hpp"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace ipgen::viterbi;

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc < 5 || (mode != "k7" && mode != "k7x2" && mode != "dvb-s")) {
        std::fputs("usage: viterbi_stream k7|k7x2|dvb-s DIR EBN0 BITS [SEED]\n", stderr);
        return 2;
    }
    const bool dvb = mode == "dvb-s";
    const bool two = mode == "k7x2"; // two steps a beat
    const std::string dir = argv[2];
    const double ebn0 = std::atof(argv[3]);
    const long bits_wanted = std::atol(argv[4]);
    const unsigned seed = argc > 5 ? static_cast<unsigned>(std::atol(argv[5])) : 1;
    CoreConfig base; // K = 7, (171, 133), 3-bit signed
    base.stream = true;
    base.best = true;
    base.bits_per_clock = two ? 2 : 1;
    const std::vector<int> order = {0, 2, 4, 1, 3};
    if (dvb) {
        base.punctured = true;
        base.sets = {
            {"1", "1"}, {"10", "11"}, {"101", "110"}, {"10101", "11010"}, {"1000101", "1111010"}};
        base.tb = 256;
    }
    const int frame = 1000;
    const long frames = std::max(1L, bits_wanted / frame);

    std::ofstream in(dir + "/tb_in.hex");
    std::ofstream out(dir + "/tb_out.hex");
    std::mt19937 rng(seed + 1);
    std::vector<int> bits;
    std::vector<Symbol> steps; // as the core rebuilds them
    std::vector<bool> marks;
    std::vector<Channel> channels;
    for (int s = 0; s < (dvb ? 5 : 1); ++s) {
        const CoreConfig cfg = base.with_set(s);
        channels.emplace_back(cfg, ebn0, code_rate(cfg), seed + static_cast<unsigned>(s));
    }
    unsigned reg = 0;
    long in_beats = 0;
    for (long f = 0; f < frames; ++f) {
        const int set = dvb ? order[static_cast<std::size_t>(f % 5)] : 0;
        const CoreConfig cfg = base.with_set(set);
        std::vector<Symbol> sent_steps;
        for (int i = 0; i < frame; ++i) {
            const int bit = static_cast<int>(rng() & 1);
            bits.push_back(bit);
            // the encoder runs on across frames
            reg = (reg >> 1) | (static_cast<unsigned>(bit) << (cfg.k - 1));
            for (int p = 0; p < cfg.n; ++p) {
                const int code = std::popcount(reg & static_cast<unsigned>(
                                                         cfg.gp[static_cast<std::size_t>(p)])) &
                                 1;
                sent_steps.push_back(channels[static_cast<std::size_t>(set)].send(code));
            }
        }
        const std::vector<Symbol> sent = puncture(cfg, sent_steps);
        const std::vector<Symbol> rebuilt = depuncture(cfg, sent, frame);
        steps.insert(steps.end(), rebuilt.begin(), rebuilt.end());
        marks.resize(bits.size(), false);
        marks.back() = true;
        const std::size_t per_beat = cfg.punctured ? 1 : two ? 4 : 2;
        for (std::size_t i = 0; i < sent.size(); i += per_beat) {
            unsigned data = 0;
            for (std::size_t j = 0; j < per_beat; ++j) {
                data |= static_cast<unsigned>(input_code(cfg, sent[i + j].conf)) << (3 * j);
            }
            const bool last = i + per_beat == sent.size();
            // {tlast, pair index (dvb-s), 8 bits of data}
            const unsigned user = dvb ? (i == 0 ? static_cast<unsigned>(set) : rng() & 7) : 0;
            char line[8];
            if (two) {
                std::snprintf(line, sizeof line, "%05x\n",
                              (static_cast<unsigned>(last) << 17) | data);
            } else {
                std::snprintf(line, sizeof line, "%03x\n",
                              (static_cast<unsigned>(last) << (dvb ? 11 : 8)) | (user << 8) | data);
            }
            in << line;
            ++in_beats;
        }
    }
    const Decoded decoded = decode_stream(base, steps);
    long errors = 0;
    for (std::size_t t = 0; t < decoded.bits.size(); ++t) {
        if (!two) {
            out << ((marks[t] ? 2 : 0) | decoded.bits[t]) << "\n";
        } else if (t % 2 == 1) {
            out << std::hex << ((marks[t] ? 8 : 0) | decoded.bits[t] << 1 | decoded.bits[t - 1])
                << "\n";
        }
        errors += decoded.bits[t] != bits[t] ? 1 : 0;
    }
    std::ofstream config(dir + "/tb_config.vh");
    config << "// The testbench's run: a long stream at full rate.\n"
           << "`define TB_SEED " << seed << "\n`define TB_IN_BEATS " << in_beats
           << "\n`define TB_OUT_BEATS " << decoded.bits.size() / (two ? 2 : 1)
           << "\n`define TB_FULL_RATE\n"
           << (dvb ? "" : "`define TB_STEADY_OUT\n");
    if (!in || !out || !config) {
        std::fprintf(stderr, "viterbi_stream: cannot write the vectors into %s\n", dir.c_str());
        return 1;
    }
    std::printf("%.2f %zu %ld\n", ebn0, decoded.bits.size(), errors);
    return 0;
}
