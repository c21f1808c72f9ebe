// The encoder's multiplier bank as one straight-line XOR program. Every
// slice multiplies the same input symbol, so a gate built for one
// coefficient can serve any other: the whole bank is a set of target rows
// (one m-bit input mask per output bit) reached from the m input bits by
// two-input XOR gates, each gate's inputs being input bits or earlier gates.
//
// A target of weight two or more needs a gate of its own, so the number of
// distinct such rows is a lower bound on the gate count. The search below
// reaches it whenever every target can be built from inputs and other
// targets; otherwise it adds the helper term that brings the most targets
// closer (cancellation allowed: a term may be the XOR of two terms sharing
// inputs). Deterministic: the same bank gives the same program.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/rs_common/galois_field.hpp"

#include <cstdint>
#include <vector>

namespace ipgen::rsenc {

struct XorProgram {
    int m = 0;
    // Gate g (signal m + g) is the XOR of signals operands[g].first and
    // .second; signals 0 .. m-1 are the input bits.
    std::vector<std::pair<int, int>> operands;
    // The input mask each signal computes.
    std::vector<std::uint32_t> value;
    // Logic depth of each signal in gates (0 for the inputs).
    std::vector<int> depth;
    int lower_bound = 0; // distinct targets of weight two or more

    int gate_count() const { return static_cast<int>(operands.size()); }
    int max_depth() const;
    // The signal that computes `mask`, or -1 (a mask of weight 0 has none).
    int signal_of(std::uint32_t mask) const;
};

// A program that computes every mask of `targets` (masks of m <= 12 bits).
XorProgram minimal_xor_program(const std::vector<std::uint32_t>& targets, int m);

// The target rows of the bank, in mult_out bit order: entry b is the input
// mask of mult_out[b]. Coefficient i (gen_poly_log[i]) drives bits
// (r-1-i)*m .. (r-1-i)*m + m-1; a zero coefficient drives zeros.
std::vector<std::uint32_t> multiplier_bank_rows(const rs::GaloisField& field,
                                                const std::vector<int>& gen_poly_log);

// multiplier.v in the minimal style, after the copied header: the module
// head of the other styles, a comment line with the gate count, depth and
// lower bound, a wire and an assign per gate ("x_<g>"), then one assign per
// output bit, and the module end.
void write_minimal_multiplier(TextSink& out, const rs::GaloisField& field,
                              const std::vector<int>& gen_poly_log);

// A straight-line XOR program over more inputs than the exact search
// covers (the P-symbol update of the encoder's remainder: hundreds of input
// bits). Each target is a set of input bits (bit i of word i / 64); the
// program computes every target. Built greedily: while two signals occur
// together in two or more open targets, the pair shared by the most targets
// (then the shallowest, then the first) becomes a gate and replaces the pair
// in each of them; what is left of a target is summed as a balanced tree,
// shallowest signals first. The lower bound is the same as above: the
// distinct targets of weight two or more. Deterministic.
struct WideXorProgram {
    int inputs = 0;
    // Gate g (signal inputs + g) is the XOR of signals operands[g].first
    // and .second; signals 0 .. inputs-1 are the input bits.
    std::vector<std::pair<int, int>> operands;
    std::vector<int> depth; // of every signal, 0 for the inputs
    // The signal of each target, -1 for an empty target.
    std::vector<int> output;
    int lower_bound = 0;

    int gate_count() const { return static_cast<int>(operands.size()); }
    int max_depth() const;
};

using BitRow = std::vector<std::uint64_t>;

// `first_pairs` become gates before the search (pairs known to belong
// together).
WideXorProgram wide_xor_program(const std::vector<BitRow>& targets, int inputs,
                                const std::vector<std::pair<int, int>>& first_pairs = {});

// The encoder's remainder after P symbols as a linear map over GF(2): row b
// (bit b of the new remainder, slice j at bits j*m .. j*m+m-1 as in
// rs_enc_remainder) is the set of input bits whose XOR it is: bits
// 0 .. r*m-1 the old remainder, then r*m + i*m + c bit c of symbol i
// (symbol 0 enters first). P chained one-symbol updates.
std::vector<BitRow> remainder_step_rows(const rs::GaloisField& field,
                                        const std::vector<int>& gen_poly_log, int symbols);

// rs_enc_step.v after the copied header: module rs_enc_step with
// rem_in[r*m-1:0], sym_in[P*m-1:0] (symbol i at bits i*m ..), rem_out
// [r*m-1:0]; a comment line with the gate count, the lower bound, the depth
// and the gates of P chained one-symbol updates; a wire and an assign per
// gate, an assign per output bit.
void write_remainder_step(TextSink& out, const rs::GaloisField& field,
                          const std::vector<int>& gen_poly_log, int symbols);

} // namespace ipgen::rsenc
