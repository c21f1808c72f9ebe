// firparam's input: any bytes as user_params.txt, read, checked, adjusted
// and derived by OnUpdate, written back and written as firparam's
// parameters.v into memory (with the numbered default coefficients).
#include "fuzz/fuzz_input.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/fir_common/user_params_file.hpp"
#include "generators/firparam/on_update.hpp"
#include "generators/firparam/parameters_file.hpp"
#include "generators/firparam/user_params.hpp"
#include "generators/firparam/validation.hpp"

#include <string_view>

using namespace ipgen;
using namespace ipgen::fir;
using namespace ipgen::fir::param;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const UserParamLines lines =
            read_user_param_lines(std::string_view(reinterpret_cast<const char*>(data), size));
        const UserFileRead read{params_from_lines(lines), lines};
        validate_user_file(read);
        FirUserParams params = read.params;
        const FirParamDerived derived = OnUpdate(params);
        validate_counter_widths(params, derived);
        if (params.m_nCoeffLoad == 0) {
            validate_fixed_coefficients(params, derived);
        }
        StringSink out;
        out.write(user_params_text(params));
        write_params(out, params, derived, std::nullopt);
    } catch (const FatalError& error) {
        fuzz::check_refusal(error);
    }
    return 0;
}
