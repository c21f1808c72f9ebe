// paritygen: writes one configuration of the Reed-Solomon encoder core.
#include "generators/common/fatal_error.hpp"
#include "generators/common/process_guard.hpp"
#include "generators/common/program_info.hpp"
#include "generators/paritygen/paritygen.hpp"

#include <cstdio>

int main(int argc, char** argv) {
    ipgen::guard_process("paritygen", stderr);
    if (const auto status = ipgen::answer_help_or_version("paritygen", argc, argv)) {
        return *status;
    }
    try {
        return ipgen::rsenc::run_paritygen(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const ipgen::FatalError& error) {
        std::fputs(error.message().c_str(), stderr);
        return error.status();
    }
}
