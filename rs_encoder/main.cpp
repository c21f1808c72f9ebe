// paritygen: writes one configuration of the Reed-Solomon encoder core.
#include "common/fatal_error.hpp"
#include "common/process_guard.hpp"
#include "rs_encoder/paritygen.hpp"

#include <cstdio>

int main(int argc, char** argv) {
    ipgen::guard_process("paritygen", stderr);
    try {
        return ipgen::rsenc::run_paritygen(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const ipgen::FatalError& error) {
        std::fputs(error.message().c_str(), stderr);
        return error.status();
    }
}
