// firparam: keeps the FIR core's user_params.txt (creating it with the
// defaults) and writes the core's parameters.v.
#include "common/fatal_error.hpp"
#include "common/process_guard.hpp"
#include "fir/common/console.hpp"
#include "fir/firparam/firparam.hpp"

#include <cstdio>

int main() {
    ipgen::guard_process("firparam", stdout);
    ipgen::fir::ConsoleSink console(stdout);
    try {
        return ipgen::fir::param::run_firparam(console);
    } catch (const ipgen::FatalError& error) {
        console.write(error.message());
        return error.status();
    }
}
