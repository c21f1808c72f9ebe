#include "generators/firparam/coefficients.hpp"

#include "generators/firparam/replace_file.hpp"

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

namespace {

std::optional<std::string> convert(const CoefficientFiles& files, const DecimalCoefficients& dec,
                                   const std::vector<CoefficientCode>& codes, std::int64_t width,
                                   bool pairs, TextSink& console, RunStatus& status) {
    if (!dec.opened) {
        console.print("Error opening %s\n", files.dec);
        return std::nullopt;
    }
    StringSink hex;
    write_hex_lines(hex, console, codes, static_cast<int>(width), DigitCase::lower, pairs);
    switch (replace_file(files.hex, hex.text())) {
    case ReplaceResult::replaced:
        break;
    case ReplaceResult::cannot_create:
        console.print("Error opening %s\n", files.hex);
        status.step(false);
        break;
    case ReplaceResult::cannot_write:
        console.print("Error writing %s\n", files.hex);
        status.step(false);
        break;
    }
    return hex.take();
}

} // namespace

std::optional<std::string> OnGenCinHex(const DecimalCoefficients& dec, const FirUserParams& p,
                                       const FirParamDerived& d, TextSink& console,
                                       RunStatus& status) {
    return convert(real_coefficient_files, dec,
                   coefficient_codes(dec, d.m_nCoeffWidthAdj, p.m_nArithmeticType != 0),
                   d.m_nCoeffWidthAdj, false, console, status);
}

std::optional<std::string> OnGenCinHexCmplx(const DecimalCoefficients& dec,
                                            const FirParamDerived& d, TextSink& console,
                                            RunStatus& status) {
    return convert(complex_coefficient_files, dec,
                   coefficient_codes(dec, d.m_nCoeffWidthAdj, false), d.m_nCoeffWidthAdj, true,
                   console, status);
}

} // namespace ipgen::fir::param
