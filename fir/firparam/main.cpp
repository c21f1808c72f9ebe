// firparam: keeps the FIR core's user_params.txt (creating it with the
// defaults) and writes the core's parameters.v.
#include "common/fatal_error.hpp"
#include "common/process_guard.hpp"
#include "common/program_info.hpp"
#include "fir/common/console.hpp"
#include "fir/firparam/firparam.hpp"

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
