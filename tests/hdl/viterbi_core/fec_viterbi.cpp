#include "fec_viterbi.hpp"

#if IPGEN_HAVE_LIBFEC
extern "C" {
#include <fec.h>
}
#endif

namespace ipgen::viterbi {

std::optional<std::vector<int>> libfec_decode(int k, int n, const std::array<int, 3>& gp,
                                              const std::vector<unsigned char>& symbols,
                                              int data_bits) {
#if IPGEN_HAVE_LIBFEC
    std::vector<unsigned char> packed(static_cast<std::size_t>(data_bits + 7) / 8);
    std::vector<unsigned char> syms = symbols; // libfec takes them non-const
    const int steps = data_bits + k - 1;
    // libfec's polynomials are ours mirrored: its bit 0 taps the newest bit.
    int polys[3] = {0, 0, 0};
    for (int i = 0; i < n; ++i) {
        for (int b = 0; b < k; ++b) {
            polys[i] |= ((gp[static_cast<std::size_t>(i)] >> b) & 1) << (k - 1 - b);
        }
    }
    if (k == 7 && n == 2) {
        set_viterbi27_polynomial(polys);
        void* vp = create_viterbi27(data_bits);
        init_viterbi27(vp, 0);
        update_viterbi27_blk(vp, syms.data(), steps);
        chainback_viterbi27(vp, packed.data(), static_cast<unsigned>(data_bits), 0);
        delete_viterbi27(vp);
    } else if (k == 9 && n == 2) {
        set_viterbi29_polynomial(polys);
        void* vp = create_viterbi29(data_bits);
        init_viterbi29(vp, 0);
        update_viterbi29_blk(vp, syms.data(), steps);
        chainback_viterbi29(vp, packed.data(), static_cast<unsigned>(data_bits), 0);
        delete_viterbi29(vp);
    } else if (k == 9 && n == 3) {
        set_viterbi39_polynomial(polys);
        void* vp = create_viterbi39(data_bits);
        init_viterbi39(vp, 0);
        update_viterbi39_blk(vp, syms.data(), steps);
        chainback_viterbi39(vp, packed.data(), static_cast<unsigned>(data_bits), 0);
        delete_viterbi39(vp);
    } else {
        return std::nullopt;
    }
    std::vector<int> bits(static_cast<std::size_t>(data_bits));
    for (std::size_t i = 0; i < bits.size(); ++i) {
        bits[i] = (packed[i / 8] >> (7 - i % 8)) & 1;
    }
    return bits;
#else
    (void)k;
    (void)n;
    (void)gp;
    (void)symbols;
    (void)data_bits;
    return std::nullopt;
#endif
}

std::optional<std::vector<int>> libfec_decode27(const std::array<int, 2>& polys,
                                                const std::vector<unsigned char>& symbols,
                                                int data_bits) {
#if IPGEN_HAVE_LIBFEC
    std::vector<unsigned char> packed(static_cast<std::size_t>(data_bits + 7) / 8);
    std::vector<unsigned char> syms = symbols;
    int p[2] = {polys[0], polys[1]};
    set_viterbi27_polynomial(p);
    void* vp = create_viterbi27(data_bits);
    init_viterbi27(vp, 0);
    update_viterbi27_blk(vp, syms.data(), data_bits + 6);
    chainback_viterbi27(vp, packed.data(), static_cast<unsigned>(data_bits), 0);
    delete_viterbi27(vp);
    std::vector<int> bits(static_cast<std::size_t>(data_bits));
    for (std::size_t i = 0; i < bits.size(); ++i) {
        bits[i] = (packed[i / 8] >> (7 - i % 8)) & 1;
    }
    return bits;
#else
    (void)polys;
    (void)symbols;
    (void)data_bits;
    return std::nullopt;
#endif
}

} // namespace ipgen::viterbi
