// libfec's integer Reed-Solomon codec, the independent reference of the
// hardware checks. Its fcr and prim are our first root and root spacing;
// pad shortens the code (n = 2^m - 1 - pad). Symbols in its arrays run
// from the highest power of x down, the order the decoder clocks them in.
#pragma once

#include <vector>

namespace ipgen::hdl {

// False when the tests were built without libfec.
bool fec_available();

class FecCodec {
  public:
    FecCodec(int m, int field_poly, int first_root, int rootspace, int nroots, int pad);
    ~FecCodec();
    FecCodec(const FecCodec&) = delete;
    FecCodec& operator=(const FecCodec&) = delete;

    bool valid() const { return rs_ != nullptr; }
    // The r parity symbols of k data symbols.
    std::vector<int> parity(const std::vector<int>& data) const;
    // data followed by its parity: a codeword of n symbols.
    std::vector<int> encode(const std::vector<int>& data) const;

    struct Decoded {
        int count = -1;             // corrected symbols, -1 when uncorrectable
        std::vector<int> word;      // the corrected word
        std::vector<int> positions; // the positions libfec located, ascending
    };
    Decoded decode(const std::vector<int>& word, const std::vector<int>& erasures) const;

  private:
    void* rs_ = nullptr;
    int nroots_ = 0;
};

} // namespace ipgen::hdl
