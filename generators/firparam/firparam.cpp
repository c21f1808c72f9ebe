#include "generators/firparam/firparam.hpp"

#include "generators/fir_common/run_status.hpp"
#include "generators/firparam/coefficients.hpp"
#include "generators/firparam/on_update.hpp"
#include "generators/firparam/parameters_file.hpp"
#include "generators/firparam/user_params.hpp"
#include "generators/firparam/validation.hpp"

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

    RunStatus status;
    status.step(WriteToFile(params, console));
    std::optional<std::string> hex;
    if (fixed) {
        hex = params.m_nDataType != 0 ? OnGenCinHexCmplx(dec, derived, console, status)
                                      : OnGenCinHex(dec, params, derived, console, status);
    }
    if (status.step(WriteParamsFile(params, derived, hex, console))) {
        console.print("Design parameter file (parameters.v) generated successfully!\n");
    }
    status.step(WriteToFile(params, console));
    return status.exit_status();
}

} // namespace ipgen::fir::param
