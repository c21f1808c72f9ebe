#include "generators/firgen/firgen_files.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/fir_common/coefficient_files.hpp"
#include "generators/firgen/coefficient_string.hpp"
#include "generators/firgen/derived_values.hpp"
#include "generators/firgen/parameters_file.hpp"

namespace ipgen::fir::gen {

std::vector<NamedText> write(const FirGenParams& params,
                             const std::vector<std::int64_t>& coefficients) {
    const FirGenKeywords keywords = look_up_keywords(params);
    const FirGenDerived derived = derive(params, keywords);
    std::vector<NamedText> files;
    std::string packed;
    if (keywords.coeff == "COEFF_DEFAULT") {
        const bool is_complex = keywords.data_type == "COMPLEX_DATA_TYPE";
        const bool is_unsigned = !is_complex && params.arithmetic_index != 0;
        const int n = static_cast<int>(derived.num_coeffs);
        const int w = params.data_width;
        if (coefficients.size() != static_cast<std::size_t>(is_complex ? 2 * n : n)) {
            throw FatalError("firgen: " + std::to_string(coefficients.size()) +
                                 " coefficient values for NUM_COEFFS " + std::to_string(n) + "\n",
                             refused_status);
        }
        // cin.dec -> cin.hex -> COEFF_VALUE, as a run converts and packs them.
        const std::int64_t full = std::int64_t{1} << w;
        std::vector<CoefficientCode> codes;
        for (const std::int64_t v : coefficients) {
            const bool fits = is_unsigned ? v >= 0 && v < full : v >= -full / 2 && v < full / 2;
            if (!fits) {
                throw FatalError("firgen: coefficient " + std::to_string(v) + " outside " +
                                     std::to_string(w) + " bits\n",
                                 refused_status);
            }
            codes.push_back(is_unsigned ? unsigned_code(static_cast<std::uint64_t>(v),
                                                        static_cast<std::uint64_t>(full))
                                        : signed_code(v, full / 2, full));
        }
        StringSink hex;
        StringSink console;
        write_hex_lines(hex, console, codes, w, DigitCase::upper, is_complex);
        const auto read_back = parse_hex_values(hex.text(), n, is_complex);
        const CoefficientString string = is_complex
                                             ? pack_cmplx(read_back, n, w, console)
                                             : pack_real(read_back, n, w, is_unsigned, console);
        if (!string.text) {
            throw FatalError("firgen: " + console.text(), 1);
        }
        packed = *string.text;
        const CoefficientFiles& names =
            is_complex ? complex_coefficient_files : real_coefficient_files;
        files.push_back({names.hex, hex.take()});
    }
    StringSink text;
    write_parameters(text, params, keywords, derived, packed);
    files.push_back({parameters_file_name, text.take()});
    return files;
}

} // namespace ipgen::fir::gen
