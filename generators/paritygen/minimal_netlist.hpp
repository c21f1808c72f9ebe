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

} // namespace ipgen::rsenc
