#include "generators/trellgen/trellgen.hpp"

#include "generators/common/c_number.hpp"
#include "generators/common/fatal_error.hpp"
#include "generators/trellgen/parameters_file.hpp"
#include "generators/trellgen/params_validation.hpp"
#include "generators/trellgen/user_params.hpp"

namespace ipgen::viterbi {

int device_class(const std::vector<std::string>& args) {
    if (args.empty()) {
        return default_device_class;
    }
    const CDecimal device = parse_c_decimal(args.front());
    if (device.out_of_range || device.value < 0 || device.value > 2) {
        throw FatalError("Choose correct device !\n", bad_device_status);
    }
    return static_cast<int>(device.value);
}

int run_trellgen(const std::vector<std::string>& args) {
    const int device = device_class(args);
    UserParamsReading reading = read_user_params();
    reading.params.device = device;
    validate_user_params(reading);
    for (const NamedText& file : write(reading.params)) {
        write_parameters_text(file.text, file.name);
    }
    return 0;
}

} // namespace ipgen::viterbi
