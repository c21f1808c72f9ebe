#include "fir/firparam/coefficients.hpp"

namespace ipgen::fir::param {

std::uint32_t pow2(std::int64_t n) {
    if (n < 0) {
        return 1;
    }
    return n >= 32 ? 0 : std::uint32_t{1} << n;
}

std::vector<CoefficientCode> coefficient_codes(const DecimalCoefficients& dec, std::int64_t w,
                                               bool unsigned_mode) {
    const std::uint32_t half = pow2(w - 1);
    const std::uint32_t full = pow2(w);
    std::vector<CoefficientCode> codes;
    if (unsigned_mode) {
        for (const std::uint64_t v : dec.unsigned_values) {
            codes.push_back(unsigned_code(v, half));
        }
    } else {
        for (const std::int64_t v : dec.values) {
            codes.push_back(signed_code(v, half, full));
        }
    }
    return codes;
}

DecimalLayout decimal_layout(const FirUserParams& p) {
    if (p.m_nDataType != 0) {
        return DecimalLayout::complex_pairs;
    }
    return p.m_nArithmeticType != 0 ? DecimalLayout::unsigned_values : DecimalLayout::signed_values;
}

bool OnGenCinHex(const DecimalCoefficients& dec, const FirUserParams& p, const FirParamDerived& d,
                 TextSink& console) {
    const auto codes = coefficient_codes(dec, d.m_nCoeffWidthAdj, p.m_nArithmeticType != 0);
    return write_hex_file(real_coefficient_files, dec.opened, codes,
                          static_cast<int>(d.m_nCoeffWidthAdj), DigitCase::lower, false, console);
}

bool OnGenCinHexCmplx(const DecimalCoefficients& dec, const FirParamDerived& d, TextSink& console) {
    const auto codes = coefficient_codes(dec, d.m_nCoeffWidthAdj, false);
    return write_hex_file(complex_coefficient_files, dec.opened, codes,
                          static_cast<int>(d.m_nCoeffWidthAdj), DigitCase::lower, true, console);
}

} // namespace ipgen::fir::param
