#include "generators/firparam/firparam_files.hpp"

#include "generators/firparam/coefficients.hpp"
#include "generators/firparam/on_update.hpp"
#include "generators/firparam/parameters_file.hpp"

namespace ipgen::fir::param {

std::vector<NamedText> write(const FirUserParams& given, const DecimalCoefficients& coefficients,
                             TextSink& console) {
    FirUserParams p = given;
    const FirParamDerived d = OnUpdate(p);
    std::vector<NamedText> files{{user_params_file_name, user_params_text(p)}};
    FixedTokens fixed;
    if (p.m_nCoeffLoad == 0) {
        const bool pairs = p.m_nDataType != 0;
        const CoefficientFiles& names = pairs ? complex_coefficient_files : real_coefficient_files;
        StringSink hex;
        write_hex_lines(
            hex, console,
            coefficient_codes(coefficients, d.m_nCoeffWidthAdj, !pairs && p.m_nArithmeticType != 0),
            static_cast<int>(d.m_nCoeffWidthAdj), DigitCase::lower, pairs);
        fixed = parse_hex_tokens(hex.text(), static_cast<int>(d.m_nNumCoeffs), pairs).values;
        files.push_back({names.hex, hex.take()});
    }
    StringSink parameters;
    write_params(parameters, p, d, fixed);
    files.push_back({parameters_file_name, parameters.take()});
    return files;
}

} // namespace ipgen::fir::param
