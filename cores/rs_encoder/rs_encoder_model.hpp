// Our model of the Reed-Solomon encoder core, the source of its testbench
// vectors: a systematic encoder over the field tables (the k data symbols,
// then the remainder of data(x) * x^r divided by the generator polynomial),
// and for CCSDS the dual-basis representation of the symbols at the ports.
#pragma once

#include "generators/rs_common/galois_field.hpp"

#include <vector>

namespace ipgen::front {

class RsEncoderModel {
  public:
    // The generator polynomial has the r = n - k roots
    // alpha^((first_root + i) * rootspace), i = 0 .. r-1.
    RsEncoderModel(const rs::GaloisField& field, int first_root, int rootspace, int n, int k,
                   bool ccsds);

    // k data symbols in, the n symbols of the codeword out, first symbol
    // first (the highest power of x). With CCSDS both are in the dual basis.
    std::vector<int> encode(const std::vector<int>& data) const;

  private:
    int multiply(int a, int b) const;

    rs::GaloisField field_;
    int n_;
    int k_;
    bool ccsds_;
    std::vector<int> gen_; // g_0 .. g_r, g_r = 1
    // With CCSDS: port symbol <-> field element, by table.
    std::vector<int> to_dual_;
    std::vector<int> from_dual_;
};

// The CCSDS symbol representation over GF(2^8) with field polynomial
// x^8 + x^7 + x^2 + x + 1 (391): the coordinates of x in the dual basis of
// {1, alpha^117, alpha^(2*117), ..., alpha^(7*117)}, that is coordinate j =
// trace(x * alpha^(117 j)), sent as bit 7 - j (coordinate 0 is the most
// significant bit).
int to_dual_basis(const rs::GaloisField& field, int x);
int from_dual_basis(const rs::GaloisField& field, int z);

} // namespace ipgen::front
