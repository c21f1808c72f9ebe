#include "fec_codec.hpp"

#include <algorithm>
#include <stdexcept>

#if IPGEN_HAVE_LIBFEC
extern "C" {
#include <fec.h>
}
#endif

namespace ipgen::hdl {

#if IPGEN_HAVE_LIBFEC

bool fec_available() {
    return true;
}

FecCodec::FecCodec(int m, int field_poly, int first_root, int rootspace, int nroots, int pad)
    : rs_(init_rs_int(m, field_poly, first_root, rootspace, nroots, pad)), nroots_(nroots) {}

FecCodec::~FecCodec() {
    if (rs_ != nullptr) {
        free_rs_int(rs_);
    }
}

std::vector<int> FecCodec::parity(const std::vector<int>& data) const {
    std::vector<unsigned int> in(data.begin(), data.end());
    std::vector<unsigned int> out(static_cast<std::size_t>(nroots_));
    encode_rs_int(rs_, in.data(), out.data());
    return {out.begin(), out.end()};
}

FecCodec::Decoded FecCodec::decode(const std::vector<int>& word,
                                   const std::vector<int>& erasures) const {
    std::vector<unsigned int> data(word.begin(), word.end());
    std::vector<int> positions(static_cast<std::size_t>(nroots_) + 1, 0);
    std::copy(erasures.begin(), erasures.end(), positions.begin());
    Decoded decoded;
    decoded.count =
        decode_rs_int(rs_, data.data(), positions.data(), static_cast<int>(erasures.size()));
    decoded.word.assign(data.begin(), data.end());
    if (decoded.count > 0) {
        decoded.positions.assign(positions.begin(), positions.begin() + decoded.count);
        std::sort(decoded.positions.begin(), decoded.positions.end());
    }
    return decoded;
}

#else

bool fec_available() {
    return false;
}
FecCodec::FecCodec(int, int, int, int, int, int) {}
FecCodec::~FecCodec() = default;
std::vector<int> FecCodec::parity(const std::vector<int>&) const {
    throw std::logic_error("built without libfec");
}
FecCodec::Decoded FecCodec::decode(const std::vector<int>&, const std::vector<int>&) const {
    throw std::logic_error("built without libfec");
}

#endif

std::vector<int> FecCodec::encode(const std::vector<int>& data) const {
    std::vector<int> word = data;
    const std::vector<int> check = parity(data);
    word.insert(word.end(), check.begin(), check.end());
    return word;
}

} // namespace ipgen::hdl
