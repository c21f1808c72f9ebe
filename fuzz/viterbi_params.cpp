// trellgen's input: any bytes as viterbi_params.v, read item by item,
// checked, derived and written as parameters.v into memory. The first byte
// picks the device class (its value modulo 4: 3 stands for a refused class).
#include "fuzz/fuzz_input.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/trellgen/derived_values.hpp"
#include "generators/trellgen/parameters_file.hpp"
#include "generators/trellgen/params_validation.hpp"
#include "generators/trellgen/trellgen.hpp"
#include "generators/trellgen/user_params.hpp"

#include <string>
#include <string_view>

using namespace ipgen;
using namespace ipgen::viterbi;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    try {
        const int device = device_class({std::to_string(data[0] % 4)});
        const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
        UserParamsReading reading = parse_user_params(bytes);
        reading.params.device = device;
        validate_user_params(reading);
        StringSink out;
        write_parameters(out, reading.params, derive_values(reading.params).values);
    } catch (const FatalError& error) {
        fuzz::check_refusal(error);
    }
    return 0;
}
