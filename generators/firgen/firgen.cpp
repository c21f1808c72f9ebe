#include "generators/firgen/firgen.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/input_file.hpp"
#include "generators/fir_common/run_status.hpp"
#include "generators/firgen/coefficient_string.hpp"
#include "generators/firgen/derived_values.hpp"
#include "generators/firgen/firgen_params.hpp"
#include "generators/firgen/parameters_file.hpp"

namespace ipgen::fir::gen {

namespace {

UserParamLines read_user_params() {
    const InputText file = read_input_file(user_params_file_name);
    if (!file.ok()) {
        throw FatalError("Cannot open user defined par for reading\n", -1);
    }
    return read_user_param_lines(file.text);
}

} // namespace

int run_firgen(TextSink& console) {
    const UserParamLines lines = read_user_params();
    const FirGenParams params = firgen_params_from_lines(lines);
    validate_firgen(lines, params);
    const FirGenKeywords keywords = look_up_keywords(params);
    const FirGenDerived derived = derive(params, keywords);
    RunStatus status;
    const std::string coefficients =
        keywords.coeff == "COEFF_DEFAULT"
            ? coefficient_string(params, keywords, derived, console, status)
            : std::string();
    write_parameters_file(params, keywords, derived, coefficients);
    return status.exit_status();
}

} // namespace ipgen::fir::gen
