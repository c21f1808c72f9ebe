// firparam: keeps the FIR core's user_params.txt (creating it with the
// defaults) and writes the core's parameters.v.
#include "generators/common/fatal_error.hpp"
#include "generators/common/process_guard.hpp"
#include "generators/common/program_info.hpp"
#include "generators/fir_common/console.hpp"
#include "generators/firparam/firparam.hpp"

#include <cstdio>

int main(int argc, char** argv) {
    ipgen::guard_process("firparam", stdout);
    if (const auto status = ipgen::answer_help_or_version("firparam", argc, argv)) {
        return *status;
    }
    ipgen::fir::ConsoleSink console(stdout);
    try {
        return ipgen::fir::param::run_firparam(console);
    } catch (const ipgen::FatalError& error) {
        console.write(error.message());
        return error.status();
    }
}
