// firgen: writes the FIR filter core's parameters.v (and, for fixed
// coefficients, cin.hex or cin_cmplx.hex) from user_params.txt.
#include "generators/common/fatal_error.hpp"
#include "generators/common/process_guard.hpp"
#include "generators/common/program_info.hpp"
#include "generators/fir_common/console.hpp"
#include "generators/firgen/firgen.hpp"

#include <cstdio>

int main(int argc, char** argv) {
    ipgen::guard_process("firgen", stdout);
    if (const auto status = ipgen::answer_help_or_version("firgen", argc, argv)) {
        return *status;
    }
    ipgen::fir::ConsoleSink console(stdout);
    try {
        return ipgen::fir::gen::run_firgen(console);
    } catch (const ipgen::FatalError& error) {
        console.write(error.message());
        return error.status();
    }
}
