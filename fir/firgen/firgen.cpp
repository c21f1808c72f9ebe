#include "fir/firgen/firgen.hpp"

#include "common/fatal_error.hpp"
#include "common/output_file.hpp"
#include "fir/common/coefficient_files.hpp"
#include "fir/firgen/coefficient_string.hpp"
#include "fir/firgen/derived_values.hpp"
#include "fir/firgen/firgen_params.hpp"
#include "fir/firgen/parameters_file.hpp"

namespace ipgen::fir::gen {

int run_firgen(TextSink& console) {
    const auto text = read_text_file(user_params_file_name);
    if (!text) {
        throw FatalError("Cannot open user defined par for reading\n", -1);
    }
    const UserParamLines lines = read_user_param_lines(*text);
    const FirGenParams params = firgen_params_from_lines(lines);
    validate_firgen(lines, params);
    const FirGenKeywords keywords = look_up_keywords(params);
    const FirGenDerived derived = derive(params, keywords);

    std::string coefficients;
    bool hex_written = true;
    if (keywords.coeff == "COEFF_DEFAULT") {
        const int n = static_cast<int>(derived.num_coeffs);
        const int w = params.data_width;
        const bool real = keywords.data_type == "REAL_DATA_TYPE";
        const bool u = params.arithmetic_index != 0;
        const DecimalLayout layout = !real ? DecimalLayout::complex_pairs
                                     : u   ? DecimalLayout::unsigned_values
                                           : DecimalLayout::signed_values;
        const DecimalCoefficients dec = read_checked_decimals(n, layout, "firgen");
        CoefficientString packed;
        if (real) {
            hex_written = OnGenCinHex(dec, w, u, console);
            packed = readcoeff_real(n, w, u, console);
        } else {
            hex_written = OnGenCinHexCmplx(dec, w, console);
            packed = readcoeff_cmplx(n, w, console);
        }
        if (!packed.text) {
            if (!packed.out_of_range_exit) {
                console.print("No coefficient values for COEFF_VALUE; parameters.v not written\n");
            }
            return 1;
        }
        coefficients = *packed.text;
    }

    OutputFile out(parameters_file_name);
    if (!out.is_open()) {
        console.print("Error opening %s\n", parameters_file_name);
        return 1;
    }
    write_parameters(out, params, keywords, derived, coefficients);
    if (!out.close()) {
        console.print("Error writing %s\n", parameters_file_name);
        return 1;
    }
    return hex_written ? 0 : 1;
}

} // namespace ipgen::fir::gen
