// Our model of the Reed-Solomon decoder core, the source of its testbench
// vectors: errors-and-erasures decoding (Berlekamp-Massey started from the
// erasure locator, Chien search over the n transmitted positions, Forney)
// with the core's outcome rules: a locator whose roots in the word do not
// match its degree, a locator longer than the core holds, more erasure
// flags than it takes, or a correction that leaves non-zero syndromes is a
// failure, and the received word then passes unchanged.
#pragma once

#include "generators/rs_common/galois_field.hpp"

#include <vector>

namespace ipgen::front {

class RsDecoderModel {
  public:
    // The code's roots are beta^(first_root + s), beta = alpha^rootspace,
    // s = 0 .. n-k-1; max_erasures 0: erasure flags are ignored.
    RsDecoderModel(const rs::GaloisField& field, int first_root, int rootspace, int n, int k,
                   int max_erasures, bool ccsds);

    struct Result {
        std::vector<int> word; // the n output symbols
        int changed = 0;       // symbols the correction changed
        bool failed = false;
    };

    // word[p] is the p-th symbol clocked in (the coefficient of x^(n-1-p));
    // erasures are positions p. With CCSDS the symbols are in the dual basis.
    Result decode(const std::vector<int>& word, const std::vector<int>& erasures) const;

  private:
    int mul(int a, int b) const;
    int inv(int a) const;
    int beta_pow(long long e) const;
    std::vector<int> syndromes(const std::vector<int>& word) const;

    rs::GaloisField field_;
    int first_root_;
    int rootspace_;
    int n_;
    int r_;
    int max_erasures_;
    bool ccsds_;
    std::vector<int> to_dual_;
    std::vector<int> from_dual_;
};

} // namespace ipgen::front
