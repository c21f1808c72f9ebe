// libfec's Viterbi decoders (K = 7 rate 1/2, K = 9 rate 1/2 and 1/3), the
// independent reference for the core's bit-error rate.
#pragma once

#include <array>
#include <optional>
#include <vector>

namespace ipgen::viterbi {

// Decodes one block terminated by K-1 zero bits. `symbols` holds n 8-bit
// soft symbols per bit (0 = a sure 0, 255 = a sure 1), tail included, for
// the polynomials `gp` (octal as written, leading digit on the newest bit)
// in that order; the result is the `data_bits` decoded bits.
// Empty when libfec is missing or has no decoder for (k, n).
std::optional<std::vector<int>> libfec_decode(int k, int n, const std::array<int, 3>& gp,
                                              const std::vector<unsigned char>& symbols,
                                              int data_bits);

// libfec's K = 7 rate 1/2 decoder with polynomials in libfec's own
// convention (fec.h: V27POLYA 0x6d, V27POLYB 0x4f; bit j taps the input j
// steps old, a negative polynomial an inverted output), one terminated
// block as above. Empty when libfec is missing.
std::optional<std::vector<int>> libfec_decode27(const std::array<int, 2>& polys,
                                                const std::vector<unsigned char>& symbols,
                                                int data_bits);

} // namespace ipgen::viterbi
