// firgen's input: any bytes as user_params.txt, read line by line, checked,
// derived and written as firgen's parameters.v into memory.
#include "fuzz/fuzz_input.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/fir_common/user_params_file.hpp"
#include "generators/firgen/derived_values.hpp"
#include "generators/firgen/firgen_params.hpp"
#include "generators/firgen/parameters_file.hpp"

#include <string_view>

using namespace ipgen;
using namespace ipgen::fir;
using namespace ipgen::fir::gen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const UserParamLines lines =
            read_user_param_lines(std::string_view(reinterpret_cast<const char*>(data), size));
        const FirGenParams params = firgen_params_from_lines(lines);
        validate_firgen(lines, params);
        const FirGenKeywords keywords = look_up_keywords(params);
        const FirGenDerived derived = derive(params, keywords);
        StringSink out;
        write_parameters(out, params, keywords, derived, "00");
    } catch (const FatalError& error) {
        fuzz::check_refusal(error);
    }
    return 0;
}
