// Our software model of the Viterbi decoder core, step for step what the
// hardware computes: the same symbol quantisation, branch and path metrics,
// the same chunked traceback from state 0, the same block handling. The
// testbench vectors ipgen writes come from it; the core's bench holds it
// against libfec.
#pragma once

#include "cores/common/vector_random.hpp"

#include <array>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace ipgen::viterbi {

// One configuration, as the user writes it into viterbi_params.v.
struct CoreConfig {
    int k = 7;                         // constraint length
    int n = 2;                         // generator polynomials (rate 1/n)
    std::array<int, 3> gp{0171, 0133}; // polynomials, octal digits
    bool soft = true;
    int soft_width = 3;
    bool sdd_unsigned = false;
    bool punctured = false;
    std::string pp0, pp1; // puncture patterns, '1' = sent, leftmost first
    int tb = 64;
    int bits_per_clock = 1; // 2: two steps per clock (radix 4)
    bool hybrid = false;
    int hybrid_index = 0;
    bool ber = false;
    int ber_period = 0;
    int device = 2;
    int invert = 0;        // bit i: the transmitter inverts polynomial i's symbol
    bool erasures = false; // s_axis_tuser carries an erasure flag per symbol
    // Puncture pattern pairs a block may choose (s_axis_tuser on its first
    // beat); empty: the one pair pp0, pp1 (or none). With sets, pp0 and pp1
    // are the pair of the block at hand (with_set).
    std::vector<std::pair<std::string, std::string>> sets;
    bool stream = false; // continuous stream: tlast marks frames, no flush
    bool best = false;   // chunk tracebacks start from the best state

    int din_width() const { return soft ? soft_width : 1; }
    // Steps per traceback chunk: 2 * ceil(TB / 2); two steps per clock take
    // words of four steps, 4 * ceil(TB / 4).
    int chunk() const { return bits_per_clock == 2 ? 4 * ((tb + 3) / 4) : 2 * ((tb + 1) / 2); }
    int top() const { return (1 << din_width()) - 1; } // a sure 1
    // Is code symbol i of the step at puncture phase ph transmitted?
    bool sent(int phase, int i) const;
    // The configuration of a block that chose puncture set `set`.
    CoreConfig with_set(int set) const;
    // Bits of the set index in s_axis_tuser (0: no choice).
    int set_bits() const;
};

// Convolutional encoding: n code bits per input bit, polynomial order.
std::vector<int> encode(const CoreConfig& cfg, const std::vector<int>& bits);
// The transmitted code bits: the inverted outputs (cfg.invert) flipped.
std::vector<int> transmit(const CoreConfig& cfg, std::vector<int> code);

// A code symbol as the core receives it: unsigned confidence of a 1
// (0 .. top), or erased (punctured).
struct Symbol {
    int conf = 0;
    bool erased = false;
};

// BPSK over white Gaussian noise (a 1 sent as +1), quantised to the core's
// symbols: the confidence is round((y + 1) / 2 * top) within 0 .. top, hard
// decision y > 0. The noise comes from one seeded sequence of unit normals,
// so two channels with the same seed differ only in its scale.
class Channel {
  public:
    // `rate`: information bits per transmitted code symbol.
    Channel(const CoreConfig& cfg, double ebn0_db, double rate, unsigned seed);
    Symbol send(int bit);

  private:
    int top_;
    bool soft_;
    double sigma_;
    std::mt19937 rng_;
    front::StandardNormal normal_;
};

// The code rate of a configuration, puncturing included.
double code_rate(const CoreConfig& cfg);

// The transmitted symbols of one terminated block: `steps` code symbol
// groups of n, punctured by the patterns from phase 0.
std::vector<Symbol> puncture(const CoreConfig& cfg, const std::vector<Symbol>& steps);
// The trellis steps the core rebuilds from the transmitted symbols.
std::vector<Symbol> depuncture(const CoreConfig& cfg, const std::vector<Symbol>& sent, int steps);

// The core's input word of a transmitted symbol (signed symbols have their
// sign bit inverted).
int input_code(const CoreConfig& cfg, int conf);
// What the core makes of received symbol `s` of polynomial `i`: the
// confidence of an inverted output is turned round (top - conf).
Symbol received(const CoreConfig& cfg, int i, Symbol s);

struct Decoded {
    std::vector<int> bits;   // one per step, the tail included
    std::vector<int> errors; // per bit: received hard symbols that differ
                             // from the re-encoded path
};

// Decodes one terminated block of trellis steps (n symbols each).
Decoded decode_block(const CoreConfig& cfg, const std::vector<Symbol>& steps);
// Decodes the steps of a continuous stream from its start (after reset):
// the bits the core has delivered once all of them are in, those of every
// chunk followed by a complete one (the last one or two chunks stay).
Decoded decode_stream(const CoreConfig& cfg, const std::vector<Symbol>& steps);

// The BER monitor's window counts over the delivered bits of all blocks.
std::vector<int> ber_windows(const CoreConfig& cfg, const std::vector<int>& errors);

} // namespace ipgen::viterbi
