#include "fir/firparam/firparam.hpp"

#include "fir/firparam/coefficients.hpp"
#include "fir/firparam/on_update.hpp"
#include "fir/firparam/parameters_file.hpp"
#include "fir/firparam/user_params.hpp"
#include "fir/firparam/validation.hpp"

namespace ipgen::fir::param {

int run_firparam(TextSink& console) {
    const UserFileRead read = ReadFromFile(console);
    validate_user_file(read);
    FirUserParams params = read.params;
    const FirParamDerived derived = OnUpdate(params);
    validate_counter_widths(params, derived);
    validate_fixed_coefficients(params, derived);
    const bool fixed = params.m_nCoeffLoad == 0;
    const DecimalCoefficients dec =
        fixed ? read_checked_decimals(static_cast<int>(derived.m_nNumCoeffs),
                                      decimal_layout(params), "firparam")
              : DecimalCoefficients{};

    bool written = WriteToFile(params, console);
    if (fixed) {
        written = (params.m_nDataType != 0 ? OnGenCinHexCmplx(dec, derived, console)
                                           : OnGenCinHex(dec, params, derived, console)) &&
                  written;
    }
    const bool parameters_written = WriteParamsFile(params, derived, console);
    if (parameters_written) {
        console.print("Design parameter file (parameters.v) generated successfully!\n");
    }
    written = WriteToFile(params, console) && written;
    return written && parameters_written ? 0 : 1;
}

} // namespace ipgen::fir::param
