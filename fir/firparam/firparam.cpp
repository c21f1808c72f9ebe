#include "fir/firparam/firparam.hpp"

#include "fir/firparam/user_params.hpp"

namespace ipgen::fir::param {

int run_firparam(TextSink& console) {
    const UserFileRead read = ReadFromFile(console);
    return WriteToFile(read.params, console) ? 0 : 1;
}

} // namespace ipgen::fir::param
